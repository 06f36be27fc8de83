// Pieces the program's dialogs share: sizes, colouring, the two buttons and the file row.
#pragma once

#include <QDialog>
#include <QPalette>
#include <array>
#include <initializer_list>
#include <string>

#include "model/game_state.h"

class QGroupBox;
class QKeyEvent;
class QHBoxLayout;
class QLineEdit;
class QWidget;

namespace kelvane::ui {

class BoxControl;
class FNDialog;

namespace dialog {

// Sizes in twips.
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
constexpr int ChooserWidth = 420;
constexpr int Gap = 120;

// Gives a control one colour: the Window role also fills its background.
void Fill(QWidget* w, QPalette::ColorRole role, Colour colour);

// A dialog button of the designed size.
BoxControl* Button(QWidget* parent, const char* name, const char* caption, const char* tip);

// The buttons at the right of their row.
QHBoxLayout* ButtonRow(BoxControl* first, BoxControl* second);

// The text box "FileNow" with the chooser "gf1" beside it, filling the frame.
struct FileRow {
  QLineEdit* fileNow;
  FNDialog* gf1;
};
FileRow AddFileRow(QGroupBox* frame);

// The buttons and the chooser in the scheme's dialog colour.
void ColourButtons(const std::array<Colour, 14>& palette, std::initializer_list<BoxControl*> buttons, FNDialog* chooser);

}  // namespace dialog

// A modal dialog that hands its outcome to its owner in Tag: "X" after Cancel,
// Escape or the close box; Enter confirms as the first button does.
class TagDialog : public QDialog {
 public:
  using QDialog::QDialog;
  std::string Tag() const { return tag_; }
  void reject() override;

 protected:
  virtual void Confirm() = 0;
  void keyPressEvent(QKeyEvent* event) override;

  std::string tag_ = "X";
};
}  // namespace kelvane::ui
