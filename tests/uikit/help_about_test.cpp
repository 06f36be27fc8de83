// Widget tests of the help viewer, the About window and the anchors of the help page.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

#include "modal_answers.h"
#include "uikit/about_form.h"
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

template <class T>
T* Child(QWidget& w, const char* name) {
  T* c = w.findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

struct HelpViewerTest : ::testing::Test {
  HelpViewer viewer;
  QTextBrowser* view = Child<QTextBrowser>(viewer, "WebBrowser1");
  QPushButton* back = Child<QPushButton>(viewer, "Command1");
  QPushButton* forward = Child<QPushButton>(viewer, "Command2");
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
  QPushButton* ok = Child<QPushButton>(about, "AboutOk");
  QLabel* link = Child<QLabel>(about, "Label3");
};

// Each way out hides the window: the help's Exit, Escape and close box; About's Ok, Escape and a click into its text.
TEST_F(AboutFormTest, EveryWayOutOfHelpAndAboutHidesIt) {
  HelpViewer viewer;
  viewer.SetPage(HelpPage);
  auto* view = Child<QTextBrowser>(viewer, "WebBrowser1");
  auto* text = Child<QPlainTextEdit>(about, "AboutText");
  const std::pair<QWidget*, std::function<void()>> ways[] = {
      {&viewer, [&] { Child<QPushButton>(viewer, "Command3")->click(); }},
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

}  // namespace
}  // namespace kelvane::ui

#include "help_about_test.moc"
