// The kit for real: the button box, the message box (its style grammar as shown, keys, mouse and size), the file
// chooser, the help viewer, the About window, the anchors of the help page and the Options dialog.
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <memory>
#include <tuple>

#include "modal_answers.h"
#include "settings/options_dialog.h"
#include "test_support.h"
#include "uikit/about_form.h"
#include "uikit/box_control.h"
#include "uikit/colours.h"
#include "uikit/fn_dialog.h"
#include "uikit/help_viewer.h"
#include "uikit/icons.h"
#include "uikit/msg_form.h"
#include "uikit/msg_style.h"
#include "uikit/twips.h"

namespace kelvane::ui {

// Takes the addresses the program opens in place of the web browser.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  std::vector<QUrl> opened;
 public slots:
  void Open(const QUrl& url) { opened.push_back(url); }
};

namespace {

class BoxControlTest : public ::testing::Test {
 protected:
  BoxControlTest() {
    box.SetBackcolor(RGB(0, 0, 255));
    const auto record = [this](const char* what) {
      return [this, what](int b, int, double, double) { events.push_back(what + (" " + std::to_string(b))); };
    };
    QObject::connect(&box, &BoxControl::MouseDown, record("down"));
    QObject::connect(&box, &BoxControl::MouseUp, record("up"));
  }

  QImage Picture() { return box.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // A pixel in the box's own coordinates, whatever the device pixel ratio.
  static QColor At(const QImage& image, int x, int y) {
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
  }

  BoxControl box;
  std::vector<std::string> events;
};

// The second row is the box at twice the design size.
TEST_F(BoxControlTest, MouseReportsTheButtonAndShowsTheBorderWhileHeldUnlessDisabled) {
  for (const auto& [button, scale, code] : {std::tuple{Qt::LeftButton, 1.0, 1}, {Qt::RightButton, 2.0, 2}}) {
    SCOPED_TRACE(code);
    box.SetScale(scale);
    box.resize(Px(360, scale), Px(360, scale));
    const int mid = box.height() / 2, right = box.width() - 1, inset = Px(20, scale);
    events.clear();
    // Raised: white left edge, black a little inside the right and bottom.
    const QImage up = Picture();
    EXPECT_EQ(At(up, 0, mid), QColor(Qt::white));
    EXPECT_EQ(At(up, right - inset, mid), QColor(Qt::black));
    EXPECT_EQ(At(up, mid, box.height() - 1 - inset), QColor(Qt::black));
    EXPECT_EQ(At(up, right, mid), QColor(0, 0, 255));
    QTest::mousePress(&box, button);
    EXPECT_EQ(At(Picture(), 0, mid), QColor(Qt::black));
    EXPECT_EQ(At(Picture(), right, mid), QColor(Qt::black));
    QTest::mouseRelease(&box, button);
    EXPECT_EQ(Picture(), up);
    EXPECT_EQ(events, (std::vector<std::string>{"down " + std::to_string(code), "up " + std::to_string(code)}));
  }
  // Other buttons report nothing; nor does any while disabled, as during a batch, nor show the border.
  events.clear();
  QTest::mousePress(&box, Qt::BackButton);
  EXPECT_EQ(box.BorderStyle(), 0);
  QTest::mouseRelease(&box, Qt::BackButton);
  box.SetEnabled(false);
  for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
    QTest::mousePress(&box, b);
    EXPECT_EQ(box.BorderStyle(), 0);
    QTest::mouseRelease(&box, b);
  }
  EXPECT_TRUE(events.empty());
  box.SetEnabled(true);
  QTest::mouseClick(&box, Qt::LeftButton);
  EXPECT_EQ(events.size(), 2u);
}

const MsgButton Ok{"Ok", 1}, Cancel{"Cancel", 2}, Retry{"Retry", 4}, Yes{"Yes", 6}, No{"No", 7};

// The real window, driven like a user while MsgboxA waits.
class MsgFormWindow : public ::testing::Test {
 protected:
  QPushButton* Cmd(int i) { return form.findChild<QPushButton*>(QStringLiteral("cmd_%1").arg(i)); }

  // Runs MsgboxA and acts on the open box.
  int Answer(const std::string& text, const std::string& style, const std::function<void()>& act) {
    WhenOpen<MsgForm>([&](MsgForm&) { act(); });
    return form.MsgboxA(text, style);
  }

  void Key(int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(form.focusWidget() != nullptr ? form.focusWidget() : &form, &press);
  }

  MsgForm form;
};

// The box shows the buttons and pictures each style asks for, the buttons in a centred row and in the
// button colour; any mouse button on a button answers that button's code.
TEST_F(MsgFormWindow, StyleShowsItsButtonsAndPicturesAndEachButtonAnswersItsCode) {
  const std::tuple<const char*, std::vector<MsgButton>, std::vector<int>> cases[] = {  // style, buttons, pictures
      {"vbYesNo+vbquestion", {Yes, No}, {0}}, {"vbok+vbcritical", {Ok}, {4}}, {"vbinformation+vbok", {Ok}, {2}},
      {"vbok+vbinformation", {Ok}, {2}}, {"VBOK + vbHappy", {Ok}, {5}}, {"", {Ok}, {}}, {"vbfoo", {Ok}, {}},
      {"vbokonly+vbfoo", {Ok}, {}}, {"vbnormal", {{"Ok", 0}}, {}}, {"vbcancelok", {Ok, Cancel}, {}},
      {"vbokcancel", {Ok, Cancel}, {}}, {"vbcontinuecancel", {{"Continue", 6}, Cancel}, {2}},
      {"vbyes+vbno", {Yes, No}, {}}, {"vbok+vbok", {Ok, Ok}, {}}, {"vbcustom", {Ok}, {10}},
      {"vbretrycancel+vbtrash", {Retry, Cancel}, {6}}, {"vbyesnocancel+vbabortretryignore", {Yes, No, Cancel}, {}},
      {"vbabortretryignore+vbexclamation", {{"Abort", 3}, Retry, {"Ignore", 5}}, {1}},
      {"vbok+vbok+vbok+vbcancel", {Ok, Ok, Ok}, {}}, {"++vbok+ \t+vbprint+vblighton+", {Ok}, {7, 8}},
      {"vb ok+vbokvbcancel+vbquestion+", {Ok}, {0}}, {"vbexclamation+vberror+vbno", {No}, {1, 3}},
  };
  const Qt::MouseButton mouse[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
  form.SetButtonColour(RGB(200, 0, 0));
  for (const auto& [style, buttons, pictures] : cases) {
    SCOPED_TRACE(style);
    const int count = static_cast<int>(buttons.size());
    for (int pressed = 0; pressed < count; ++pressed) {
      const int code = Answer("Go on?", style, [&] {
        std::vector<int> shown;
        for (int slot = 0; slot < IconSlots; ++slot)
          if (form.findChild<QWidget*>(QStringLiteral("icons_%1").arg(slot))->isVisible()) shown.push_back(slot);
        EXPECT_EQ(shown, pictures);
        for (int i = 0; i < MsgButtonSlots; ++i) ASSERT_EQ(Cmd(i)->isVisible(), i < count) << i;
        for (int i = 0; i < count; ++i) {
          EXPECT_EQ(Cmd(i)->text().toStdString(), buttons[i].caption);
          EXPECT_EQ(Cmd(i)->palette().color(QPalette::Button), QColor(200, 0, 0));
          EXPECT_EQ(Cmd(i)->x(), Cmd(0)->x() + i * Cmd(0)->width());
        }
        EXPECT_NEAR(Cmd(0)->x(), form.width() - 1 - Cmd(count - 1)->geometry().right(), 1);
        QTest::mouseClick(Cmd(pressed), mouse[(pressed + count) % 3]);
      });
      EXPECT_EQ(code, buttons[pressed].code) << "button " << pressed;
    }
  }
}

TEST_F(MsgFormWindow, FocusStartsLeftArrowsMoveItEnterPressesClosingAnswersZero) {
  const std::tuple<const char*, std::vector<int>, int> cases[] = {  // style, keys, code
      {"vbYesNo+vbquestion", {Qt::Key_Return}, 6}, {"vbyesno", {Qt::Key_Enter}, 6},
      {"vbnormal", {Qt::Key_Return}, 0}, {"", {Qt::Key_Return}, 1},
      {"vbyesnocancel", {Qt::Key_Right, Qt::Key_Return}, 7}, {"vbyesnocancel", {Qt::Key_Left, Qt::Key_Return}, 2},
      {"vbyesnocancel", {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}, 2},
      {"vbyesno", {Qt::Key_Right, Qt::Key_Right, Qt::Key_Return}, 6},
      {"vbyesno", {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Enter}, 7},
      {"vbok", {Qt::Key_Right, Qt::Key_Return}, 1},
      {"vbokcancel", {Qt::Key_Escape, Qt::Key_Space, Qt::Key_Tab, Qt::Key_A, Qt::Key_F4, Qt::Key_Return}, 1},
      {"vbokcancel", {Qt::Key_Right, 0}, 0},  // 0: the window is closed, which answers 0
  };
  for (const auto& [style, keys, expected] : cases) {
    SCOPED_TRACE(style);
    const int code = Answer("Sure?", style, [&] {
      EXPECT_EQ(form.focusWidget(), Cmd(0));
      // The box stays open through all keys but the last.
      for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == 0) form.close();
        else Key(keys[i]);
        EXPECT_EQ(form.isVisible(), i + 1 < keys.size()) << "after key " << i;
      }
    });
    EXPECT_EQ(code, expected);
  }
}

// A long line widens the box to show it whole; "\r\n" is one line break.
TEST_F(MsgFormWindow, TheBoxShowsItsLongestLineWhole) {
  const std::string line(150, 'W');
  Answer(line + "\r\n" + "short", "vbyesno", [&] {
    const QLabel* label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    EXPECT_GE(label->width(), QFontMetrics(form.font()).horizontalAdvance(QString::fromStdString(line)));
    EXPECT_LT(label->geometry().right(), form.width());
    EXPECT_EQ(label->text().count('\n'), 1);
    QTest::mouseClick(Cmd(1), Qt::LeftButton);
  });
}

// The real dialog; the current folder stays as it was.
TEST(FNDialogReal, ShowsTheRequestAndGivesTheFullPathOrEmptyOnCancel) {
  const QString here = QDir::currentPath();
  test::TempDir other;
  FNDialog chooser;
  chooser.SetUseNativeDialog(false);
  // Runs GetFileName and acts on the dialog once it is up.
  const auto run = [&](const std::string& mode, const std::function<void(QFileDialog&)>& act) {
    WhenOpen<QFileDialog>(act);
    return chooser.GetFileName(mode);
  };

  EXPECT_EQ(run("OPEN", [](QFileDialog& d) {
              EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
              d.reject();
            }),
            "");
  test::WriteFile(other.File("old.kvl"), "x");
  chooser.SetTitle("Save puzzles as");
  chooser.SetFileTypes("*.kvl;*.txt");
  chooser.SetFileTypesName("Kelvane Files");
  chooser.SetDefaultDir(other.Path().string());  // no trailing slash
  const std::string chosen = run("SAVE", [&](QFileDialog& d) {
    EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Save puzzles as"));
    EXPECT_EQ(d.nameFilters(), QStringList{QStringLiteral("Kelvane Files (*.kvl *.txt)")});
    EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(QString::fromStdString(other.Folder())).canonicalPath());
    // Choosing a file that exists asks nothing; a question would stop the accept below.
    ASSERT_TRUE(d.testOption(QFileDialog::DontConfirmOverwrite));
    d.selectFile(QStringLiteral("old.kvl"));
    static_cast<QDialog&>(d).accept();  // the file dialog's own accept runs
  });
  EXPECT_EQ(QString::fromStdString(chosen), QDir(QString::fromStdString(other.Folder())).absoluteFilePath("old.kvl"));
  EXPECT_EQ(QDir::currentPath(), here);
}

const QString HelpPage = QStringLiteral(KELVANE_SOURCE_DATA "kelvane.htm");

QUrl Start() { return QUrl::fromLocalFile(HelpPage); }
QUrl At(const QString& anchor) { return QUrl(Start().toString() + "#" + anchor); }

// The help viewer on the help page, and the About window.
struct HelpAndAbout : ::testing::Test {
  HelpViewer viewer;
  QTextBrowser* view = Named<QTextBrowser>(viewer, "WebBrowser1");
  QPushButton* back = Named<QPushButton>(viewer, "Command1");
  QPushButton* forward = Named<QPushButton>(viewer, "Command2");
  AboutForm about;
  QPushButton* ok = Named<QPushButton>(about, "AboutOk");
  QLabel* link = Named<QLabel>(about, "Label3");
  void SetUp() override { viewer.SetPage(HelpPage); }
};

TEST_F(HelpAndAbout, ShowsThePageOnEveryActivationOrANoteNamingAMissingPage) {
  EXPECT_TRUE(view->toPlainText().contains("The rules of the puzzle"));
  view->setSource(At("printing"));
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(&viewer, &activate);
  EXPECT_EQ(view->source(), Start());
  viewer.SetPage("/no/such/folder/kelvane.htm");
  EXPECT_TRUE(view->toPlainText().contains("could not be found"));
  EXPECT_TRUE(view->toPlainText().contains("/no/such/folder/kelvane.htm"));
}

// Back and Forward, by button or Alt+arrow, move only from an address with "#".
TEST_F(HelpAndAbout, AContentsLinkScrollsToItsSectionAndBackAndForwardMoveOnlyBetweenAnchors) {
  viewer.show();
  QCoreApplication::processEvents();
  // Click into the link's text, as the user would.
  const QTextCursor entry = view->document()->find("Keyboard shortcuts");
  ASSERT_FALSE(entry.isNull());
  QTextCursor at(view->document());
  at.setPosition(entry.selectionStart() + 2);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cursorRect(at).center());
  EXPECT_EQ(view->source(), At("keyboard"));
  EXPECT_GT(view->verticalScrollBar()->value(), 0);
  back->click();
  EXPECT_EQ(view->source(), Start());
  forward->click();  // history exists, but the address has no "#"
  EXPECT_EQ(view->source(), Start());

  view->setSource(At("rules"));
  view->setSource(At("files"));
  QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(view->source(), At("rules"));
  QTest::keyClick(back, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(view->source(), At("files"));
  viewer.ShowStartPage();
  QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(view->source(), Start());
}

// Each way out hides the window: the help's Exit, Escape and close box; About's Ok, Escape and a click into its text.
TEST_F(HelpAndAbout, EveryWayOutOfHelpAndAboutHidesIt) {
  auto* text = Named<QPlainTextEdit>(about, "AboutText");
  const std::pair<QWidget*, std::function<void()>> ways[] = {
      {&viewer, [&] { Named<QPushButton>(viewer, "Command3")->click(); }},
      {&viewer, [&] { EXPECT_TRUE(viewer.close()); }},
      {&viewer, [&] { QTest::keyClick(view, Qt::Key_Escape); }},
      {&about, [&] { ok->click(); }},
      {&about, [&] { QTest::keyClick(ok, Qt::Key_Escape); }},
      {&about, [&] { QTest::keyClick(link, Qt::Key_Escape); }},
      {&about, [&] { QTest::mouseClick(text->viewport(), Qt::RightButton, {}, QPoint(5, 5)); }}};
  for (const auto& [window, hide] : ways) {
    window->show();
    hide();
    EXPECT_FALSE(window->isVisible());
  }
}

TEST_F(HelpAndAbout, TheLinkAsksAndOpensTheAddressOnlyOnYes) {
  Answers answerer;
  answerer.plainCodes = {7, 6};
  ScopedAnswerer installed(answerer);
  UrlRecorder recorder;
  QDesktopServices::setUrlHandler("https", &recorder, "Open");
  about.show();

  QTest::mouseClick(link, Qt::LeftButton);  // answered No
  EXPECT_EQ(answerer.plain, std::vector<std::string>{AboutForm::DownloadQuestion().toStdString()});
  EXPECT_EQ(answerer.plainYesNo, std::vector<bool>{true});
  EXPECT_TRUE(recorder.opened.empty());

  QTest::mouseClick(link, Qt::RightButton);
  EXPECT_EQ(answerer.plain.size(), 1u);
  QTest::mouseClick(link, Qt::LeftButton);  // answered Yes
  EXPECT_EQ(answerer.plain.size(), 2u);
  EXPECT_EQ(recorder.opened, std::vector<QUrl>{QUrl(DownloadAddress)});
  EXPECT_TRUE(about.isVisible());
  QDesktopServices::unsetUrlHandler("https");
}

TEST(HelpPageTest, EveryContentsLinkHasItsAnchor) {
  QFile file(HelpPage);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(file.readAll());
  QSet<QString> links, anchors;
  for (const auto& m : QRegularExpression(R"re(href="#([^"]*)")re").globalMatch(page)) links.insert(m.captured(1));
  for (const auto& m : QRegularExpression(R"re(\b(?:name|id)="([^"]*)")re").globalMatch(page)) anchors.insert(m.captured(1));
  for (const QString& link : links) EXPECT_TRUE(anchors.contains(link)) << link.toStdString();
}

class OptionsDialogTest : public ::testing::Test {
 protected:
  OptionsDialogTest() {
    // One scheme, "xp": 13 CR LF colour lines, window colour in slot 2, buttons in slot 4, the rest filler.
    std::string xp = "xp.col\r\n";
    for (int i = 0; i < 13; ++i) xp += std::string(i == 2 ? "10;20;30" : i == 4 ? "200;100;50" : "1;2;3") + "\r\n";
    test::WriteFile(file, xp);
    g.ColourSchemeName = "Green.col";
    g.CellFontName = family.toStdString();
    g.CellFontSize = 16;
    dialog = std::make_unique<OptionsDialog>(g, file, [this] { ++refreshes; });
  }

  // Clicks the list entry with this text.
  static void ClickEntry(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(items.isEmpty()) << text.toStdString();
    list->scrollToItem(items.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.front()).center());
  }

  QString Caption() { return Named<QGroupBox>(*dialog, "Frame1")->title(); }
  QFont Sample() { return Named<QLabel>(*dialog, "Label1")->font(); }

  test::TempDir dir;
  std::string file = dir.File("all.col");
  QString family = QFontDatabase::families().value(0);
  GameState g;
  int refreshes = 0;
  std::unique_ptr<OptionsDialog> dialog;
};

// A preview recolours only the dialog, and the sample follows its clicks and keys: left click or "+" one
// point larger, right click or "-" smaller, within 8..32. Apply (either mouse button, or Enter) stores them.
TEST_F(OptionsDialogTest, PreviewAndSampleThenApply) {
  dialog->show();
  ClickEntry(Named<QListWidget>(*dialog, "List1"), "xp");
  EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(10, 20, 30));
  EXPECT_EQ(Named<BoxControl>(*dialog, "command2")->Backcolor(), RGB(200, 100, 50));
  EXPECT_EQ(Caption(), "Colour Scheme: xp");
  EXPECT_EQ(g.ColourSchemeName, "Green.col");
  auto* label = Named<QLabel>(*dialog, "Label1");
  for (int i = 0; i < 30; ++i) QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(Sample().pointSize(), 32);
  for (int i = 0; i < 24; ++i) QTest::mouseClick(label, Qt::RightButton);
  QTest::keyClick(label, Qt::Key_Minus);
  EXPECT_EQ(Sample().pointSize(), 8);
  QTest::mouseClick(label, Qt::MiddleButton);
  QTest::keyClick(label, Qt::Key_Plus);
  auto* fonts = Named<QListWidget>(*dialog, "List2");
  const QString last = fonts->item(fonts->count() - 1)->text();
  ClickEntry(fonts, last);
  EXPECT_EQ(Sample().family(), last);
  EXPECT_EQ(refreshes, 0);

  QTest::mouseClick(Named<BoxControl>(*dialog, "command1"), Qt::RightButton);
  ASSERT_EQ(refreshes, 1);
  EXPECT_EQ(g.ColourSchemeName, "xp.col");
  EXPECT_EQ(g.CellFontName, last.toStdString());
  EXPECT_EQ(g.CellFontSize, 9);
  EXPECT_TRUE(dialog->isVisible());
  QTest::keyClick(dialog.get(), Qt::Key_Enter);
  EXPECT_EQ(refreshes, 2);
  QTest::mouseClick(Named<BoxControl>(*dialog, "command2"), Qt::LeftButton);
  EXPECT_FALSE(dialog->isVisible());
  dialog->show();
  EXPECT_EQ(Caption(), "Colour Scheme: xp.col");
  EXPECT_EQ(Sample().pointSize(), 9);
}

// Every opening starts from the stored settings: the family found in any case (an unknown one selects
// nothing, but the sample takes it), the size, scheme and palette. Exit, Escape and the close box each hide
// the dialog without storing a preview.
TEST_F(OptionsDialogTest, EveryOpeningShowsTheStoredSettingsAndHidingNeverApplies) {
  ASSERT_FALSE(family.isEmpty());
  auto* fonts = Named<QListWidget>(*dialog, "List2");
  const std::pair<QString, QString> stored[] = {{family, family}, {family.toUpper(), family}, {"No Such", ""}};
  for (int how = 0; how < 3; ++how) {
    const auto& [name, selected] = stored[how];
    SCOPED_TRACE(name.toStdString());
    g.CellFontName = name.toStdString();
    dialog->show();
    const QList<QListWidgetItem*> chosen = fonts->selectedItems();
    EXPECT_EQ(chosen.isEmpty() ? QString() : chosen.front()->text(), selected);
    EXPECT_TRUE(chosen.isEmpty() || fonts->viewport()->rect().intersects(fonts->visualItemRect(chosen.front())));
    EXPECT_EQ(Sample().family().compare(name, Qt::CaseInsensitive), 0);
    EXPECT_EQ(Sample().pointSize(), 16);
    EXPECT_EQ(Caption(), "Colour Scheme: Green.col");
    EXPECT_EQ(dialog->palette().color(QPalette::Window), ToQColor(g.Palette[2]));
    EXPECT_EQ(Named<BoxControl>(*dialog, "AddSch")->Backcolor(), g.Palette[DialogColourSlot]);
    ClickEntry(Named<QListWidget>(*dialog, "List1"), "xp");
    if (how == 0) QTest::mouseClick(Named<BoxControl>(*dialog, "command2"), Qt::LeftButton);
    if (how == 1) QTest::keyClick(dialog.get(), Qt::Key_Escape);
    if (how == 2) dialog->close();
    EXPECT_FALSE(dialog->isVisible());
  }
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(g.ColourSchemeName, "Green.col");
}

}  // namespace
}  // namespace kelvane::ui

#include "windows_test.moc"
