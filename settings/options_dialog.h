// OptionsDialog "Form6": the colour scheme and the board font, previewed on the dialog and applied on request.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "model/game_state.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QScrollBar;

namespace kelvane::ui {

class BoxControl;

// A modal dialog kept by its owner and shown with exec() each time. Apply stores
// the choices in the state and calls refresh; Exit, Escape and the close box hide it.
class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // schemeFile is the full path of the scheme file; refresh reloads and repaints the owner.
  OptionsDialog(GameState& g, std::string schemeFile, std::function<void()> refresh, QWidget* parent = nullptr);

  static constexpr int MinSampleSize = 8;
  static constexpr int MaxSampleSize = 32;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Each showing: contrast reset, colours, caption from the stored name, the stored font.
  void Activate();
  // Colours the dialog from the palette: slot 2 behind, slot 4 on the buttons.
  void ColourFromPalette();
  void SetSampleFamily(const QString& family);
  // Adds step (+1, -1 or 0) to the sample size, kept within 8..32.
  void StepSampleSize(int step);
  // The selected scheme's name without ".col", or "" when none is selected.
  QString SchemeText() const;
  void PreviewSelectedScheme();
  void Apply();
  void Exit();

  GameState& g_;
  std::string schemeFile_;
  std::function<void()> refresh_;

  QGroupBox* frame1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  QListWidget* list1_ = nullptr;
  QListWidget* list2_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* colPik1_ = nullptr;
  QScrollBar* contrastV_ = nullptr;
  BoxControl* showSch_ = nullptr;
  BoxControl* repSch_ = nullptr;
  BoxControl* delSch_ = nullptr;
  BoxControl* addSch_ = nullptr;
  BoxControl* command1_ = nullptr;
  BoxControl* command2_ = nullptr;
};

}  // namespace kelvane::ui
