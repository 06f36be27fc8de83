// The main window: board, tool buttons, pickers, puzzle number, menu; start-up and exit.
#include "board/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <filesystem>

#include "board/board_widget.h"
#include "board/click_label.h"
#include "board/tool_icons.h"
#include "model/navigation.h"
#include "model/text_rules.h"
#include "settings/colour_scheme.h"
#include "settings/config_file.h"
#include "uikit/about_form.h"
#include "uikit/box_control.h"
#include "uikit/fn_dialog.h"
#include "uikit/help_viewer.h"
#include "uikit/modal.h"
#include "uikit/msg_form.h"
#include "uikit/twips.h"

namespace kelvane::ui {

namespace {

std::string withSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

void setBack(QWidget* w, Colour c) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, ToQColor(c));
  p.setColor(QPalette::Base, ToQColor(c));
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

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
  f.program = withSlash(QCoreApplication::applicationDirPath().toStdString());
  f.user = f.program;
  const QFileInfo dir(QString::fromStdString(f.program));
  if (!dir.isWritable()) {
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
    : QMainWindow(parent), folders_(std::move(folders)), random_(std::random_device{}()) {
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
  connect(PuzNumNow, &QLineEdit::returnPressed, this, [this] { GoToTypedNumber(); });
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
  connect(board_, &BoardWidget::CellHovered, this,
          [this](int i) { Label1->setText(i > 0 ? QString::number(i) : QString()); });

  Frame1 = new QFrame(central_);
  Frame1->setObjectName("Frame1");
  Frame1->setFrameShape(QFrame::Box);
  busylabel = new QLabel(Frame1);
  busylabel->setObjectName("busylabel");
  busylabel->setAlignment(Qt::AlignCenter);
  Frame1->hide();

  command1 = new QPushButton(central_);
  command1->setObjectName("command1");
  command1->hide();
  command2 = new QPushButton(central_);
  command2->setObjectName("command2");
  command2->hide();
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
  if (index == 1) return;  // the browse page comes with the output windows
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
  }
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
  FileStatus status;
  const FileIndex* index = g_.Files.Get(name, &status);
  RawRecord first;
  if (!index || index->hasNul || ReadRawRecord(g_.Files, name, 1, first) != ReadStatus::Ok) {
    std::string why = index && index->hasNul ? "The file holds binary data: it is not a puzzle file."
                                             : DescribeReadStatus(index ? ReadRawRecord(g_.Files, name, 1, first)
                                                                        : status == FileStatus::Missing ? ReadStatus::Missing
                                                                                                        : ReadStatus::Unreadable);
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
  const WriteResult w = DeleteRecord(g_.Files, g_.CurrentFile, n);
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

}  // namespace kelvane::ui
