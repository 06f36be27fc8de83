// Tests of FNDialog: the real file dialog it runs and the name it gives back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <functional>
#include <string>

#include "test_support.h"
#include "uikit/fn_dialog.h"

namespace kelvane::ui {
namespace {

// The real dialog; the current folder stays as it was.
TEST(FNDialogReal, ShowsTheRequestAndGivesTheFullPathOrEmptyOnCancel) {
  const QString here = QDir::currentPath();
  test::TempDir other;
  FNDialog chooser;
  chooser.SetUseNativeDialog(false);
  // Runs GetFileName and acts on the dialog once it is up.
  const auto run = [&](const std::string& mode, const std::function<void(QFileDialog&)>& act) {
    QTimer::singleShot(0, &chooser, [&] {
      QFileDialog* dialog = nullptr;
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QFileDialog*>(w); d != nullptr && d->isVisible()) dialog = d;
      }
      ASSERT_NE(dialog, nullptr);
      act(*dialog);
      if (dialog->isVisible()) {
        ADD_FAILURE() << "the file dialog is still open";
        dialog->reject();
      }
    });
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

}  // namespace
}  // namespace kelvane::ui
