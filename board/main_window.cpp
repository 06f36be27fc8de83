// The main window: board, tool buttons, pickers, puzzle number, menu; start-up and exit.
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
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <chrono>
#include <filesystem>

#include "board/board_picture.h"
#include "board/board_widget.h"
#include "board/click_label.h"
#include "board/create_dialog.h"
#include "engine/batch.h"
#include "output/browse_screen_qt.h"
#include "output/printing_qt.h"
#include "model/folders.h"
#include "model/navigation.h"
#include "model/text_rules.h"
#include "settings/colour_scheme.h"
#include "settings/config_file.h"
#include "settings/options_dialog.h"
#include "uikit/about_form.h"
#include "uikit/box_control.h"
#include "uikit/fn_dialog.h"
#include "uikit/help_viewer.h"
#include "uikit/modal.h"
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
      lists_(folders_.program) {
  setObjectName("Form1");
  setWindowTitle("Kelvane");
  buildWidgets();
}

MainWindow::~MainWindow() { delete help_; }

void MainWindow::buildWidgets() {
  central_ = new QWidget(this);
  setCentralWidget(central_);
  msgForm_ = new MsgForm(this);
  msgForm_->setWindowTitle("Kelvane");

  auto tool = [&](const char* name, const char* tip, ToolIcon icon) {
    auto* b = new BoxControl(central_);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->SetPicture(QIcon(DrawToolIcon(icon, 128)), QSize(18, 18));
    return b;
  };
  cmdsave = tool("cmdsave", "Save Puzzle, rightclick to delete", ToolIcon::Save);
  cmdload = tool("cmdload", "Load a Puzzle File", ToolIcon::Open);
  cmdprint = tool("cmdprint", "Print Current Puzzle, rightclick to print from file", ToolIcon::Print);
  cmdoptions = tool("cmdoptions", "Set Options", ToolIcon::Options);
  cmdcopy = tool("cmdcopy", "Copy Puzzle to Clipboard, rightclick to copy Solution", ToolIcon::Copy);
  arrows[0] = tool("arrows_0", "Previous Puzzle, rightclick for first puzzle", ToolIcon::Previous);
  arrows[3] = tool("arrows_3", "Go to a random puzzle in file", ToolIcon::Random);
  arrows[2] = tool("arrows_2", "Next Puzzle, rightclick for last puzzle", ToolIcon::Next);
  arrows[1] = tool("arrows_1", "Browse Puzzle File", ToolIcon::Browse);
  cmdshowsol = tool("cmdshowsol", "Show Solution", ToolIcon::Solution);
  undoman = tool("undoman", "Undo Last Move, rightclick to clear all moves", ToolIcon::Undo);
  cmdnew = tool("cmdnew", "Create New Puzzle, rightclick for options", ToolIcon::New);
  cmdhint = tool("cmdhint", "Get Hint", ToolIcon::Hint);

  connect(cmdsave, &BoxControl::MouseUp, this, [this](int button, int, double, double) {
    if (button == 1) SaveCurrent();
    else if (button == 2) DeleteCurrent();
  });
  connect(cmdload, &BoxControl::MouseUp, this, [this](int button, int, double, double) {
    if (button == 1 || button == 2) OpenFile();
  });
  for (int i = 0; i < 4; ++i) {
    connect(arrows[static_cast<std::size_t>(i)], &BoxControl::MouseUp, this,
            [this, i](int button, int, double, double) { Arrow(i, button); });
  }
  connect(cmdhint, &BoxControl::MouseUp, this, [this](int button, int, double, double) {
    if (button == 1 || button == 2) GiveHint();
  });
  connect(cmdshowsol, &BoxControl::MouseDown, this, [this](int, int, double, double) { ShowSolutionPressed(); });
  connect(cmdshowsol, &BoxControl::MouseUp, this, [this](int, int, double, double) { ShowSolutionReleased(); });
  connect(undoman, &BoxControl::MouseUp, this, [this](int button, int, double, double) {
    if (button == 1) UndoMove();
    else if (button == 2) StartOver();
  });
  connect(cmdnew, &BoxControl::MouseUp, this, [this](int button, int, double, double) {
    if (button == 1) NewPuzzle();
    else if (button == 2) CreatePuzzles();
  });
  connect(cmdoptions, &BoxControl::MouseUp, this, [this](int button, int, double, double) {
    if (button == 1 || button == 2) ShowOptions();
  });
  connect(cmdprint, &BoxControl::MouseUp, this, [this](int button, int, double, double) {
    if (button == 1) PrintCurrent();
    else if (button == 2) PrintFromFile();
  });
  connect(cmdcopy, &BoxControl::MouseUp, this, [this](int button, int, double, double) {
    if (button == 1) (void)CopyBoardPicture(g_, GridMode::Puzzle);
    else if (button == 2) (void)CopyBoardPicture(g_, GridMode::Solution);
  });

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
  connect(Label3, &ClickLabel::Released, this, [this](int) { CycleSize(); });
  connect(Label4, &ClickLabel::Released, this, [this](int) { CycleDifficulty(); });

  PuzNumNow = new QLineEdit(central_);
  PuzNumNow->setObjectName("PuzNumNow");
  PuzNumNow->setAlignment(Qt::AlignCenter);
  PuzNumNow->setToolTip("Type a puzzle number and press Enter");
  PuzNumNow->installEventFilter(this);
  puznumber = new QLabel("of", central_);
  puznumber->setObjectName("puznumber");
  Label5 = new QLabel("Current Sum", central_);
  Label5->setObjectName("Label5");
  Label5->setToolTip("Current Sum");
  Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FileNameNowx = new QLabel(central_);
  FileNameNowx->setObjectName("FileNameNowx");
  Label1 = new QLabel("Label1", central_);
  Label1->setObjectName("Label1");
  Label1->hide();  // outside the shown area
  Label2 = new QLabel(central_);
  Label2->setObjectName("Label2");

  board_ = new BoardWidget(g_, central_);
  board_->setFocusPolicy(Qt::StrongFocus);
  connect(board_, &BoardWidget::CellHovered, this,
          [this](int i) { Label1->setText(i > 0 ? QString::number(i) : QString()); });
  connect(board_, &BoardWidget::CellReleased, this, [this](int i, int button) { CellReleased(i, button); });

  Frame1 = new QFrame(central_);
  Frame1->setObjectName("Frame1");
  Frame1->setFrameShape(QFrame::Box);
  busylabel = new ClickLabel(Frame1);
  busylabel->setObjectName("busylabel");
  busylabel->setAlignment(Qt::AlignCenter);
  busylabel->setCursor(Qt::PointingHandCursor);
  connect(busylabel, &ClickLabel::Released, this, [this](int) { BusyLabelReleased(); });
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
  QAction* help = file->addAction("Help", this, [this] { ShowHelp(); });
  help->setObjectName("mnuhelp");
  help->setShortcut(QKeySequence(Qt::Key_F1));
  QAction* about = file->addAction("About", this, [this] { ShowAbout(); });
  about->setObjectName("mnuabout");
  file->addSeparator()->setObjectName("dash6");
  cmdexit = file->addAction("Exit", this, [this] { ExitProgram(); });
  cmdexit->setObjectName("cmdexit");
  cmdexit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  auto key = [&](QKeySequence seq, auto fn) {
    auto* s = new QShortcut(seq, this);
    connect(s, &QShortcut::activated, this, fn);
  };
  key(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { OpenFile(); });
  key(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { SaveCurrent(); });
  key(QKeySequence(Qt::Key_PageUp), [this] { Arrow(0, 1); });
  key(QKeySequence(Qt::Key_PageDown), [this] { Arrow(2, 1); });
  key(QKeySequence(Qt::Key_Home), [this] { Arrow(0, 2); });
  key(QKeySequence(Qt::Key_End), [this] { Arrow(2, 2); });
  key(QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { UndoMove(); });
  key(QKeySequence(Qt::CTRL | Qt::Key_N), [this] { NewPuzzle(); });
  key(QKeySequence(Qt::Key_H), [this] { GiveHint(); });
  key(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { PrintCurrent(); });
  key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [this] { PrintFromFile(); });
  key(QKeySequence(Qt::CTRL | Qt::Key_C), [this] { (void)CopyBoardPicture(g_, GridMode::Puzzle); });
  key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [this] { (void)CopyBoardPicture(g_, GridMode::Solution); });

  const QSize designed(Px(DesignWidth), Px(DesignHeight));
  central_->setMinimumSize(designed);
  resize(Px(DesignWidth, 1.8), Px(DesignHeight, 1.8) + menuBar()->sizeHint().height());
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
  const std::array<BoxControl*, 12> row = {cmdsave, cmdload, cmdprint, cmdoptions, cmdcopy, arrows[0],
                                           arrows[3], arrows[2], arrows[1], cmdshowsol, undoman, cmdnew};
  for (std::size_t i = 0; i < row.size(); ++i) place(row[i], 30 + 360.0 * static_cast<double>(i), kToolTop, kTool, kTool);
  for (BoxControl* b : row) b->SetScale(s);
  cmdhint->SetScale(s);
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
  board_->SetScale(s);

  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(9, Px(165, s)));
  for (QWidget* w : std::initializer_list<QWidget*>{Label3, Label4, PuzNumNow, puznumber, Label5, busylabel}) w->setFont(font);
  QFont small = font;
  small.setPixelSize(std::max(8, Px(140, s)));
  FileNameNowx->setFont(small);
  Label2->setFont(small);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  layOut();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The close box ends the program at once, without saving the configuration.
  event->accept();
  if (help_) help_->hide();
  QCoreApplication::quit();
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

  ConfigValues config;
  if (ReadConfigFile(configPath(), config)) {
    ApplyConfig(g_, config);
  } else {
    MsgboxA(ConfigReadFailedMessage(configPath()), "vbok+vbinformation");
    const ConfigValues defaults = DefaultConfig(folders_.user);
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
  const ShowResult r = ShowPuzzle(g_, g_.CurrentFile, 1);
  refreshLabels(r.found, r.difficulty);
  if (!r.found) MsgboxA("Error reading puzzle# 1 in file:\n" + g_.CurrentFile, "vbok+vbcritical");
  board_->setFocus();
}

void MainWindow::ApplyScheme() {
  g_.SignCellColour = g_.Palette[2];
  g_.NumberCellColour = g_.Palette[4];
  setBack(central_, g_.Palette[2]);
  setBack(this, g_.Palette[2]);
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Label5, FileNameNowx, puznumber, Frame1, busylabel})
    setBack(w, g_.Palette[2]);
  for (QWidget* w : std::initializer_list<QWidget*>{Label3, Label4, PuzNumNow}) setBack(w, g_.Palette[4]);
  board_->SetFrameColour(g_.Palette[5]);
  for (BoxControl* b : {cmdload, cmdshowsol, cmdnew, cmdsave, cmdprint, cmdoptions, cmdhint, cmdcopy, undoman,
                        arrows[0], arrows[1], arrows[2], arrows[3]})
    b->SetBackcolor(g_.Palette[DialogColourSlot]);
  gf1->SetBackcolor(g_.Palette[DialogColourSlot]);
  msgForm_->SetBackColour(g_.Palette[2]);
  msgForm_->SetPaletteButtonColour(g_.Palette[DialogColourSlot]);
  msgForm_->SetTextColour(g_.MarkedCellBackColour);
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
    Label4->setText(QString::fromStdString(difficulty));
    Label5->clear();
  }
  const std::string& f = g_.CurrentFile;
  const std::size_t slash = f.rfind('/');
  FileNameNowx->setText(QString::fromStdString(slash == std::string::npos ? f : f.substr(slash + 1)));
  FileNameNowx->setToolTip(QString::fromStdString(f));
  resetKeyCursor();
  board_->update();
}

void MainWindow::ShowPuzzleNumber(int n) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const ShowResult r = ShowPuzzle(g_, g_.CurrentFile, n);
  refreshLabels(r.found, r.difficulty);
  QApplication::restoreOverrideCursor();
}

bool MainWindow::reportNotFound(int n, bool plainBox) {
  const std::string text = "Error reading puzzle#" + NumText(n);
  if (plainBox) {
    if (ModalAnswerer* a = InstalledAnswerer()) a->PlainMessage(text, false);
    else QMessageBox::warning(this, "Kelvane", QString::fromStdString(text));
  } else {
    MsgboxA(text, "vbok+vbcritical");
  }
  return false;
}

void MainWindow::Arrow(int index, int button) {
  if (button != 1 && button != 2) return;
  if (g_.PuzzleNumber == 1 && g_.PuzzleCount == 1) return;
  if (index == 1) {
    Browse();
    return;
  }
  const double r = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
  const int target = ArrowTarget(index, button, g_.PuzzleNumber, g_.PuzzleCount, r);
  if (target == 0) return;
  const int old = g_.PuzzleNumber;
  const ShowResult shown = ShowPuzzle(g_, g_.CurrentFile, target);
  refreshLabels(shown.found, shown.difficulty);
  if (!shown.found) {
    reportNotFound(target, index == 3);
    ShowPuzzleNumber(old);
  }
}

void MainWindow::GoToTypedNumber() {
  const int n = IntValue(PuzNumNow->text().toStdString());
  if (n < 1 || n > g_.PuzzleCount) return;
  const int old = g_.PuzzleNumber;
  const ShowResult shown = ShowPuzzle(g_, g_.CurrentFile, n);
  refreshLabels(shown.found, shown.difficulty);
  if (!shown.found) {
    reportNotFound(n, false);
    ShowPuzzleNumber(old);
    return;
  }
  board_->setFocus();  // the keys play the new puzzle
}

void MainWindow::OpenFile() {
  gf1->SetTitle("Select a Puzzle file to open");
  gf1->SetFileTypes("*.kvl;*.txt;*.dat");
  gf1->SetFileTypesName("Kelvane Files");
  gf1->SetTitle("Kelvane");
  gf1->SetDefaultDir(g_.ProgramFolder);
  const std::string name = gf1->GetFileName("OPEN");
  if (name.empty()) return;
  // The file is looked at before the board changes: a file that cannot be
  // shown leaves the puzzle on the board as it was.
  RawRecord first;
  const ReadStatus read = ReadRawRecord(g_.Files, name, 1, first);
  const FileIndex* index = read == ReadStatus::Ok ? g_.Files.Get(name) : nullptr;
  std::string why;
  if (read != ReadStatus::Ok) {
    why = DescribeReadStatus(read);
  } else if (index && index->hasNul) {
    why = "The file holds binary data: it is not a puzzle file.";
  } else if (const ParsedRecord r = ParseRecord(first);
             (r.SizeDigit != 5 && r.SizeDigit != 7 && r.SizeDigit != 9) ||
             r.Cells.size() < static_cast<std::size_t>(r.Size * r.Size)) {
    why = "Its first record has no 5x5, 7x7 or 9x9 board: the file is not a puzzle file.";
  }
  if (!why.empty()) {
    MsgboxA("Error reading puzzle# 1\n" + why, "vbok+vbcritical");
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const ShowResult r = ShowPuzzle(g_, name, 1);
  refreshLabels(r.found, r.difficulty);
  QApplication::restoreOverrideCursor();
}

void MainWindow::SaveCurrent() {
  gf1->SetTitle("Select an output Puzzle file");
  gf1->SetFileTypes("*.kvl");
  gf1->SetFileTypesName("Kelvane Files");
  gf1->SetTitle("Kelvane");
  gf1->SetDefaultDir(g_.ProgramFolder);
  const std::string name = gf1->GetFileName("SAVE");
  if (name.empty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const SaveResult s = SaveCurrentPuzzle(g_, name);
  QApplication::restoreOverrideCursor();
  MsgboxA(s.message, s.style);
  if (s.ok && name == g_.CurrentFile) {
    g_.PuzzleCount = CountPuzzles(g_.Files, name);
    puznumber->setText(QString::fromStdString(" of" + NumText(g_.PuzzleCount)));
  }
}

void MainWindow::DeleteCurrent() {
  if (MsgboxA("Delete current puzzle from file?", "vbYesNo+vbquestion") != 6) return;
  // The puzzle on the board, not whatever was typed into the number box.
  int n = g_.PuzzleNumber;
  if (n < 1) return;
  const ShownRecord shown{g_.MarkedCell, GridText(g_)};
  const WriteResult w = DeleteRecord(g_.Files, g_.CurrentFile, n, &shown);
  if (!w.ok) {
    MsgboxA(w.message + "\n" + w.reason, "vbok+vbcritical");
    return;
  }
  if (n == g_.PuzzleCount) {
    --n;
    --g_.PuzzleCount;
  }
  ShowPuzzleNumber(n < 1 ? 1 : n);
  MsgboxA("Done", "vbok+vbinformation");
}

void MainWindow::CycleSize() {
  const int next = NextPickerSize(IntValue(Label3->text().toStdString()));
  if (next != 0) Label3->setText(QString::fromStdString(SizeText(next)));
}

void MainWindow::CycleDifficulty() {
  if (Label4->text() != "Hard") {
    Label4->setText("Hard");
    g_.EasyFlag = false;
  } else {
    Label4->setText("Easy");
    g_.EasyFlag = true;
  }
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
  if (help_) help_->hide();
  QCoreApplication::quit();
  return true;
}

void MainWindow::showSum() { Label5->setText(QString::number(g_.CurrentSum)); }

void MainWindow::resetKeyCursor() {
  keyCursor_ = g_.Geo.N > 0 ? g_.CellAt(g_.Geo.N, 1) : 0;
  board_->SetCursorCell(keyCursor_);
}

void MainWindow::afterMove(const MoveOutcome& outcome) {
  board_->update();
  if (outcome.move == Move::Ignored) return;
  showSum();
  if (outcome.won) MsgboxA("Well done you got it!", "vbok+vbhappy");
}

void MainWindow::CellReleased(int i, int button) {
  if (showingSolution_) return;
  if (button == 2) {
    AskClearChain();
    return;
  }
  if (button != 1) return;
  afterMove(LeftRelease(g_, i));
}

void MainWindow::AskClearChain() {
  if (MsgboxA("Clear chain?", "vbYesNo+vbquestion") != 6) return;
  ClearChain(g_);
  showSum();
  resetKeyCursor();
  board_->update();
}

void MainWindow::KeyStep(Step step) {
  if (showingSolution_) return;
  if (g_.LastChainCell != -1) {
    afterMove(StepChain(g_, step));
    return;
  }
  // No chain yet: a cursor walks the bottom row, Up starts the chain there.
  const int N = g_.Geo.N;
  if (N == 0 || keyCursor_ == 0) return;
  const int c = g_.ColOf(keyCursor_);
  if (step == Step::Up) {
    afterMove(LeftRelease(g_, keyCursor_));
    return;
  }
  const int next = g_.CellAt(N, step == Step::Left ? c - 2 : c + 2);
  if (next > 0) keyCursor_ = next;
  board_->SetCursorCell(keyCursor_);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the number box goes to the puzzle, Escape puts the shown number
  // back; neither reaches the board's keys.
  if (watched == PuzNumNow && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      GoToTypedNumber();
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
  if (focusWidget() == PuzNumNow) {
    event->accept();
    return;
  }
  switch (event->key()) {
    case Qt::Key_Left: KeyStep(Step::Left); break;
    case Qt::Key_Right: KeyStep(Step::Right); break;
    case Qt::Key_Up: KeyStep(Step::Up); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (g_.LastChainCell == -1) KeyStep(Step::Up);
      break;
    case Qt::Key_Backspace: UndoMove(); break;
    case Qt::Key_Escape: AskClearChain(); break;
    default: QMainWindow::keyPressEvent(event); return;
  }
  event->accept();
}

void MainWindow::GiveHint() {
  if (showingSolution_) return;
  const HintOutcome h = Hint(g_);
  if (h.noMoreHints) {
    const std::string text = "Sorry, no more hints";
    if (ModalAnswerer* a = InstalledAnswerer()) a->PlainMessage(text, false);
    else QMessageBox::information(this, "Kelvane", QString::fromStdString(text));
    return;
  }
  afterMove(h.last);
}

void MainWindow::ShowSolutionPressed() {
  if (showingSolution_) return;
  showingSolution_ = true;
  PressShowSolution(g_);
  board_->update();
}

void MainWindow::ShowSolutionReleased() {
  if (!showingSolution_) return;
  showingSolution_ = false;
  ReleaseShowSolution(g_);
  board_->update();
}

void MainWindow::UndoMove() {
  // The tooltip promises it: a left click takes back the chain's last step.
  if (showingSolution_) return;
  afterMove(UndoLastStep(g_));
  if (g_.LastChainCell == -1) resetKeyCursor();
}

void MainWindow::StartOver() {
  if (MsgboxA("Clear Grid?", "vbYesNo+vbquestion") != 6) return;
  ShowPuzzleNumber(g_.PuzzleNumber);
}

bool MainWindow::makeOnePuzzle(int size) {
  g_.PuzzleSize = size;
  g_.CancelRequested = NO;
  g_.Cell[0].Visible = false;
  g_.Solution.clear();
  LayOutBoard(g_, size);
  // Each call tries up to 100 boards; a list that yields nothing in 200 calls is no use.
  for (int calls = 0; calls < 200; ++calls) {
    std::string error;
    if (MakePuzzle(g_, lists_, rng_, &error) == 0) {
      RecolourBoard(g_);
      g_.LastChainCell = -1;
      g_.ChainString.clear();
      g_.CurrentSum = 0;
      g_.Undolist.clear();
      return true;
    }
    if (!error.empty()) {
      MsgboxA(error, "vbok+vbcritical");
      return false;
    }
  }
  MsgboxA("No puzzle could be made with the chain list \"" + ChainListName(size) + "\".", "vbok+vbcritical");
  return false;
}

void MainWindow::NewPuzzle() {
  if (!cmdnew->Enabled()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  cmdnew->SetEnabled(false);
  Label2->setText("Creating New Puzzle ...");
  int size = IntValue(Label3->text().toStdString());
  if (size != 5 && size != 7 && size != 9) size = 9;
  g_.EasyFlag = Label4->text() != "Hard";
  const bool made = makeOnePuzzle(size);
  if (made) {
    const std::string f = folders_.user + "temppuzzlefile.txt";
    int number = 0;
    const WriteResult w = AppendRecord(g_, number, f);
    if (!w.ok) {
      MsgboxA(w.message + "\n" + w.reason, "vbok+vbcritical");
    } else {
      const ShowResult r = ShowPuzzle(g_, f, 1);
      refreshLabels(r.found, r.difficulty);
    }
  }
  Label2->setText(made ? "New Puzzle Created" : "");
  board_->update();
  QApplication::restoreOverrideCursor();
  cmdnew->SetEnabled(true);
}

void MainWindow::showBusy(const std::string& text, bool cancellable) {
  busylabel->setText(QString::fromStdString(cancellable ? text + "\nclick here to cancel" : text));
  Frame1->show();
  Frame1->raise();
}

void MainWindow::hideBusy() {
  busylabel->clear();
  Frame1->hide();
}

void MainWindow::BusyLabelReleased() {
  if (cancel_.load()) return;
  if (MsgboxA("Cancel?", "vbYesNo+vbquestion") == 6) {
    cancel_ = true;
    g_.CancelRequested = YES;
  }
}

void MainWindow::setBusyInputs(bool busy) {
  // While a batch runs only the busy panel takes clicks.
  for (QWidget* w : std::initializer_list<QWidget*>{board_, Label3, Label4, PuzNumNow, menuBar()}) w->setEnabled(!busy);
  for (BoxControl* b : {cmdload, cmdshowsol, cmdnew, cmdsave, cmdprint, cmdoptions, cmdhint, cmdcopy, undoman,
                        arrows[0], arrows[1], arrows[2], arrows[3]})
    b->SetEnabled(!busy);
}

void MainWindow::CreatePuzzles() {
  if (!form3_) form3_ = new CreateDialog(*msgForm_, this);
  form3_->Prepare(g_.ProgramFolder, g_.Palette, folders_.user);
  form3_->exec();
  QCoreApplication::processEvents();
  if (form3_->Tag() != "Y") return;

  const int n = form3_->Count();
  const std::string out = form3_->OutputFile();
  g_.EasyFlag = form3_->Easy();
  int size = form3_->Size();
  if (form3_->DisplayOnly()) {
    // One puzzle for display: made on the board, written nowhere.
    if (size == 0) size = 5 + 2 * (rng_.Pick(3) - 1);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool made = makeOnePuzzle(size);
    QApplication::restoreOverrideCursor();
    if (!made) return;
    Label4->setText(g_.EasyFlag ? "Easy" : "Hard");
    hideBusy();
    Label2->setText("New Puzzle Created");
    Label3->setText(QString::fromStdString(SizeText(g_.PuzzleSize)));
    Label5->clear();
    resetKeyCursor();
    board_->update();
    MsgboxA("Done", "vbinformation+vbok");
    return;
  }

  const std::string returnFile = g_.CurrentFile;
  const int returnNumber = g_.PuzzleNumber < 1 ? 1 : g_.PuzzleNumber;
  g_.Cell[0].Visible = false;
  g_.LaidOutSize = -1;
  BatchResult r;
  if (n > 0) {
    BatchOptions o;
    o.count = n;
    o.size = size;
    o.easy = g_.EasyFlag;
    o.outFile = out;
    o.seed = Random::FreshSeed();
    o.threads = 1;
    r = RunBatch(o);
  }
  const ShowResult shown = ShowPuzzle(g_, returnFile, returnNumber);
  refreshLabels(shown.found, shown.difficulty);
  if (r.failed) MsgboxA(r.message, "vbok+vbcritical");
  MsgboxA(NumText(r.added) + " Puzzles added to file: " + out, "vbinformation+vbok");
  if (r.exhausted)
    MsgboxA("New puzzles of this size and difficulty have become too rare: almost every puzzle made is already in the file.",
            "vbok+vbinformation");
  Label2->clear();
  Label5->clear();
}

BatchResult MainWindow::RunBatch(const BatchOptions& o) {
  cancel_ = false;
  g_.CancelRequested = NO;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  setBusyInputs(true);
  auto progressText = [&](int k) {
    showBusy("Creating P#" + std::to_string(k) + " of" + NumText(o.count) + "\nFile: " + o.outFile);
    setWindowTitle(QString::fromStdString("New " + std::to_string(k) + " of" + NumText(o.count)));
  };
  Label2->setText("Creating New Puzzle ...");
  Label5->clear();
  progressText(1);
  QCoreApplication::processEvents();
  auto lastYield = std::chrono::steady_clock::now();
  const BatchResult r = CreateBatch(o, lists_, g_.Files, cancel_, [&](int done, int total) {
    // The window is kept alive a few dozen times a second, not once per puzzle.
    const auto now = std::chrono::steady_clock::now();
    if (now - lastYield < std::chrono::milliseconds(30) && done < total) return;
    lastYield = now;
    progressText(std::min(done + 1, total));
    QCoreApplication::processEvents();
  });
  setBusyInputs(false);
  cancel_ = false;
  g_.CancelRequested = NO;
  hideBusy();
  QApplication::restoreOverrideCursor();
  return r;
}

std::optional<PrintTarget> MainWindow::chooseTarget() {
  const QPrinterInfo installed = QPrinterInfo::defaultPrinter();
  if (!installed.isNull() && !InstalledAnswerer()) return PrintTarget{false, installed.printerName().toStdString(), {}};
  // No printer (or a test): the page goes into a PDF file the user names.
  gf1->SetTitle("Save the printed page as PDF");
  gf1->SetFileTypes("*.pdf");
  gf1->SetFileTypesName("PDF Files");
  gf1->SetDefaultDir(folders_.user);
  std::string pdf = gf1->GetFileName("SAVE");
  if (pdf.empty()) return std::nullopt;
  if (QFileInfo(QString::fromStdString(pdf)).suffix().isEmpty()) pdf += ".pdf";
  return PrintTarget{true, {}, pdf};
}

PrintResult MainWindow::printTo(const PrintTarget& target, const std::function<PrintResult(QPagedPaintDevice&)>& draw,
                                const std::string& documentTitle) {
  if (target.pdf) return PrintToPdf(target.pdfPath, DefaultPaper(), draw, documentTitle);
  QPrinter printer(QPrinter::HighResolution);
  printer.setPrinterName(QString::fromStdString(target.printerName));
  if (!printer.isValid()) return {false, "The printer " + target.printerName + " is not available."};
  printer.setDocName(QString::fromStdString(documentTitle));
  return draw(printer);
}

void MainWindow::Browse() {
  if (!form2_) {
    form2_ = new BrowseScreen(g_, *msgForm_, [this](int n) {
      command1->setProperty("Tag", QString::number(n));
      command1->click();
    }, this);
    form2_->SetPrintImage([this](const QImage& image) {
      const std::optional<PrintTarget> target = chooseTarget();
      if (!target) return;
      const PrintResult r = printTo(*target, [&](QPagedPaintDevice& device) -> PrintResult {
        QPainter painter;
        if (!painter.begin(&device)) return {false, "The printer could not be started."};
        const QRect page = painter.viewport();
        const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRect(page.topLeft(), fitted), image);
        if (!painter.end()) return {false, "The printer did not finish the page."};
        return {true, {}, 1, 0};
      }, "Kelvane browse page");
      if (!r.ok) MsgboxA("Printing failed.\n" + r.message, "vbok+vbcritical");
    });
  }
  form2_->OpenAtFirstPage();
  form2_->exec();
  QCoreApplication::processEvents();
  // The browse screen counts the file afresh; it may have grown meanwhile.
  puznumber->setText(QString::fromStdString(" of" + NumText(g_.PuzzleCount)));
}

void MainWindow::PrintCurrent() {
  if (MsgboxA("Print Puzzle and its solution?", "vbYesNo+vbquestion") != 6) return;
  const std::optional<PrintTarget> target = chooseTarget();
  if (!target) return;
  showBusy("Printing...", false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string number = PuzNumNow->text().toStdString();
  const PrintResult r = printTo(*target, [&](QPagedPaintDevice& device) {
    return PrintCurrentPuzzle(g_, device, number);
  }, "Kelvane puzzle " + number);
  hideBusy();
  QApplication::restoreOverrideCursor();
  if (!r.ok) {
    MsgboxA("Printing failed.\n" + r.message, "vbok+vbcritical");
    return;
  }
  MsgboxA("Done", "vbok+vbinformation");
}

void MainWindow::PrintFromFile() {
  if (!form5_) {
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    form5_ = new PrintFileDialog(*msgForm_, QPrinterInfo::availablePrinterNames(), preferred.printerName(), this);
  }
  form5_->Prepare(g_.CurrentFile, g_.Palette, g_.ProgramFolder, folders_.user);
  form5_->exec();
  QCoreApplication::processEvents();
  const std::optional<FilePrintJob> job = form5_->Job();
  if (!job) return;
  RunFilePrint(*job, form5_->Target());
}

void MainWindow::RunFilePrint(const FilePrintJob& job, const PrintTarget& target) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string returnFile = g_.CurrentFile;
  const int returnNumber = g_.PuzzleNumber < 1 ? 1 : g_.PuzzleNumber;
  showBusy("Printing...", false);
  QCoreApplication::processEvents();
  // Every record of the range is read before the first page starts, so a
  // damaged record stops the run with nothing printed.
  std::string problem = PrintRangeProblem(g_.Files, job);
  PrintResult r;
  if (problem.empty()) {
    const std::string what = job.mode == GridMode::Solution ? "solutions" : "puzzles";
    r = printTo(target, [&](QPagedPaintDevice& device) { return PrintFileRange(g_, device, job); },
                "Kelvane " + what + " " + std::to_string(job.first) + " to " + std::to_string(job.last));
    if (!r.ok) problem = r.message;
  }
  g_.CancelRequested = NO;
  cancel_ = false;
  const ShowResult shown = ShowPuzzle(g_, returnFile, returnNumber);
  refreshLabels(shown.found, shown.difficulty);
  hideBusy();
  QApplication::restoreOverrideCursor();
  if (!problem.empty()) {
    std::string outcome = "Nothing was printed.";
    if (target.pdf && r.pages > 0) outcome = "The PDF file was not written.";
    else if (r.pages > 0) outcome = "Printing stopped on page " + std::to_string(r.pages) + ".";
    MsgboxA("Printing failed.\n" + problem + "\n" + outcome, "vbok+vbcritical");
  } else {
    MsgboxA("Done", "vbinformation+vbok");
  }
  QCoreApplication::processEvents();
}

void MainWindow::ShowOptions() {
  if (!form6_)
    form6_ = new OptionsDialog(g_, g_.ProgramFolder + "all.col", [this] { command2->click(); }, this);
  form6_->exec();
  QCoreApplication::processEvents();
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
