// Tests of FNDialog: requests through the answerer, the real file dialog, and its button's events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "modal_answers.h"
#include "test_support.h"
#include "uikit/fn_dialog.h"

namespace kelvane::ui {
namespace {

TEST(FNDialogRequest, AnswererGetsTheRequestAndGivesTheName) {
  FNDialog chooser;
  chooser.SetTitle("Open puzzles");
  chooser.SetFileTypes("*.kvl;*.txt");
  chooser.SetFileTypesName("Kelvane Files");
  chooser.SetDefaultDir("/home/someone");
  // Only "save", in any case, asks for the save dialog.
  for (const auto& [mode, save] :
       {std::pair{"SAVE", true}, {"save", true}, {"OPEN", false}, {"", false}, {"saveas", false}}) {
    Answers answerer;
    answerer.files = {"/home/someone/puzzles.kvl"};
    ScopedAnswerer scoped(answerer);
    EXPECT_EQ(chooser.GetFileName(mode), "/home/someone/puzzles.kvl");
    ASSERT_EQ(answerer.requests.size(), 1u);
    const FileRequest& r = answerer.requests[0];
    EXPECT_EQ(r.save, save) << mode;
    EXPECT_EQ(r.title + "|" + r.fileTypes + "|" + r.fileTypesName + "|" + r.defaultDir,
              "Open puzzles|*.kvl;*.txt|Kelvane Files|/home/someone");
  }
}

TEST(FNDialogRequest, FilterPatternsAreSeparatedBySpaces) {
  const std::tuple<const char*, const char*, const char*> cases[] = {  // name, types, filter
      {"Kelvane Files", "*.kvl;*.txt;*.dat", "Kelvane Files (*.kvl *.txt *.dat)"},
      {"Text Files", "*.txt", "Text Files (*.txt)"}, {"", "*.txt", "*.txt"},
      {"Nothing", "", ""}, {"Odd", " *.a ; ;*.b;", "Odd (*.a *.b)"}};
  for (const auto& [name, types, filter] : cases) EXPECT_EQ(FNDialog::NameFilter(name, types).toStdString(), filter);
}

// The real dialog: cwd is moved into a scratch folder and put back afterwards.
class FNDialogReal : public ::testing::Test {
 protected:
  FNDialogReal() {
    QDir::setCurrent(QString::fromStdString(home.Path().string()));
    here = QDir::currentPath();
    chooser.SetUseNativeDialog(false);
    chooser.SetFileTypes("*.kvl;*.txt");
    chooser.SetFileTypesName("Kelvane Files");
  }
  ~FNDialogReal() override { QDir::setCurrent(previous); }

  static QFileDialog* OpenDialog() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* d = qobject_cast<QFileDialog*>(w); d != nullptr && d->isVisible()) return d;
    }
    return nullptr;
  }

  // Runs GetFileName and acts on the dialog once it is up.
  std::string Run(const std::string& mode, const std::function<void(QFileDialog&)>& act) {
    bool found = false;
    QTimer::singleShot(0, &chooser, [&] {
      QFileDialog* dialog = OpenDialog();
      found = dialog != nullptr;
      if (dialog == nullptr) return;
      act(*dialog);
      if (dialog->isVisible()) {
        ADD_FAILURE() << "the file dialog is still open";
        dialog->reject();
      }
    });
    const std::string name = chooser.GetFileName(mode);
    EXPECT_TRUE(found);
    return name;
  }

  const QString previous = QDir::currentPath();
  test::TempDir home, other;
  QString here;
  FNDialog chooser;
};

TEST_F(FNDialogReal, CancelGivesEmptyAndShowsTheRequest) {
  // No default folder: the open dialog starts in the current folder.
  EXPECT_EQ(Run("", [&](QFileDialog& d) {
              EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
              EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(here).canonicalPath());
              d.reject();
            }),
            "");
  chooser.SetTitle("Save puzzles as");
  chooser.SetDefaultDir(other.Path().string());  // no trailing slash
  EXPECT_EQ(Run("save", [&](QFileDialog& d) {
              EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
              EXPECT_EQ(d.windowTitle(), QStringLiteral("Save puzzles as"));
              EXPECT_EQ(d.nameFilters(), QStringList{QStringLiteral("Kelvane Files (*.kvl *.txt)")});
              EXPECT_EQ(QDir(d.directory()).canonicalPath(),
                        QDir(QString::fromStdString(other.Folder())).canonicalPath());
              EXPECT_TRUE(d.testOption(QFileDialog::DontConfirmOverwrite));
              d.reject();
            }),
            "");
  EXPECT_EQ(QDir::currentPath(), here);
}

TEST_F(FNDialogReal, ConfirmingGivesTheFullPathAndKeepsTheCurrentFolder) {
  const std::string existing = other.File("old.kvl");
  test::WriteFile(existing, "x");
  chooser.SetDefaultDir(other.Folder());
  for (const char* mode : {"OPEN", "SAVE"}) {
    const std::string name = Run(mode, [&](QFileDialog& d) {
      // A question about overwriting would be a fault; answer it so the test goes on.
      QTimer::singleShot(0, &d, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) {
            ADD_FAILURE() << "asked: " << box->text().toStdString();
            box->accept();
          }
        }
      });
      d.selectFile(QString::fromStdString(existing));
      static_cast<QDialog&>(d).accept();  // the file dialog's own accept runs
    });
    EXPECT_EQ(QDir(QString::fromStdString(name)).canonicalPath(),
              QDir(QString::fromStdString(existing)).canonicalPath())
        << mode;
    EXPECT_EQ(QDir::currentPath(), here) << mode;
  }
  const std::string fresh = Run("save", [&](QFileDialog& d) {
    d.selectFile(QStringLiteral("new.kvl"));
    static_cast<QDialog&>(d).accept();
  });
  EXPECT_EQ(QString::fromStdString(fresh), QDir(QString::fromStdString(other.Folder())).absoluteFilePath("new.kvl"));
}

TEST(FNDialogButton, FillsTheControlAndReportsItsMouseUnlessDisabled) {
  FNDialog chooser;
  chooser.resize(25, 21);
  chooser.show();
  auto* button = chooser.findChild<QPushButton*>(QStringLiteral("command1"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->geometry(), QRect(0, 0, 25, 21));

  std::vector<std::string> events;
  const auto record = [&](const char* what) {
    return [&events, what](int b, int s, double x, double y) {
      events.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                       std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
    };
  };
  QObject::connect(&chooser, &FNDialog::MouseDown, record("down"));
  QObject::connect(&chooser, &FNDialog::MouseUp, record("up"));
  QObject::connect(&chooser, &FNDialog::Click, [&] { events.push_back("click"); });
  const auto click = [&](Qt::MouseButton b, Qt::KeyboardModifiers mods) {
    const QPointF at(4, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), b, b, mods);
    QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), b, Qt::NoButton, mods);
    QApplication::sendEvent(button, &press);
    QApplication::sendEvent(button, &release);
  };
  click(Qt::LeftButton, Qt::NoModifier);
  click(Qt::RightButton, Qt::ControlModifier);
  EXPECT_EQ(events, (std::vector<std::string>{"down 1 0 60 30", "click", "up 1 0 60 30", "down 2 2 60 30",
                                              "up 2 2 60 30"}));
  events.clear();
  chooser.SetEnabled(false);
  click(Qt::LeftButton, Qt::NoModifier);
  click(Qt::RightButton, Qt::NoModifier);
  EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace kelvane::ui
