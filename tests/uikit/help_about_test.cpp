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

TEST_F(HelpViewerTest, ExitEscapeAndTheCloseBoxHideIt) {
  for (const auto& hide : std::vector<std::function<void()>>{[&] { Child<QPushButton>(viewer, "Command3")->click(); },
                                                             [&] { EXPECT_TRUE(viewer.close()); },
                                                             [&] { QTest::keyClick(view, Qt::Key_Escape); }}) {
    viewer.show();
    hide();
    EXPECT_FALSE(viewer.isVisible());
  }
}

TEST_F(HelpViewerTest, TheViewFollowsTheWindowSizeAndNeverGoesNegative) {
  viewer.show();
  viewer.resize(600, 500);
  const QSize before = view->size();
  viewer.resize(700, 650);
  EXPECT_EQ(view->size(), before + QSize(100, 150));
  viewer.resize(5, 5);
  EXPECT_EQ(view->size(), QSize(0, 0));
}

struct AboutFormTest : ::testing::Test {
  AboutForm about;
  QPushButton* ok = Child<QPushButton>(about, "AboutOk");
  QLabel* link = Child<QLabel>(about, "Label3");
};

TEST_F(AboutFormTest, OkEscapeAndAClickIntoTheTextEachClose) {
  auto* text = Child<QPlainTextEdit>(about, "AboutText");
  for (const auto& close : std::vector<std::function<void()>>{
           [&] { ok->click(); }, [&] { QTest::keyClick(ok, Qt::Key_Escape); },
           [&] { QTest::keyClick(link, Qt::Key_Escape); },
           [&] { QTest::mouseClick(text->viewport(), Qt::RightButton, {}, QPoint(5, 5)); }}) {
    about.show();
    close();
    EXPECT_FALSE(about.isVisible());
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

// The window takes slot 2 of the scheme; the help's buttons the dialog slot, About's slot 5.
TEST(SchemeColoursTest, HelpAndAboutTakeThePalette) {
  std::array<Colour, 14> palette{};
  palette[2] = RGB(9, 8, 7);
  palette[DialogColourSlot] = RGB(1, 2, 3);
  palette[5] = RGB(4, 5, 6);
  HelpViewer help;
  AboutForm about;
  help.ApplyPalette(palette);
  about.ApplyPalette(palette);
  EXPECT_EQ(help.palette().color(QPalette::Window), QColor(9, 8, 7));
  EXPECT_EQ(Child<QPushButton>(help, "Command2")->palette().color(QPalette::Button), QColor(1, 2, 3));
  EXPECT_EQ(about.palette().color(QPalette::Window), QColor(9, 8, 7));
  EXPECT_EQ(Child<QPushButton>(about, "AboutOk")->palette().color(QPalette::Button), QColor(4, 5, 6));
}

TEST(HelpPageTest, EveryContentsLinkHasItsAnchorAndThePageIsSelfContained) {
  QFile file(HelpPage);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(file.readAll());
  QSet<QString> links, anchors;
  for (const auto& m : QRegularExpression(R"re(href="#([^"]*)")re").globalMatch(page)) links.insert(m.captured(1));
  for (const auto& m : QRegularExpression(R"re(\b(?:name|id)="([^"]*)")re").globalMatch(page)) anchors.insert(m.captured(1));
  for (const char* required : {"rules", "playing", "creating", "files", "printing", "options", "keyboard"})
    EXPECT_TRUE(links.contains(required)) << required;
  for (const QString& link : links) EXPECT_TRUE(anchors.contains(link)) << link.toStdString();
  EXPECT_FALSE(page.contains("<script", Qt::CaseInsensitive));
  EXPECT_FALSE(page.contains(QRegularExpression(R"(\bsrc\s*=|<link\b|url\()", QRegularExpression::CaseInsensitiveOption)));
}

}  // namespace
}  // namespace kelvane::ui

#include "help_about_test.moc"
