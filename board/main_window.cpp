// The main window: its widgets, the table of its commands, start-up, appearance and exit.
#include "board/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <filesystem>

#include "board/batch_run.h"
#include "board/board_accessible.h"
#include "board/board_picture.h"
#include "board/board_widget.h"
#include "board/click_label.h"
#include "board/stats_dialog.h"
#include "model/folders.h"
#include "model/navigation.h"
#include "model/text_rules.h"
#include "settings/colour_scheme.h"
#include "settings/config_file.h"
#include "settings/options_dialog.h"
#include "uikit/about_form.h"
#include "uikit/appearance.h"
#include "uikit/box_control.h"
#include "uikit/fn_dialog.h"
#include "uikit/help_viewer.h"
#include "uikit/tool_icons.h"
#include "uikit/msg_form.h"
#include "uikit/twips.h"

namespace kelvane::ui {

namespace {

std::string withSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

void setBack(QWidget* w, Colour c) { SetColourRoles(w, {QPalette::Window, QPalette::Base}, c); }

// Layout of the window in twips at its designed size.
struct Place {
  int left, top, width, height;
};
constexpr int kToolTop = 60;
constexpr int kTool = 360;
constexpr Place kPickerRow{30, 480, 0, 360};
constexpr Place kFileRow{30, 900, 4320, 240};
constexpr Place kBoardFrame{30, 1170, 4320, 4080};
constexpr Place kStatus{30, 5250, 4320, 210};

}  // namespace

Folders FindFolders() {
  Folders f;
  const DataFolder data = FindDataFolder(withSlash(QCoreApplication::applicationDirPath().toStdString()));
  f.program = data.folder;
  f.user = f.program;
  const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (!appData.isEmpty() && QDir().mkpath(appData)) f.data = withSlash(appData.toStdString());
  // An installed copy never writes into its share folder, even as root; a build copy does when it can.
  const QFileInfo dir(QString::fromStdString(f.program));
  if (data.installed || !dir.isWritable()) {
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!user.isEmpty() && QDir().mkpath(user)) {
      f.user = withSlash(user.toStdString());
      // A first copy of the default puzzles, so that the user can change it.
      const std::string mine = f.user + "puzzles.kvl";
      std::error_code ec;
      if (!std::filesystem::exists(mine, ec))
        std::filesystem::copy_file(f.program + "puzzles.kvl", mine, ec);
    }
  }
  return f;
}

MainWindow::MainWindow(Folders folders, QWidget* parent)
    : QMainWindow(parent),
      folders_(std::move(folders)),
      random_(std::random_device{}()),
      rng_(Random::FreshSeed()),
      lists_(folders_.program),
      clock_(SteadyMilliseconds),
      prefersDark_(DesktopPrefersDark) {
  setObjectName("Form1");
  setWindowTitle("Kelvane");
  InstallAccessibleFactory();  // before the buttons, whose interfaces Qt keeps once asked for
  commands_ = new CommandTable(this);
  buildWidgets();
  defineCommands();
}

MainWindow::~MainWindow() {
  StopBatch();  // cancels and waits for a batch still running
  keepVisit();
  delete help_;
}

void MainWindow::buildWidgets() {
  central_ = new QWidget(this);
  setCentralWidget(central_);
  msgForm_ = new MsgForm(this);
  msgForm_->setWindowTitle("Kelvane");

  auto box = [&](const char* name, const char* tip, ToolIcon icon) {
    auto* b = new BoxControl(central_);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAccessibleName(QString(tip).section(',', 0, 0));  // the tip's first part; the whole tip describes it
    b->SetToolPicture(icon, QSize(18, 18));
    return b;
  };
  cmdsave = box("cmdsave", "Save Puzzle, rightclick to delete", ToolIcon::Save);
  cmdload = box("cmdload", "Load a Puzzle File", ToolIcon::Open);
  cmdprint = box("cmdprint", "Print Current Puzzle, rightclick to print from file", ToolIcon::Print);
  cmdoptions = box("cmdoptions", "Set Options", ToolIcon::Options);
  cmdcopy = box("cmdcopy", "Copy Puzzle to Clipboard, rightclick to copy Solution", ToolIcon::Copy);
  arrows[0] = box("arrows_0", "Previous Puzzle, rightclick for first puzzle", ToolIcon::Previous);
  arrows[3] = box("arrows_3", "Go to a random puzzle in file", ToolIcon::Random);
  arrows[2] = box("arrows_2", "Next Puzzle, rightclick for last puzzle", ToolIcon::Next);
  arrows[1] = box("arrows_1", "Browse Puzzle File", ToolIcon::Browse);
  cmdshowsol = box("cmdshowsol", "Show Solution", ToolIcon::Solution);
  undoman = box("undoman", "Undo Last Move, rightclick to clear all moves", ToolIcon::Undo);
  cmdnew = box("cmdnew", "Create New Puzzle, rightclick for options", ToolIcon::New);
  cmdhint = box("cmdhint", "Get Hint", ToolIcon::Hint);

  Label3 = new ClickLabel("NxN", central_);
  Label3->setObjectName("Label3");
  Label3->setToolTip("Click to set puzzle size for a new puzzle");
  Label4 = new ClickLabel("Hard", central_);
  Label4->setObjectName("Label4");
  Label4->setToolTip("Click to set difficulty level for a new puzzle");
  for (ClickLabel* l : {Label3, Label4}) {
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Raised);
    l->setCursor(Qt::PointingHandCursor);
  }
  Label3->SetCycle(3);  // 5x5, 7x7, 9x9
  connect(Label3, &ClickLabel::Released, this, [this](int) { commands_->Run(Command::SizePicker); });
  connect(Label4, &ClickLabel::Released, this, [this](int) { commands_->Run(Command::DifficultyPicker); });

  PuzNumNow = new QLineEdit(central_);
  PuzNumNow->setObjectName("PuzNumNow");
  PuzNumNow->setAccessibleName("Puzzle number");
  PuzNumNow->setAlignment(Qt::AlignCenter);
  PuzNumNow->setToolTip("Type a puzzle number and press Enter");
  PuzNumNow->installEventFilter(this);
  puznumber = new QLabel("of", central_);
  puznumber->setObjectName("puznumber");
  Label5 = new QLabel("Current Sum", central_);
  Label5->setObjectName("Label5");
  Label5->setAccessibleDescription("Current sum");  // a name would hide the sum it shows
  Label5->setToolTip("Current Sum");
  Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FileNameNowx = new QLabel(central_);
  FileNameNowx->setObjectName("FileNameNowx");
  Label1 = new QLabel("Label1", central_);
  Label1->setObjectName("Label1");
  Label1->hide();  // outside the shown area
  Label2 = new QLabel(central_);
  Label2->setObjectName("Label2");
  StatusLine = new QLabel(central_);
  StatusLine->setObjectName("StatusLine");
  StatusLine->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  StatusLine->setToolTip("Time on this puzzle, hints left, its stars (how long a search it needs) and the puzzles of this file you have solved");
  ticker_ = new QTimer(this);
  ticker_->setInterval(1000);
  connect(ticker_, &QTimer::timeout, this, [this] { showStatus(); });

  board_ = new BoardWidget(g_, central_);
  board_->setFocusPolicy(Qt::StrongFocus);
  connect(board_, &BoardWidget::CellHovered, this,
          [this](int i) { Label1->setText(i > 0 ? QString::number(i) : QString()); });
  connect(board_, &BoardWidget::CellReleased, this, [this](int i, int button) {
    if (button == 2) commands_->Run(Command::ClearChain);
    else if (button == 1) commands_->Run(Command::Play, [this, i] { CellReleased(i, 1); });
  });

  Frame1 = new QFrame(central_);
  Frame1->setObjectName("Frame1");
  Frame1->setFrameShape(QFrame::Box);
  busylabel = new ClickLabel(Frame1);
  busylabel->setObjectName("busylabel");
  busylabel->setAlignment(Qt::AlignCenter);
  busylabel->setCursor(Qt::PointingHandCursor);
  connect(busylabel, &ClickLabel::Released, this, [this](int) { commands_->Run(Command::CancelBatch); });
  Frame1->hide();

  // Other windows press these: show the puzzle numbered in the tag, refresh the look.
  command1 = new QPushButton(central_);
  command1->setObjectName("command1");
  command1->hide();
  connect(command1, &QPushButton::clicked, this, [this] {
    ShowPuzzleNumber(IntValue(command1->property("Tag").toString().toStdString()));
  });
  command2 = new QPushButton(central_);
  command2->setObjectName("command2");
  command2->hide();
  connect(command2, &QPushButton::clicked, this, [this] { RefreshAppearance(); });
  gf1 = new FNDialog(central_);
  gf1->setObjectName("gf1");
  gf1->hide();

  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("mnukelvane");
  menu_ = file;
  editMenu_ = menuBar()->addMenu("&Edit");
  editMenu_->setObjectName("mnuedit");

  // Tab goes through the controls as they stand: the tool row, the picker row (the
  // hint button after the number box), then the board, and round again.
  QWidget* previous = cmdsave;
  for (QWidget* next : std::initializer_list<QWidget*>{cmdload, cmdprint, cmdoptions, cmdcopy, arrows[0], arrows[3], arrows[2],
                                                      arrows[1], cmdshowsol, undoman, cmdnew, Label3, Label4, PuzNumNow,
                                                      cmdhint, board_}) {
    setTabOrder(previous, next);
    previous = next;
  }

  const QSize designed(Px(DesignWidth), Px(DesignHeight));
  central_->setMinimumSize(designed);
  resize(Px(DesignWidth, 1.8), Px(DesignHeight, 1.8) + menuBar()->sizeHint().height());
}

std::array<BoxControl*, 13> MainWindow::toolButtons() const {
  return {cmdsave, cmdload, cmdprint, cmdoptions, cmdcopy, arrows[0], arrows[3],
          arrows[2], arrows[1], cmdshowsol, undoman, cmdnew, cmdhint};
}

void MainWindow::tool(BoxControl* button, Command left, Command right) {
  connect(button, &BoxControl::MouseUp, this, [this, left, right](int b, int, double, double) {
    if (b == 1) commands_->Run(left);
    else if (b == 2) commands_->Run(right);
  });
}

void MainWindow::defineCommands() {
  CommandTable& t = *commands_;
  using K = QKeySequence;
  t.Define(Command::Open, "actionOpen", "Open", [this] { OpenFile(); }, K(Qt::CTRL | Qt::Key_O));
  t.Define(Command::Save, "actionSave", "Save", [this] { SaveCurrent(); }, K(Qt::CTRL | Qt::Key_S));
  t.Define(Command::Delete, "actionDelete", "Delete", [this] { DeleteCurrent(); });
  t.Define(Command::Previous, "actionPrevious", "Previous", [this] { Arrow(0, 1); }, K(Qt::Key_PageUp));
  t.Define(Command::Next, "actionNext", "Next", [this] { Arrow(2, 1); }, K(Qt::Key_PageDown));
  t.Define(Command::First, "actionFirst", "First", [this] { Arrow(0, 2); }, K(Qt::Key_Home));
  t.Define(Command::Last, "actionLast", "Last", [this] { Arrow(2, 2); }, K(Qt::Key_End));
  t.Define(Command::Random, "actionRandom", "Random", [this] { Arrow(3, 1); });
  t.Define(Command::Browse, "actionBrowse", "Browse", [this] { Arrow(1, 1); });
  t.Define(Command::GoToNumber, "actionGoToNumber", "Go to number", [this] { GoToTypedNumber(); });
  t.Define(Command::SizePicker, "actionSizePicker", "Size", [this] { CycleSize(); });
  t.Define(Command::DifficultyPicker, "actionDifficultyPicker", "Difficulty", [this] { CycleDifficulty(); });
  t.Define(Command::New, "actionNew", "New", [this] { NewPuzzle(); }, K(Qt::CTRL | Qt::Key_N));
  t.Define(Command::CreateBatch, "actionCreateBatch", "Create New Puzzles", [this] { CreatePuzzles(); });
  t.Define(Command::CancelBatch, "actionCancelBatch", "Cancel", [this] { BusyLabelReleased(); });
  t.Define(Command::Play, "actionPlay", "Play", [] {});
  t.Define(Command::ClearChain, "actionClearChain", "Clear chain", [this] { AskClearChain(); });
  t.Define(Command::Hint, "actionHint", "Hint", [this] { GiveHint(); }, K(Qt::Key_H));
  t.Define(Command::ShowSolution, "actionShowSolution", "Show Solution", [this] { ShowSolutionPressed(); });
  QAction* undo = t.Define(Command::Undo, "actionUndo", "&Undo", [this] { UndoMove(); }, K(Qt::CTRL | Qt::Key_Z));
  QAction* redo = t.Define(Command::Redo, "actionRedo", "&Redo", [this] { RedoMove(); }, K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  redo->setShortcuts({K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), K(Qt::CTRL | Qt::Key_Y)});
  t.Define(Command::ClearGrid, "actionClearGrid", "Clear Grid", [this] { StartOver(); });
  QAction* copy = t.Define(Command::CopyPuzzle, "actionCopyPuzzle", "&Copy Puzzle",
           [this] { (void)CopyBoardPicture(g_, GridMode::Puzzle, ShownRecordText()); }, K(Qt::CTRL | Qt::Key_C));
  QAction* copySolution = t.Define(Command::CopySolution, "actionCopySolution", "Copy &Solution",
           [this] { (void)CopyBoardPicture(g_, GridMode::Solution, ShownRecordText()); }, K(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  QAction* paste = t.Define(Command::Paste, "actionPaste", "&Paste Puzzles", [this] { PasteRecords(); }, K(Qt::CTRL | Qt::Key_V));
  editMenu_->addAction(undo);
  editMenu_->addAction(redo);
  editMenu_->addSeparator();
  editMenu_->addAction(copy);
  editMenu_->addAction(copySolution);
  editMenu_->addAction(paste);
  t.Define(Command::PrintCurrent, "actionPrintCurrent", "Print", [this] { PrintCurrent(); }, K(Qt::CTRL | Qt::Key_P));
  t.Define(Command::PrintFromFile, "actionPrintFromFile", "Print From File", [this] { PrintFromFile(); },
           K(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
  t.Define(Command::Options, "actionOptions", "Options", [this] { ShowOptions(); });
  menu_->addAction(t.Define(Command::Statistics, "mnustats", "&Statistics...", [this] { ShowStatistics(); }));
  continueAction_ = t.Define(Command::ContinueWhereLeftOff, "mnucontinue", "&Continue where you left off",
                             [this] { SetContinue(continueAction_->isChecked()); });
  continueAction_->setCheckable(true);
  menu_->addAction(continueAction_);
  menu_->addSeparator();
  menu_->addAction(t.Define(Command::Help, "mnuhelp", "Help", [this] { ShowHelp(); }, K(Qt::Key_F1)));
  menu_->addAction(t.Define(Command::About, "mnuabout", "About", [this] { ShowAbout(); }));
  menu_->addSeparator()->setObjectName("dash6");
  menu_->addAction(t.Define(Command::Exit, "cmdexit", "Exit", [this] { ExitProgram(); }, K(Qt::CTRL | Qt::Key_Q)));

  tool(cmdsave, Command::Save, Command::Delete);
  tool(cmdload, Command::Open, Command::Open);
  tool(cmdprint, Command::PrintCurrent, Command::PrintFromFile);
  tool(cmdoptions, Command::Options, Command::Options);
  tool(cmdcopy, Command::CopyPuzzle, Command::CopySolution);
  tool(arrows[0], Command::Previous, Command::First);
  tool(arrows[3], Command::Random, Command::Random);
  tool(arrows[2], Command::Next, Command::Last);
  tool(arrows[1], Command::Browse, Command::Browse);
  tool(undoman, Command::Undo, Command::ClearGrid);
  tool(cmdnew, Command::New, Command::CreateBatch);
  tool(cmdhint, Command::Hint, Command::Hint);
  // Pressing shows the solution; the release always puts the board back.
  connect(cmdshowsol, &BoxControl::MouseDown, this, [this](int, int, double, double) { commands_->Run(Command::ShowSolution); });
  connect(cmdshowsol, &BoxControl::MouseUp, this, [this](int, int, double, double) { ShowSolutionReleased(); });
  connect(commands_, &CommandTable::ModeChanged, this, [this] { updateClock(); });
}

void MainWindow::layOut() {
  const double sx = Twips(central_->width()) / DesignWidth;
  const double sy = Twips(central_->height()) / DesignHeight;
  scale_ = std::max(1.0, std::min(sx, sy));
  const double s = scale_;
  // The designed area, centred in the window.
  const int offX = (central_->width() - Px(DesignWidth, s)) / 2;
  const int offY = (central_->height() - Px(DesignHeight, s)) / 2;
  auto place = [&](QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(offX + Px(left, s), offY + Px(top, s), Px(width, s), Px(height, s));
  };
  const std::array<BoxControl*, 13> buttons = toolButtons();
  for (std::size_t i = 0; i + 1 < buttons.size(); ++i)
    place(buttons[i], 30 + 360.0 * static_cast<double>(i), kToolTop, kTool, kTool);
  for (BoxControl* b : buttons) b->SetScale(s);
  const int top = kPickerRow.top, h = kPickerRow.height;
  place(Label3, 30, top, 690, h);
  place(Label4, 750, top, 690, h);
  place(PuzNumNow, 1470, top, 660, h);
  place(puznumber, 2160, top, 780, h);
  place(cmdhint, 2970, top, kTool, kTool);
  place(Label5, 3360, top, 990, h);
  place(FileNameNowx, kFileRow.left, kFileRow.top, kFileRow.width, kFileRow.height);
  place(board_, kBoardFrame.left, kBoardFrame.top, kBoardFrame.width, kBoardFrame.height);
  place(Frame1, 330, 2700, 3720, 1000);
  busylabel->setGeometry(Frame1->rect());
  place(Label2, kStatus.left, kStatus.top, kStatus.width, kStatus.height);
  place(StatusLine, kStatus.left, kStatus.top, kStatus.width, kStatus.height);
  board_->SetScale(s);

  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(9, Px(165, s)));
  for (QWidget* w : std::initializer_list<QWidget*>{Label3, Label4, PuzNumNow, puznumber, Label5, busylabel}) w->setFont(font);
  QFont small = font;
  small.setPixelSize(std::max(8, Px(140, s)));
  FileNameNowx->setFont(small);
  Label2->setFont(small);
  StatusLine->setFont(small);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  layOut();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The close box ends the program at once, without saving the configuration;
  // a batch is stopped first, its records already begun written whole.
  event->accept();
  StopBatch();
  leaveProgram();
  if (help_) help_->hide();
  QCoreApplication::quit();
}

void MainWindow::changeEvent(QEvent* event) {
  // A release lost to another window must not leave the solution on the board.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) ShowSolutionReleased();
  QMainWindow::changeEvent(event);
  // The clock runs only while the window is active and not minimised.
  if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange) updateClock();
}

std::string MainWindow::configPath() const { return folders_.user + "kelvane.cfg"; }

int MainWindow::MsgboxA(const std::string& text, const std::string& style) { return msgForm_->MsgboxA(text, style); }

void MainWindow::Startup() {
  g_.CellFontName = "Arial";
  g_.CellFontSize = 16;
  g_.LaidOutSize = -1;
  g_.EasyFlag = false;
  g_.PlainBlankFlag = NO;
  g_.ProgramFolder = folders_.program;
  openProgress();

  ConfigValues config;
  const bool firstStart = !FileExists(configPath());
  if (!firstStart && ReadConfigFile(configPath(), config)) {
    ApplyConfig(g_, config);
  } else {
    // A first start has nothing to read: the defaults are written without a word.
    if (!firstStart) MsgboxA(ConfigReadFailedMessage(configPath()), "vbok+vbinformation");
    ConfigValues defaults = DefaultConfig(folders_.user);
    // A first start follows the desktop's dark appearance; from then on the scheme is the user's.
    if (firstStart && prefersDark_()) defaults.ColourSchemeName = DarkSchemeName;
    (void)WriteConfigFile(configPath(), defaults);  // a read-only folder: the program runs on the defaults
    const std::string current = g_.CurrentFile;
    ApplyConfig(g_, defaults);
    g_.CurrentFile = current;
  }

  if (!LoadScheme(g_.ProgramFolder + "all.col", g_.ColourSchemeName, g_.Palette)) {
    MsgboxA(SchemeNotFoundMessage(g_.ColourSchemeName), "vbok+vbcritical");
    g_.ColourSchemeName = "xp.col";
  }
  ApplyScheme();

  std::error_code ec;
  if (g_.CurrentFile.empty() || !std::filesystem::is_regular_file(g_.CurrentFile, ec) ||
      std::filesystem::file_size(g_.CurrentFile, ec) == 0 || ec)
    g_.CurrentFile = folders_.user + "puzzles.kvl";
  const ShowResult r = showFirst(g_.CurrentFile);
  if (!r.found) MsgboxA("Error reading puzzle# 1 in file:\n" + g_.CurrentFile, "vbok+vbcritical");
  board_->setFocus();
}

void MainWindow::ApplyScheme() {
  g_.SignCellColour = g_.Palette[2];
  g_.NumberCellColour = g_.Palette[4];
  setBack(central_, g_.Palette[2]);
  setBack(this, g_.Palette[2]);
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, StatusLine, Label5, FileNameNowx, puznumber, Frame1, busylabel})
    setBack(w, g_.Palette[2]);
  for (QWidget* w : std::initializer_list<QWidget*>{Label3, Label4, PuzNumNow}) setBack(w, g_.Palette[4]);
  board_->SetFrameColour(g_.Palette[5]);
  for (BoxControl* b : toolButtons()) b->SetBackcolor(g_.Palette[DialogColourSlot]);
  gf1->SetBackcolor(g_.Palette[DialogColourSlot]);
  msgForm_->SetBackColour(g_.Palette[2]);
  msgForm_->SetPaletteButtonColour(g_.Palette[DialogColourSlot]);
  msgForm_->SetButtonColour(g_.Palette[DialogColourSlot]);  // every scheme, not only the first
  msgForm_->SetTextColour(ReadableText(g_.Palette[2], g_.MarkedCellBackColour));
  if (!SchemeKeepsMenuColour(g_.ColourSchemeName)) setBack(menuBar(), g_.Palette[3]);
  if (help_) help_->ApplyPalette(g_.Palette);
  RecolourBoard(g_);
  board_->update();
}

void MainWindow::refreshLabels(bool found, const std::string& difficulty) {
  if (!found) {
    Label4->clear();
    Label3->clear();
    PuzNumNow->clear();
    puznumber->clear();
  } else {
    PuzNumNow->setText(QString::number(g_.PuzzleNumber));
    puznumber->setText(QString::fromStdString(" of" + NumText(g_.PuzzleCount)));
    Label3->setText(QString::fromStdString(SizeText(g_.PuzzleSize)));
    lastSize_ = g_.PuzzleSize;
    Label4->setText(QString::fromStdString(difficulty));
    Label5->clear();
  }
  const std::string& f = g_.CurrentFile;
  const std::size_t slash = f.rfind('/');
  FileNameNowx->setText(QString::fromStdString(slash == std::string::npos ? f : f.substr(slash + 1)));
  FileNameNowx->setToolTip(QString::fromStdString(f));
  shownInFile_ = found;
  shownEasy_ = difficulty == "Easy";
  puzzleShown(found);
  resetKeyCursor();
  board_->update();
}

void MainWindow::ShowHelp() {
  if (!help_) help_ = new HelpViewer();
  help_->ApplyPalette(g_.Palette);
  help_->SetPage(QString::fromStdString(g_.ProgramFolder + "kelvane.htm"));
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::ShowAbout() {
  AboutForm about(this);
  about.ApplyPalette(g_.Palette);
  about.exec();
}

bool MainWindow::ExitProgram() {
  if (MsgboxA("Exit?", "vbYesNo+vbquestion") != 6) return false;
  const WriteResult w = WriteConfigFile(configPath(), ConfigFromState(g_));
  if (!w.ok) MsgboxA(ConfigWriteFailedMessage(configPath()), "vbok+vbcritical");
  leaveProgram();
  if (help_) help_->hide();
  QCoreApplication::quit();
  return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the number box goes to the puzzle, Escape puts the shown number
  // back; neither reaches the board's keys.
  if (watched == PuzNumNow && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      commands_->Run(Command::GoToNumber);
      return true;
    }
    if (key == Qt::Key_Escape) {
      PuzNumNow->setText(g_.PuzzleNumber > 0 ? QString::number(g_.PuzzleNumber) : QString());
      board_->setFocus();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Keys the number box passes on are not moves on the board.
  QWidget* focus = focusWidget();
  if (focus == PuzNumNow) {
    event->accept();
    return;
  }
  // Nor are those a tool button or a picker passes on; Escape there gives the keys back to the board.
  if (focus != nullptr && focus != board_ && focus != central_ && focus != this) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
      board_->setFocus(Qt::OtherFocusReason);
      event->accept();
      return;
    }
    QMainWindow::keyPressEvent(event);
    return;
  }
  auto step = [this](Step s) { commands_->Run(Command::Play, [this, s] { KeyStep(s); }); };
  switch (event->key()) {
    case Qt::Key_Left: step(Step::Left); break;
    case Qt::Key_Right: step(Step::Right); break;
    case Qt::Key_Up: step(Step::Up); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (g_.LastChainCell == -1) step(Step::Up);
      break;
    case Qt::Key_Backspace: commands_->Run(Command::Undo); break;
    case Qt::Key_Escape: commands_->Run(Command::ClearChain); break;
    default: QMainWindow::keyPressEvent(event); return;
  }
  event->accept();
}

void MainWindow::ShowOptions() {
  if (!form6_)
    form6_ = new OptionsDialog(g_, g_.ProgramFolder + "all.col", [this] { command2->click(); }, this);
  form6_->exec();
}

void MainWindow::RefreshAppearance() {
  if (!LoadScheme(g_.ProgramFolder + "all.col", g_.ColourSchemeName, g_.Palette)) {
    MsgboxA(SchemeNotFoundMessage(g_.ColourSchemeName), "vbok+vbcritical");
    g_.ColourSchemeName = "xp.col";
  }
  ApplyScheme();
  // ApplyScheme repainted the cells at rest; a chain keeps its colours.
  const std::string chain = g_.ChainString;
  if (!chain.empty()) {
    for (std::size_t p = 0; p + 1 < chain.size(); p += 3) {
      const int cell = IntValue(chain.substr(p, 2));
      const bool end = p == 0 || p + 2 == chain.size();
      g_.Cell[static_cast<std::size_t>(cell)].BackColor = end ? g_.ChainEndColour : g_.ChainCellColour;
      if (p > 0) g_.Cell[static_cast<std::size_t>((cell + IntValue(chain.substr(p - 3, 2))) / 2)].BackColor = g_.ChainCellColour;
    }
  }
  board_->update();
}

}  // namespace kelvane::ui
