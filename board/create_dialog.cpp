// CreateDialog ("Form3"): layout, colours, the count and check box pairing, the chooser and the outcome.
#include "board/create_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "model/puzzle_file.h"
#include "model/text_rules.h"
#include "uikit/box_control.h"
#include "uikit/dialog_parts.h"
#include "uikit/fn_dialog.h"
#include "uikit/msg_form.h"
#include "uikit/twips.h"

namespace kelvane::ui {

using dialog::Fill;

CreateDialog::CreateDialog(MsgForm& messages, QWidget* parent) : TagDialog(parent), messages_(messages) {
  setObjectName("Form3");
  setWindowTitle("Create New Puzzles");
  setModal(true);
  setAttribute(Qt::WA_QuitOnClose, false);

  frame5_ = new QGroupBox("Grid Size", this);
  frame5_->setObjectName("Frame5");
  auto* sizes = new QVBoxLayout(frame5_);
  const char* const sizeNames[4] = {"5x5", "7x7", "9x9", "Random"};
  for (int i = 0; i < 4; ++i) {
    option2_[i] = new QRadioButton(sizeNames[i], frame5_);
    option2_[i]->setObjectName(QString("Option2_%1").arg(i));
    sizes->addWidget(option2_[i]);
  }
  option2_[2]->setChecked(true);

  frame2_ = new QGroupBox("Puzzle Difficulty", this);
  frame2_->setObjectName("Frame2");
  auto* levels = new QVBoxLayout(frame2_);
  option3_ = new QRadioButton("Hard", frame2_);
  option3_->setObjectName("Option3");
  option1_ = new QRadioButton("Easy", frame2_);
  option1_->setObjectName("Option1");
  option3_->setChecked(true);
  levels->addWidget(option3_);
  levels->addWidget(option1_);

  frame4_ = new QGroupBox("Puzzle Title", this);
  frame4_->setObjectName("Frame4");
  auto* title = new QVBoxLayout(frame4_);
  text4_ = new QLineEdit(frame4_);
  text4_->setObjectName("Text4");
  title->addWidget(text4_);

  frame3_ = new QGroupBox("Number of Puzzles to Create", this);
  frame3_->setObjectName("Frame3");
  auto* count = new QGridLayout(frame3_);
  check1_ = new QCheckBox("1 puzzle for display", frame3_);
  check1_->setObjectName("Check1");
  check1_->setChecked(true);
  label3_ = new QLabel("Number of Puzzles", frame3_);
  label3_->setObjectName("Label3");
  text1_ = new QLineEdit("1", frame3_);
  text1_->setObjectName("Text1");
  text1_->setMaximumWidth(Px(1200));
  count->addWidget(check1_, 0, 0, 1, 2, Qt::AlignLeft);
  count->addWidget(label3_, 1, 0);
  count->addWidget(text1_, 1, 1);
  count->setColumnStretch(2, 1);

  inFileFrame_ = new QGroupBox("Output File", this);
  inFileFrame_->setObjectName("InFileFrame");
  inFileFrame_->setToolTip("New Puzzles will be stored in this file");
  const dialog::FileRow file = dialog::AddFileRow(inFileFrame_);
  fileNow_ = file.fileNow;
  gf1_ = file.gf1;

  command1_ = dialog::Button(this, "command1", "Create", "Create new puzzle(s)");
  command2_ = dialog::Button(this, "command2", "Cancel", "Take no action and exit");

  // Below the title, where the size column leaves room: the fewest stars to keep.
  starsLabel_ = new QLabel("&Stars:", this);
  starsLabel_->setObjectName("StarsLabel");
  stars_ = new QComboBox(this);
  stars_->setObjectName("StarsPicker");
  stars_->setToolTip("Keep only puzzles that need at least this long a search (see kelvane-cli rate)");
  stars_->addItem("any");
  for (int n = 2; n <= MostStars; ++n) stars_->addItem(QString("at least %1").arg(n));
  starsLabel_->setBuddy(stars_);
  auto* starsRow = new QHBoxLayout;
  starsRow->addWidget(starsLabel_);
  starsRow->addWidget(stars_, 1);

  auto* right = new QVBoxLayout;
  right->addWidget(frame2_);
  right->addWidget(frame4_);
  right->addLayout(starsRow);
  right->addStretch(1);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(Px(dialog::Gap), Px(dialog::Gap), Px(dialog::Gap), Px(dialog::Gap));
  grid->setSpacing(Px(dialog::Gap));
  grid->addWidget(frame5_, 0, 0);
  grid->addLayout(right, 0, 1);
  grid->addWidget(frame3_, 1, 0, 1, 2);
  grid->addWidget(inFileFrame_, 2, 0, 1, 2);
  grid->addLayout(dialog::ButtonRow(command1_, command2_), 3, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  connect(text1_, &QLineEdit::textChanged, this, &CreateDialog::CountEdited);
  connect(check1_, &QCheckBox::clicked, this, &CreateDialog::CheckClicked);
  connect(gf1_, &FNDialog::Click, this, &CreateDialog::ChooseFile);
  connect(command1_, &BoxControl::MouseUp, this, [this] { Create(); });
  connect(command2_, &BoxControl::MouseUp, this, [this] { reject(); });
}

void CreateDialog::Prepare(const std::string& programFolder, const std::array<Colour, 14>& palette,
                           const std::string& workingFolder) {
  tag_ = "X";
  programFolder_ = programFolder;
  const QString name = QString::fromStdString(NextFreeName(workingFolder + "tempnewpuzzle.kvl"));
  fileNow_->setText(name);
  fileNow_->setToolTip(name);

  const Colour form = palette[2];
  Fill(this, QPalette::Window, form);
  for (QWidget* w : std::initializer_list<QWidget*>{frame5_, frame2_, frame4_, frame3_, inFileFrame_, option3_,
                                                    option1_, check1_, label3_, starsLabel_})
    Fill(w, QPalette::Window, form);
  for (QRadioButton* option : option2_) Fill(option, QPalette::Window, form);
  for (QLineEdit* text : {text4_, text1_, fileNow_}) Fill(text, QPalette::Base, palette[5]);
  dialog::ColourButtons(palette, {command1_, command2_}, gf1_);
}

int CreateDialog::Count() const {
  const double n = std::clamp(NumericValue(text1_->text().toStdString()), -2147483648.0, 2147483647.0);
  return static_cast<int>(std::lround(n));
}

int CreateDialog::Size() const {
  for (int i = 0; i < 3; ++i)
    if (option2_[i]->isChecked()) return 5 + 2 * i;
  return 0;
}

bool CreateDialog::Easy() const { return option1_->isChecked(); }

std::string CreateDialog::OutputFile() const { return fileNow_->text().toStdString(); }

int CreateDialog::MinStars() const { return stars_->currentIndex() + 1; }

bool CreateDialog::DisplayOnly() const { return Count() == 1 && check1_->isChecked(); }

void CreateDialog::CountEdited() { check1_->setChecked(NumericValue(text1_->text().toStdString()) == 1.0); }

void CreateDialog::CheckClicked(bool checked) {
  if (checked) text1_->setText("1");
}

void CreateDialog::ChooseFile() {
  gf1_->SetTitle("Select an output Puzzle file");
  gf1_->SetFileTypes("*.kvl;*.txt;*.dat");
  gf1_->SetFileTypesName("Kelvane Files");
  gf1_->SetTitle("Kelvane");
  gf1_->SetDefaultDir(programFolder_);
  const std::string chosen = gf1_->GetFileName("SAVE");
  if (chosen.empty()) return;
  fileNow_->setText(QString::fromStdString(chosen));
  fileNow_->setToolTip(QString::fromStdString(chosen));
}

void CreateDialog::Create() {
  if (NumericValue(text1_->text().toStdString()) <= 0) {
    messages_.MsgboxA("Specify number of puzzles to create", "vbok+vbcritical");
    return;
  }
  if (fileNow_->text().trimmed().isEmpty()) {
    messages_.MsgboxA("Choose an output file", "vbok+vbcritical");
    return;
  }
  tag_ = "Y";
  accept();
}

}  // namespace kelvane::ui
