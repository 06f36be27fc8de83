// The help viewer, the About window, the anchors of the help page and the Options dialog for real.
#include <QDesktopServices>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
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

#include "modal_answers.h"
#include "settings/options_dialog.h"
#include "test_support.h"
#include "uikit/about_form.h"
#include "uikit/box_control.h"
#include "uikit/colours.h"
#include "uikit/help_viewer.h"

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

const QString HelpPage = QStringLiteral(KELVANE_SOURCE_DATA "kelvane.htm");

QUrl Start() { return QUrl::fromLocalFile(HelpPage); }
QUrl At(const QString& anchor) { return QUrl(Start().toString() + "#" + anchor); }

struct HelpViewerTest : ::testing::Test {
  HelpViewer viewer;
  QTextBrowser* view = Named<QTextBrowser>(viewer, "WebBrowser1");
  QPushButton* back = Named<QPushButton>(viewer, "Command1");
  QPushButton* forward = Named<QPushButton>(viewer, "Command2");
  void SetUp() override { viewer.SetPage(HelpPage); }
};

TEST_F(HelpViewerTest, ShowsThePageInANonModalWindowOnEveryActivationOrANoteNamingAMissingPage) {
  EXPECT_EQ(viewer.windowModality(), Qt::NonModal);
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
TEST_F(HelpViewerTest, AContentsLinkScrollsToItsSectionAndBackAndForwardMoveOnlyBetweenAnchors) {
  viewer.show();
  QCoreApplication::processEvents();
  // Click into the link's text, as the user would.
  const QTextCursor link = view->document()->find("Keyboard shortcuts");
  ASSERT_FALSE(link.isNull());
  QTextCursor at(view->document());
  at.setPosition(link.selectionStart() + 2);
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

struct AboutFormTest : ::testing::Test {
  AboutForm about;
  QPushButton* ok = Named<QPushButton>(about, "AboutOk");
  QLabel* link = Named<QLabel>(about, "Label3");
};

// Each way out hides the window: the help's Exit, Escape and close box; About's Ok, Escape and a click into its text.
TEST_F(AboutFormTest, EveryWayOutOfHelpAndAboutHidesIt) {
  HelpViewer viewer;
  viewer.SetPage(HelpPage);
  auto* view = Named<QTextBrowser>(viewer, "WebBrowser1");
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

TEST_F(AboutFormTest, TheLinkAsksAndOpensTheAddressOnlyOnYes) {
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
  for (const char* required : {"rules", "playing", "creating", "files", "printing", "options", "keyboard"})
    EXPECT_TRUE(links.contains(required)) << required;
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
