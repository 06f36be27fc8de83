// CreateDialog ("Form3"): size, difficulty, count and output file for a batch of new puzzles.
#pragma once

#include <array>
#include <string>

#include "model/game_state.h"
#include "uikit/dialog_parts.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kelvane::ui {

class BoxControl;
class FNDialog;
class MsgForm;

// Hidden, not destroyed, between uses, so the choices last for the run.
class CreateDialog : public TagDialog {
  Q_OBJECT

 public:
  CreateDialog(MsgForm& messages, QWidget* parent = nullptr);

  // Before each showing: the next free output name in workingFolder (ending in "/"),
  // the scheme's colours, and the chooser's start folder. Resets Tag to "X".
  void Prepare(const std::string& programFolder, const std::array<Colour, 14>& palette,
               const std::string& workingFolder);

  // Tag is "Y" after Create was accepted.
  // The count typed, rounded to the nearest whole number.
  int Count() const;
  // 5, 7 or 9; 0 for a random size per attempt.
  int Size() const;
  bool Easy() const;
  std::string OutputFile() const;
  // One puzzle to show, not to store.
  bool DisplayOnly() const;
  // The fewest stars a new puzzle may have: 1 for any.
  int MinStars() const;

 private:
  void CountEdited();
  void CheckClicked(bool checked);
  void ChooseFile();
  void Confirm() override { Create(); }
  void Create();

  MsgForm& messages_;
  std::string programFolder_;

  QGroupBox* frame5_;
  std::array<QRadioButton*, 4> option2_{};
  QGroupBox* frame2_;
  QRadioButton* option3_;
  QRadioButton* option1_;
  QGroupBox* frame4_;
  QLineEdit* text4_;
  QLabel* starsLabel_;
  QComboBox* stars_;
  QGroupBox* frame3_;
  QCheckBox* check1_;
  QLabel* label3_;
  QLineEdit* text1_;
  QGroupBox* inFileFrame_;
  FNDialog* gf1_;
  QLineEdit* fileNow_;
  BoxControl* command1_;
  BoxControl* command2_;
};

}  // namespace kelvane::ui
