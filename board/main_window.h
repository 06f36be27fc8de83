// The main window: its widgets and their commands, start-up and exit. The commands
// themselves live by concern: window_files.cpp (navigation, open, save, delete),
// window_play.cpp (chains, hints, solution), window_creation.cpp (New and batches),
// window_output.cpp (printing, pictures, browse).
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <random>

#include "board/commands.h"
#include "engine/batch.h"
#include "engine/chain_list.h"
#include "engine/generator.h"
#include "model/game_state.h"
#include "model/navigation.h"
#include "model/play.h"
#include "model/play_clock.h"
#include "model/progress.h"
#include "output/file_printing.h"
#include "output/print_dialog_qt.h"
#include "output/printing_qt.h"

class QLabel;
class QLineEdit;
class QFrame;
class QPushButton;
class QAction;
class QMenu;
class QTimer;

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
class BatchRun;
class StatsDialog;

// Where the program's files live: data beside the program (or under the
// installation's share folder), the user's own files (configuration, scratch
// files, the first copy of the default puzzles) in the per-user folder for an
// installed copy, or when the program folder cannot be written. The player's
// progress and pasted puzzles are always in the per-user data folder.
struct Folders {
  std::string program;  // ends with "/"
  std::string user;     // ends with "/"
  std::string data;     // ends with "/"; the user folder when empty
};
Folders FindFolders();

// The play clock's time source.
std::int64_t SteadyMilliseconds();

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(Folders folders, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The load of the window: configuration, colours, the first puzzle.
  void Startup();
  // Whether the desktop asks for a dark appearance, as a first start reads it; tests set their own.
  void SetDesktopAppearance(std::function<bool()> prefersDark) { prefersDark_ = std::move(prefersDark); }

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
  void RedoMove();
  void StartOver();

  // Progress: the status line under the board, wins kept, statistics, the
  // puzzle last shown per file, and puzzles passed around as text.
  ProgressStore& Progress() { return progress_; }
  // The clock the play time is taken from (milliseconds, steady); tests set their own.
  void SetClockSource(std::function<std::int64_t()> now);
  // Writes the status line again; a timer calls it every second while the clock runs.
  void showStatus();
  void PasteRecords();
  void ShowStatistics();
  StatsDialog* StatsForm() { return stats_; }
  bool ContinueWhereLeftOff();
  void SetContinue(bool on);
  // The shown puzzle's five-line record, as copied beside its picture.
  std::string ShownRecordText() const;

  // Creation: one puzzle of the pickers' size and difficulty, or a batch
  // from the Create New Puzzles dialog.
  void NewPuzzle();
  void CreatePuzzles();
  CreateDialog* Form3() { return form3_; }
  // Starts a batch on its worker with the busy panel and its progress; done
  // runs on this thread when the batch has ended and the panel is gone.
  void StartBatch(const BatchOptions& options, std::function<void(const BatchResult&)> done);
  bool BatchRunning() const { return batch_ != nullptr; }
  // Cancels a running batch and waits for its worker; its end is not shown.
  void StopBatch();
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

  // The table every tool button, key and menu item goes through.
  CommandTable& Commands() { return *commands_; }

  // The designed client area in twips; the smallest size of the window.
  static constexpr int DesignWidth = 4380;
  static constexpr int DesignHeight = 5460;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildWidgets();
  void defineCommands();
  void tool(BoxControl* button, Command left, Command right);
  // The tool row in its order on the window, then the hint button.
  std::array<BoxControl*, 13> toolButtons() const;
  void layOut();
  void refreshLabels(bool found, const std::string& difficulty);
  bool reportNotFound(int n, bool plainBox);
  // The file chooser set up for a puzzle file: "" when cancelled.
  std::string askPuzzleFile(const char* title, const char* types, const char* mode);
  std::string configPath() const;
  void afterMove(const MoveOutcome& outcome);
  // After any puzzle came onto the board (found or not): its key, time and status.
  void puzzleShown(bool found);
  // Keeps the time and chain spent on the shown puzzle.
  void keepVisit();
  void recordWin();
  void updateClock();
  // The puzzle to open a file at: the one last shown there when continuing, else 1.
  int startNumber(const std::string& file);
  // Shows a file's start puzzle (puzzle 1 when that cannot be read), with its chain when continuing.
  ShowResult showFirst(const std::string& file);
  void restoreChain(const std::string& chain);
  std::string dataFolder() const;
  void openProgress();
  // Keeps the visit and, when continuing, the window's size.
  void leaveProgram();
  // Asks before a puzzle the file already holds is saved again; false when the answer was No.
  bool confirmRepeat(const std::string& file);
  void showSum();
  void resetKeyCursor();
  // Makes one puzzle and lays it on the board; false (after telling the user)
  // when none can be made, with the board and the state as they were.
  bool makeOnePuzzle(int size, bool easy, int minStars = 1);
  void showDisplayPuzzle(int size, int minStars);
  // drawsEach: puzzles made for each one kept, shown when above 0.
  void progressText(int k, int n, const std::string& file, double drawsEach = 0);
  void batchEnded(const BatchResult& result);
  void leaveBatch();
  void showBusy(const std::string& text, bool cancellable = true);
  void hideBusy();
  void setBusyInputs(bool busy);
  // The default printer, or a PDF file the user names where there is none;
  // nothing when the user cancelled or the name was refused.
  std::optional<PrintTarget> chooseTarget();
  // Runs draw on the target's printer or PDF file, with every command held.
  PrintResult printTo(const PrintTarget& target, const std::function<PrintResult(QPagedPaintDevice&)>& draw,
                      const std::string& documentTitle);
  bool printBrowseImage(const QImage& image);

  GameState g_;
  Folders folders_;
  std::mt19937_64 random_;
  Random rng_;
  ChainListCache lists_;
  CommandTable* commands_ = nullptr;
  std::unique_ptr<BatchRun> batch_;
  std::function<void(const BatchResult&)> batchDone_;
  std::optional<BatchResult> batchResult_;  // ended while the cancel question was open
  bool askingCancel_ = false;
  int keyCursor_ = 0;
  int lastSize_ = 0;  // the size the size picker last showed
  bool showingSolution_ = false;
  double scale_ = 1.0;

  ProgressStore progress_;
  PlayClock clock_;
  std::function<bool()> prefersDark_;
  QTimer* ticker_ = nullptr;
  std::string shownKey_;  // "" when no puzzle is shown
  bool shownEasy_ = false;
  bool shownInFile_ = false;
  bool shownSolved_ = false;
  int shownStars_ = 0;  // the shown puzzle's rating, 0 when it has none
  int hintsUsed_ = 0;
  bool solutionSeen_ = false;
  std::string visitChain_;
  Visit loadedVisit_;  // the visit as read or last kept
  int fileSolved_ = 0;
  std::string countedFile_;
  int countedCount_ = -1;
  QAction* continueAction_ = nullptr;
  StatsDialog* stats_ = nullptr;

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
  QLabel* StatusLine = nullptr;
  QFrame* Frame1 = nullptr;
  QMenu* menu_ = nullptr;
  QMenu* editMenu_ = nullptr;
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
};

}  // namespace kelvane::ui
