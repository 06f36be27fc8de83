// Widget tests of the help viewer, the About window and the anchors of the help page.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBrowser>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

#include "modal_answers.h"
#include "uikit/about_form.h"
#include "uikit/help_viewer.h"
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

const QString HelpPage = QStringLiteral(KELVANE_SOURCE_DATA "kelvane.htm");

QUrl Start() { return QUrl::fromLocalFile(HelpPage); }
QUrl At(const QString& anchor) { return QUrl(Start().toString() + "#" + anchor); }

template <class T>
T* Child(QWidget& w, const char* name) {
  T* c = w.findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

void Send(QWidget* w, QEvent&& e) { QCoreApplication::sendEvent(w, &e); }
void Activate(QWidget& w) { Send(&w, QEvent(QEvent::WindowActivate)); }
void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  Send(w, QKeyEvent(QEvent::KeyPress, key, mods));
}
void Press(QWidget* w, QPoint at, Qt::MouseButton button) {
  Send(w, QMouseEvent(QEvent::MouseButtonPress, QPointF(at), QPointF(w->mapToGlobal(at)), button, button, {}));
}
void Click(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  Press(w, at, button);
  Send(w, QMouseEvent(QEvent::MouseButtonRelease, QPointF(at), QPointF(w->mapToGlobal(at)), button, {}, {}));
}

// Clicks into the middle of a link's text in the view, as the user would.
void ClickLink(QTextBrowser* view, const QString& text) {
  const QTextCursor found = view->document()->find(text);
  ASSERT_FALSE(found.isNull()) << text.toStdString();
  QTextCursor at(view->document());
  at.setPosition(found.selectionStart() + 2);
  Click(view->viewport(), view->cursorRect(at).center());
}

std::array<Colour, 14> TestPalette() {
  std::array<Colour, 14> p{};
  for (int i = 0; i < 14; ++i) p[static_cast<std::size_t>(i)] = RGB(10 * i, 200 - 10 * i, 7 * i);
  return p;
}

QColor Q(Colour c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

struct HelpViewerTest : ::testing::Test {
  HelpViewer viewer;
  QTextBrowser* view = Child<QTextBrowser>(viewer, "WebBrowser1");
  QPushButton* back = Child<QPushButton>(viewer, "Command1");
  QPushButton* forward = Child<QPushButton>(viewer, "Command2");
  QPushButton* exit = Child<QPushButton>(viewer, "Command3");
  void SetUp() override { viewer.SetPage(HelpPage); }
};

TEST_F(HelpViewerTest, ShowsThePageInANonModalWindowOrANoteNamingAMissingPage) {
  EXPECT_TRUE(viewer.isWindow());
  EXPECT_EQ(viewer.windowModality(), Qt::NonModal);
  EXPECT_EQ(view->source(), Start());
  EXPECT_EQ(view->documentTitle(), "Kelvane Help");
  EXPECT_TRUE(view->toPlainText().contains("The rules of the puzzle"));

  viewer.SetPage("/no/such/folder/kelvane.htm");
  EXPECT_TRUE(view->toPlainText().contains("could not be found"));
  EXPECT_TRUE(view->toPlainText().contains("/no/such/folder/kelvane.htm"));
}

TEST_F(HelpViewerTest, AClickedContentsLinkScrollsToItsSectionAndBackReturns) {
  viewer.show();
  QCoreApplication::processEvents();
  view->verticalScrollBar()->setValue(0);
  ClickLink(view, "Keyboard shortcuts");
  EXPECT_EQ(view->source(), At("keyboard"));
  EXPECT_GT(view->verticalScrollBar()->value(), 0);
  back->click();
  EXPECT_EQ(view->source(), Start());
  // On an address without "#" neither button moves, though history exists both ways.
  forward->click();
  EXPECT_EQ(view->source(), Start());
  back->click();
  EXPECT_EQ(view->source(), Start());
}

TEST_F(HelpViewerTest, AltArrowsStepThroughAnchorsButNotFromThePlainAddress) {
  view->setSource(At("rules"));
  view->setSource(At("files"));
  Key(view, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(view->source(), At("rules"));
  Key(back, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(view->source(), At("files"));
  viewer.ShowStartPage();  // history: start, #rules, #files, start
  Key(view, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(view->source(), Start());
}

TEST_F(HelpViewerTest, EveryActivationShowsTheStartPageAndThePaletteAgain) {
  std::array<Colour, 14> live = TestPalette();
  viewer.FollowPalette(&live);
  view->setSource(At("options"));
  Activate(viewer);
  EXPECT_EQ(view->source(), Start());
  EXPECT_EQ(viewer.palette().color(QPalette::Window), Q(live[2]));

  live[2] = RGB(1, 2, 3);
  live[DialogColourSlot] = RGB(4, 5, 6);
  view->setSource(At("printing"));
  Activate(viewer);
  EXPECT_EQ(view->source(), Start());
  EXPECT_EQ(viewer.palette().color(QPalette::Window), QColor(1, 2, 3));
  for (QPushButton* b : {back, forward, exit}) EXPECT_EQ(b->palette().color(QPalette::Button), QColor(4, 5, 6));
}

TEST(HelpViewerLifeTest, ExitEscapeAndTheCloseBoxOnlyHide) {
  QPointer<HelpViewer> viewer(new HelpViewer);
  viewer->SetPage(HelpPage);
  auto* view = Child<QTextBrowser>(*viewer, "WebBrowser1");
  for (const auto& hide : std::vector<std::function<void()>>{[&] { Child<QPushButton>(*viewer, "Command3")->click(); },
                                                             [&] { EXPECT_TRUE(viewer->close()); },
                                                             [&] { Key(view, Qt::Key_Escape); }}) {
    viewer->show();
    hide();
    EXPECT_FALSE(viewer->isVisible());
  }
  // Carry out a pending deletion, if any was asked for.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(viewer.isNull());
  viewer->show();
  EXPECT_EQ(view->source(), Start());
  delete viewer.data();
}

TEST_F(HelpViewerTest, ResizingFollowsTheWindowAndNeverGoesNegative) {
  viewer.show();
  viewer.resize(600, 500);
  EXPECT_EQ(view->geometry(), QRect(Px(30), Px(420), 600 - Px(120), 500 - Px(480) - Px(420)));
  viewer.resize(5, 5);
  EXPECT_EQ(view->geometry(), QRect(Px(30), Px(420), 0, 0));
}

struct AboutFormTest : ::testing::Test {
  AboutForm about;
  QPlainTextEdit* text = Child<QPlainTextEdit>(about, "AboutText");
  QPushButton* ok = Child<QPushButton>(about, "AboutOk");
  QLabel* link = Child<QLabel>(about, "Label3");
  QLabel* image = Child<QLabel>(about, "Image1");
};

TEST_F(AboutFormTest, ModalReadOnlyWithItsPictureFillingItsFrame) {
  EXPECT_TRUE(about.isModal() && text->isReadOnly());
  EXPECT_FALSE(image->pixmap().isNull());
  EXPECT_EQ(image->pixmap().size(), image->size());
}

TEST_F(AboutFormTest, OkEscapeAndAClickIntoTheTextEachClose) {
  for (const auto& close : std::vector<std::function<void()>>{
           [&] { ok->click(); }, [&] { Key(ok, Qt::Key_Escape); }, [&] { Key(link, Qt::Key_Escape); },
           [&] { Press(text->viewport(), QPoint(5, 5), Qt::RightButton); }}) {
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
  struct Unset {
    ~Unset() { QDesktopServices::unsetUrlHandler("https"); }
  } unset;
  about.show();

  Click(link, link->rect().center());  // answered No
  EXPECT_EQ(answerer.plain, std::vector<std::string>{AboutForm::DownloadQuestion().toStdString()});
  EXPECT_EQ(answerer.plainYesNo, std::vector<bool>{true});
  EXPECT_TRUE(recorder.opened.empty());

  Click(link, link->rect().center(), Qt::RightButton);
  EXPECT_EQ(answerer.plain.size(), 1u);
  Click(link, link->rect().center());  // answered Yes
  EXPECT_EQ(answerer.plain.size(), 2u);
  EXPECT_EQ(recorder.opened, std::vector<QUrl>{QUrl(DownloadAddress)});
  EXPECT_TRUE(about.isVisible());
}

TEST_F(AboutFormTest, PaletteOnApplyAndOnEveryActivation) {
  std::array<Colour, 14> live = TestPalette();
  about.ApplyPalette(live);
  EXPECT_EQ(about.palette().color(QPalette::Window), Q(live[2]));
  EXPECT_EQ(text->palette().color(QPalette::Base), Q(live[2]));
  EXPECT_EQ(ok->palette().color(QPalette::Button), Q(live[5]));
  EXPECT_EQ(link->palette().color(QPalette::Window), Q(live[5]));

  about.FollowPalette(&live);
  live[2] = RGB(9, 8, 7);
  live[5] = RGB(1, 1, 1);
  Activate(about);
  EXPECT_EQ(about.palette().color(QPalette::Window), QColor(9, 8, 7));
  EXPECT_EQ(link->palette().color(QPalette::Window), QColor(1, 1, 1));
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
