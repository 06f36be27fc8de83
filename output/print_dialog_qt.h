// PrintFileDialog ("Form5"): what to print from which puzzle file, how many grids a page, on which printer.
#pragma once

#include <QStringList>
#include <array>
#include <optional>
#include <string>

#include "model/game_state.h"
#include "uikit/dialog_parts.h"
#include "output/file_printing.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kelvane::ui {

class BoxControl;
class FNDialog;
class MsgForm;

// Where the pages go: an installed printer, or a PDF file.
struct PrintTarget {
  bool pdf = true;
  std::string printerName;
  std::string pdfPath;
};

// Asks for the PDF file the pages go into (".pdf" added to a bare name). Refuses
// the puzzle file itself and any existing file that is no PDF, and asks before an
// existing PDF is replaced; "" when cancelled or refused.
std::string AskPdfPath(FNDialog& chooser, MsgForm& messages, const std::string& title, const std::string& folder,
                       const std::string& puzzleFile);

// Hidden, not destroyed, between uses, so the choices last for the run.
class PrintFileDialog : public TagDialog {
  Q_OBJECT

 public:
  // The last entry of the printer list, always there.
  static constexpr const char* SaveAsPdf = "Save as PDF";
  static constexpr int Codes[6] = {1, 2, 4, 6, 15, 24};

  // printers: the installed printers' names; defaultPrinter is selected when
  // it is one of them, otherwise "Save as PDF".
  PrintFileDialog(MsgForm& messages, const QStringList& printers, const QString& defaultPrinter,
                  QWidget* parent = nullptr);

  // Before each showing: the file, its puzzle count in To, the scheme's colours,
  // the chooser's start folder and the folder a PDF is first offered in. Resets Tag to "X".
  void Prepare(const std::string& currentFile, const std::array<Colour, 14>& palette, const std::string& programFolder,
               const std::string& pdfFolder);

  // Tag is "path,from,to, mode, code" after Print; Job reads it back.
  std::optional<FilePrintJob> Job() const { return ParsePrintTag(tag_); }
  PrintTarget Target() const { return target_; }

 private:
  void ChooseFile();
  void Confirm() override { Print(); }
  void Print();
  bool AskPdfName();

  MsgForm& messages_;
  PuzzleFileIndexes files_;
  std::string programFolder_;
  std::string pdfFolder_;
  PrintTarget target_;

  QGroupBox* frame2_;
  std::array<QRadioButton*, 2> option2_{};
  QGroupBox* frame3_;
  std::array<QRadioButton*, 6> option1_{};
  QGroupBox* frame5_;
  QComboBox* combo1_;
  QGroupBox* inFileFrame_;
  FNDialog* gf1_;
  QLineEdit* fileNow_;
  QGroupBox* frame1_;
  QLabel* label1_;
  QLineEdit* text1_;
  QLabel* label2_;
  QLineEdit* text2_;
  BoxControl* command1_;
  BoxControl* command2_;
};

}  // namespace kelvane::ui
