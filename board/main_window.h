// The main window: board, tool buttons, pickers, puzzle number, menu; start-up and exit.
#pragma once

#include <QMainWindow>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <random>

#include "engine/batch.h"
#include "engine/chain_list.h"
#include "engine/generator.h"
#include "model/game_state.h"
#include "model/play.h"
#include "output/file_printing.h"
#include "output/print_dialog_qt.h"
#include "output/printing_qt.h"

class QLabel;
class QLineEdit;
class QFrame;
class QPushButton;
class QAction;

namespace kelvane::ui {

class BoardWidget;
class BoxControl;
class FNDialog;
class MsgForm;
class HelpViewer;
class ClickLabel;
class CreateDialog;
class OptionsDialog;
class BrowseScreen;

// Where the program's files live: data beside the program (or under the
// installation's share folder), the user's own files (configuration, scratch
// files, the first copy of the default puzzles) in the per-user folder for an
// installed copy, or when the program folder cannot be written.
struct Folders {
  std::string program;  // ends with "/"
  std::string user;     // ends with "/"
};
Folders FindFolders();

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(Folders folders, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The load of the window: configuration, colours, the first puzzle.
  void Startup();

  GameState& State() { return g_; }
  MsgForm& Messages() { return *msgForm_; }
  // The program's message box, owned by this window.
  int MsgboxA(const std::string& text, const std::string& style);

  // Commands, as the buttons and keys run them.
  void ShowPuzzleNumber(int n);
  void OpenFile();
  void SaveCurrent();
  void DeleteCurrent();
  void Arrow(int index, int button);
  void GoToTypedNumber();
  void CycleSize();
  void CycleDifficulty();
  void ShowHelp();
  void ShowAbout();

  // Play: a mouse button released over cell i (0 the overlay), hints,
  // the solution while the button is held, undo and starting over.
  void CellReleased(int i, int button);
  void KeyStep(Step step);
  void AskClearChain();
  void GiveHint();
  void ShowSolutionPressed();
  void ShowSolutionReleased();
  void UndoMove();
  void StartOver();

  // Creation: one puzzle of the pickers' size and difficulty, or a batch
  // from the Create New Puzzles dialog.
  void NewPuzzle();
  void CreatePuzzles();
  CreateDialog* Form3() { return form3_; }
  // A batch with the busy panel and its progress, the window kept responsive.
  BatchResult RunBatch(const BatchOptions& options);
  void BusyLabelReleased();

  // Prints the board's puzzle and its solution on one page: on the default
  // printer, or into a PDF file when the machine has no printer.
  void PrintCurrent();
  // Print Puzzles From File: the dialog, then the print run.
  void PrintFromFile();
  PrintFileDialog* Form5() { return form5_; }
  // Prints a range of a file on the target, shows the puzzle that was on the
  // board again and says "Done" or what went wrong.
  void RunFilePrint(const FilePrintJob& job, const PrintTarget& target);
  // The browse screen, opened on its first page.
  void Browse();
  BrowseScreen* Form2() { return form2_; }

  // Options and the board's appearance.
  void ShowOptions();
  OptionsDialog* Form6() { return form6_; }
  void RefreshAppearance();
  // Asks, writes the configuration and ends; false when the answer was No.
  bool ExitProgram();
  void ApplyScheme();

  // The designed client area in twips; the smallest size of the window.
  static constexpr int DesignWidth = 4380;
  static constexpr int DesignHeight = 5460;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildWidgets();
  void layOut();
  void refreshLabels(bool found, const std::string& difficulty);
  bool reportNotFound(int n, bool plainBox);
  std::string configPath() const;
  void afterMove(const MoveOutcome& outcome);
  void showSum();
  void resetKeyCursor();
  // Makes one puzzle on the board, repeating MakePuzzle; false (after telling
  // the user) when no puzzle can be made.
  bool makeOnePuzzle(int size);
  void showBusy(const std::string& text, bool cancellable = true);
  void hideBusy();
  void setBusyInputs(bool busy);
  // The default printer, or a PDF file the user names where there is none;
  // nothing when the user cancelled.
  std::optional<PrintTarget> chooseTarget();
  // Runs draw on the target's printer or PDF file.
  PrintResult printTo(const PrintTarget& target, const std::function<PrintResult(QPagedPaintDevice&)>& draw,
                      const std::string& documentTitle);

  GameState g_;
  Folders folders_;
  std::mt19937_64 random_;
  Random rng_;
  ChainListCache lists_;
  std::atomic<bool> cancel_{false};
  int keyCursor_ = 0;
  bool showingSolution_ = false;
  double scale_ = 1.0;

  QWidget* central_ = nullptr;
  BoardWidget* board_ = nullptr;
  BoxControl* cmdsave = nullptr;
  BoxControl* cmdload = nullptr;
  BoxControl* cmdprint = nullptr;
  BoxControl* cmdoptions = nullptr;
  BoxControl* cmdcopy = nullptr;
  std::array<BoxControl*, 4> arrows{};
  BoxControl* cmdshowsol = nullptr;
  BoxControl* undoman = nullptr;
  BoxControl* cmdnew = nullptr;
  BoxControl* cmdhint = nullptr;
  ClickLabel* Label3 = nullptr;
  ClickLabel* Label4 = nullptr;
  QLineEdit* PuzNumNow = nullptr;
  QLabel* puznumber = nullptr;
  QLabel* FileNameNowx = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QFrame* Frame1 = nullptr;
  ClickLabel* busylabel = nullptr;
  QPushButton* command1 = nullptr;
  QPushButton* command2 = nullptr;
  FNDialog* gf1 = nullptr;
  MsgForm* msgForm_ = nullptr;
  HelpViewer* help_ = nullptr;
  CreateDialog* form3_ = nullptr;
  OptionsDialog* form6_ = nullptr;
  BrowseScreen* form2_ = nullptr;
  PrintFileDialog* form5_ = nullptr;
  QAction* cmdexit = nullptr;
};

}  // namespace kelvane::ui
