// MsgForm, the program's modal message box: text, a picture and up to three answer buttons.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "model/game_state.h"

class QLabel;
class QPushButton;

namespace kelvane::ui {

class IconView;

// One instance serves every call; the owner sets its title and colours.
class MsgForm : public QDialog {
  Q_OBJECT

 public:
  explicit MsgForm(QWidget* parent = nullptr);

  // Shows text with the buttons and pictures named by style (see ParseMsgStyle) and
  // returns the code of the button pressed, or 0 when the window was closed otherwise.
  // With an answerer installed nothing is shown and the answerer's code is returned.
  int MsgboxA(const std::string& text, const std::string& style);

  // Window and Label1 background.
  Colour BackColour() const { return backColour_; }
  void SetBackColour(Colour colour);
  // Label1 text; RGB(20, 20, 20) by default.
  Colour TextColour() const { return textColour_; }
  void SetTextColour(Colour colour);
  // Button background; black means not set, and MsgboxA then takes the palette colour.
  Colour ButtonColour() const { return buttonColour_; }
  void SetButtonColour(Colour colour);
  // The scheme's dialog colour (Palette(DialogColourSlot)), used while no button colour is set.
  void SetPaletteButtonColour(Colour colour) { paletteButtonColour_ = colour; }
  // Arial 9 pt, not bold, by default; the buttons use one point less.
  void SetFontName(const QString& name);
  void SetFontSize(double points);
  void SetFontBold(bool bold);

  // Code of the last button pressed; kept from call to call.
  int ResultCode() const { return resultCode_; }
  // Index of the rightmost button of the current call.
  int LastButton() const { return lastButton_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Prepare(const std::string& text, const std::string& style);
  void ArrangeBox(int last);
  void Press(int index);
  void MoveFocus(int step);

  QLabel* label_;
  std::array<QPushButton*, 3> cmd_{};
  std::array<int, 3> codes_{};
  std::array<IconView*, 11> icons_{};
  std::array<bool, 3> mouseHeld_{};

  Colour backColour_ = RGB(240, 240, 240);
  Colour textColour_ = RGB(20, 20, 20);
  Colour buttonColour_ = RGB(0, 0, 0);
  Colour paletteButtonColour_ = RGB(192, 192, 192);
  int lastButton_ = -1;
  int resultCode_ = 0;
  bool pressed_ = false;
};

}  // namespace kelvane::ui
