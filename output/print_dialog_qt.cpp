// PrintFileDialog ("Form5"): layout, colours, the printer list, the file chooser, the range check and the outcome.
#include "output/print_dialog_qt.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <initializer_list>

#include "model/puzzle_file.h"
#include "model/text_rules.h"
#include "uikit/box_control.h"
#include "uikit/colours.h"
#include "uikit/dialog_parts.h"
#include "uikit/fn_dialog.h"
#include "uikit/msg_form.h"
#include "uikit/twips.h"

namespace kelvane::ui {

using dialog::Fill;

PrintFileDialog::PrintFileDialog(MsgForm& messages, const QStringList& printers, const QString& defaultPrinter,
                                 QWidget* parent)
    : TagDialog(parent), messages_(messages) {
  setObjectName("Form5");
  setWindowTitle("Print Puzzles From File");
  setModal(true);
  setAttribute(Qt::WA_QuitOnClose, false);

  frame2_ = new QGroupBox("Print What", this);
  frame2_->setObjectName("Frame2");
  frame2_->setToolTip("Print puzzles or solutions from file");
  auto* what = new QVBoxLayout(frame2_);
  const char* const whatNames[2] = {"Puzzles", "Solutions"};
  for (int i = 0; i < 2; ++i) {
    option2_[i] = new QRadioButton(whatNames[i], frame2_);
    option2_[i]->setObjectName(QString("Option2_%1").arg(i));
    what->addWidget(option2_[i]);
  }
  option2_[0]->setChecked(true);

  frame3_ = new QGroupBox("Grids per Page", this);
  frame3_->setObjectName("Frame3");
  frame3_->setToolTip("Grids per page");
  auto* perPage = new QGridLayout(frame3_);
  for (int i = 0; i < 6; ++i) {
    option1_[i] = new QRadioButton(QString::number(Codes[i]), frame3_);
    option1_[i]->setObjectName(QString("Option1_%1").arg(i));
    perPage->addWidget(option1_[i], i / 3, i % 3);
  }
  option1_[0]->setChecked(true);

  frame5_ = new QGroupBox("Printer", this);
  frame5_->setObjectName("Frame5");
  frame5_->setToolTip("Select a printer for output");
  auto* printer = new QVBoxLayout(frame5_);
  combo1_ = new QComboBox(frame5_);
  combo1_->setObjectName("Combo1");
  combo1_->addItems(printers);
  combo1_->addItem(SaveAsPdf);
  const int preferred = printers.indexOf(defaultPrinter);
  combo1_->setCurrentIndex(preferred >= 0 ? preferred : combo1_->count() - 1);
  printer->addWidget(combo1_);

  inFileFrame_ = new QGroupBox("Puzzles File", this);
  inFileFrame_->setObjectName("InFileFrame");
  inFileFrame_->setToolTip("Puzzles to be printed are stored in this file");
  const dialog::FileRow file = dialog::AddFileRow(inFileFrame_);
  fileNow_ = file.fileNow;
  gf1_ = file.gf1;

  frame1_ = new QGroupBox("Puzzle Numbers to Print", this);
  frame1_->setObjectName("Frame1");
  frame1_->setToolTip("Specify start and end puzzle numbers");
  auto* range = new QHBoxLayout(frame1_);
  label1_ = new QLabel("From", frame1_);
  label1_->setObjectName("Label1");
  text1_ = new QLineEdit("1", frame1_);
  text1_->setObjectName("Text1");
  text1_->setMaximumWidth(Px(1200));
  label2_ = new QLabel("To", frame1_);
  label2_->setObjectName("Label2");
  text2_ = new QLineEdit("1", frame1_);
  text2_->setObjectName("Text2");
  text2_->setMaximumWidth(Px(1200));
  range->addWidget(label1_);
  range->addWidget(text1_);
  range->addSpacing(Px(dialog::Gap));
  range->addWidget(label2_);
  range->addWidget(text2_);
  range->addStretch(1);

  command1_ = dialog::Button(this, "command1", "Print", "Print puzzles and exit");
  command2_ = dialog::Button(this, "command2", "Cancel", "Take no action and exit");

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(Px(dialog::Gap), Px(dialog::Gap), Px(dialog::Gap), Px(dialog::Gap));
  grid->setSpacing(Px(dialog::Gap));
  grid->addWidget(frame2_, 0, 0);
  grid->addWidget(frame3_, 0, 1);
  grid->addWidget(frame5_, 1, 0, 1, 2);
  grid->addWidget(inFileFrame_, 2, 0, 1, 2);
  grid->addWidget(frame1_, 3, 0, 1, 2);
  grid->addLayout(dialog::ButtonRow(command1_, command2_), 4, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  connect(gf1_, &FNDialog::Click, this, &PrintFileDialog::ChooseFile);
  connect(command1_, &BoxControl::MouseUp, this, [this] { Print(); });
  connect(command2_, &BoxControl::MouseUp, this, [this] { reject(); });
}

void PrintFileDialog::Prepare(const std::string& currentFile, const std::array<Colour, 14>& palette,
                              const std::string& programFolder, const std::string& pdfFolder) {
  tag_ = "X";
  programFolder_ = programFolder;
  pdfFolder_ = pdfFolder;
  const QString name = QString::fromStdString(currentFile);
  fileNow_->setText(name);
  fileNow_->setToolTip(name);
  text2_->setText(QString::fromStdString(NumText(CountPuzzles(files_, currentFile))).trimmed());

  const Colour form = palette[2];
  Fill(this, QPalette::Window, form);
  for (QWidget* w : std::initializer_list<QWidget*>{frame2_, frame3_, frame5_, inFileFrame_, frame1_, label1_, label2_})
    Fill(w, QPalette::Window, form);
  for (QRadioButton* option : option2_) Fill(option, QPalette::Window, form);
  for (QRadioButton* option : option1_) Fill(option, QPalette::Window, form);
  for (QWidget* w : std::initializer_list<QWidget*>{text1_, text2_, fileNow_}) Fill(w, QPalette::Base, palette[5]);
  SetColourRoles(combo1_, {QPalette::Base, QPalette::Button}, palette[5]);
  dialog::ColourButtons(palette, {command1_, command2_}, gf1_);
}

void PrintFileDialog::ChooseFile() {
  gf1_->SetFileTypes("*.kvl;*.txt;*.dat");
  gf1_->SetFileTypesName("Kelvane Files");
  gf1_->SetTitle("Kelvane");
  gf1_->SetDefaultDir(programFolder_);
  const std::string chosen = gf1_->GetFileName("OPEN");
  if (chosen.empty()) return;
  const int count = CountPuzzles(files_, chosen);
  if (count < 1) {
    messages_.MsgboxA("No puzzles in this file: " + chosen, "vbok+vbcritical");
    return;
  }
  fileNow_->setText(QString::fromStdString(chosen));
  fileNow_->setToolTip(QString::fromStdString(chosen));
  text2_->setText(QString::number(count));
}

std::string AskPdfPath(FNDialog& chooser, MsgForm& messages, const std::string& title, const std::string& folder,
                       const std::string& puzzleFile) {
  chooser.SetFileTypes("*.pdf");
  chooser.SetFileTypesName("PDF Files");
  chooser.SetTitle(title);
  chooser.SetDefaultDir(folder);
  std::string pdf = chooser.GetFileName("SAVE");
  if (pdf.empty()) return {};
  if (QFileInfo(QString::fromStdString(pdf)).suffix().isEmpty()) pdf += ".pdf";
  if (const std::string problem = PdfTargetProblem(pdf, puzzleFile); !problem.empty()) {
    messages.MsgboxA(problem, "vbok+vbcritical");
    return {};
  }
  if (PdfTargetExists(pdf) && messages.MsgboxA(pdf + "\nalready exists. Replace it?", "vbYesNo+vbquestion") != 6)
    return {};
  return pdf;
}

bool PrintFileDialog::AskPdfName() {
  const std::string pdf = AskPdfPath(*gf1_, messages_, "Save the printed pages as PDF", pdfFolder_,
                                     fileNow_->text().toStdString());
  if (pdf.empty()) return false;
  target_.pdfPath = pdf;
  pdfFolder_ = QFileInfo(QString::fromStdString(pdf)).absolutePath().toStdString() + "/";
  return true;
}

void PrintFileDialog::Print() {
  int chosenCode = Codes[0];
  for (int i = 0; i < 6; ++i)
    if (option1_[i]->isChecked()) chosenCode = Codes[i];
  const GridMode mode = option2_[1]->isChecked() ? GridMode::Solution : GridMode::Puzzle;
  const std::string tag = PrintTag(fileNow_->text().toStdString(), text1_->text().toStdString(),
                                   text2_->text().toStdString(), mode, chosenCode);
  std::optional<FilePrintJob> job = ParsePrintTag(tag);
  if (!job) {
    messages_.MsgboxA("No puzzles in this file: " + fileNow_->text().toStdString(), "vbok+vbcritical");
    return;
  }
  if (const std::string problem = PrintRangeProblem(files_, *job); !problem.empty()) {
    messages_.MsgboxA(problem, "vbok+vbcritical");
    return;
  }
  target_ = {};
  target_.pdf = combo1_->currentText() == SaveAsPdf;
  if (target_.pdf) {
    if (!AskPdfName()) return;
  } else {
    target_.printerName = combo1_->currentText().toStdString();
  }
  tag_ = tag;
  accept();
}

}  // namespace kelvane::ui
