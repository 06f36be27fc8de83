// The main window: board, tool buttons, pickers, puzzle number, menu; start-up and exit.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <random>

#include "model/game_state.h"

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

// Where the program's files live: data beside the program, the user's own
// files (configuration, scratch files, the first copy of the default puzzles)
// in the per-user folder when the program folder cannot be written.
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
  // Asks, writes the configuration and ends; false when the answer was No.
  bool ExitProgram();
  void ApplyScheme();

  // The designed client area in twips; the smallest size of the window.
  static constexpr int DesignWidth = 4380;
  static constexpr int DesignHeight = 5460;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildWidgets();
  void layOut();
  void refreshLabels(bool found, const std::string& difficulty);
  bool reportNotFound(int n, bool plainBox);
  std::string configPath() const;

  GameState g_;
  Folders folders_;
  std::mt19937_64 random_;
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
  QLabel* busylabel = nullptr;
  QPushButton* command1 = nullptr;
  QPushButton* command2 = nullptr;
  FNDialog* gf1 = nullptr;
  MsgForm* msgForm_ = nullptr;
  HelpViewer* help_ = nullptr;
  QAction* cmdexit = nullptr;
};

}  // namespace kelvane::ui
