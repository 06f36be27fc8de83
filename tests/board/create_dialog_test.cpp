// The Create New Puzzles dialog for real: the count check, the check box, output file, outcome, colours.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "board/create_dialog.h"
#include "uikit/box_control.h"
#include "uikit/fn_dialog.h"
#include "uikit/msg_form.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

std::array<Colour, 14> Scheme() {
  std::array<Colour, 14> p{};
  for (int i = 0; i < 14; ++i) p[i] = RGB(10 * i + 5, 200 - 10 * i, 3 * i);
  return p;
}

class CreateDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.Prepare("/opt/kelvane/", Scheme(), dir.Folder());
    dialog.show();
  }
  template <typename T>
  T* Find(const char* name) {
    T* w = dialog.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void Type(const char* text) {
    QLineEdit* edit = Find<QLineEdit>("Text1");
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  void Release(const char* button) { QTest::mouseClick(Find<BoxControl>(button), Qt::LeftButton); }

  test::TempDir dir;
  Answers answers;
  ScopedAnswerer scoped{answers};
  MsgForm messages;
  CreateDialog dialog{messages};
};

TEST_F(CreateDialogTest, OpensOnOneHardNineByNineForDisplay) {
  EXPECT_EQ(dialog.Size(), 9);
  EXPECT_FALSE(dialog.Easy());
  EXPECT_TRUE(dialog.DisplayOnly());
  EXPECT_EQ(dialog.Count(), 1);
}

TEST_F(CreateDialogTest, ABadCountOrNoOutputFileIsReportedAndKeepsItOpen) {
  const auto expectRefused = [&](const std::string& message) {
    answers.messages.clear();
    Release("command1");
    EXPECT_EQ(answers.messages, (std::vector<std::pair<std::string, std::string>>{{message, "vbok+vbcritical"}}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Tag(), "X");
  };
  for (const char* count : {"0", "-3", "abc", "", "0.0"}) {
    SCOPED_TRACE(count);
    Type(count);
    expectRefused("Specify number of puzzles to create");
  }
  Type("1");
  Find<QLineEdit>("FileNow")->clear();
  expectRefused("Choose an output file");
}

TEST_F(CreateDialogTest, CreateAcceptsAPositiveCount) {
  Type("2");
  Release("command1");
  EXPECT_TRUE(answers.messages.empty());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Tag(), "Y");
  EXPECT_EQ(dialog.Count(), 2);
  EXPECT_FALSE(dialog.DisplayOnly());

  // A fraction above 0 passes but rounds to no puzzles; 2.6 rounds up.
  dialog.Prepare("/opt/kelvane/", Scheme(), dir.Folder());
  dialog.show();
  Type("0.4");
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_TRUE(answers.messages.empty());
  EXPECT_EQ(dialog.Tag(), "Y");
  EXPECT_EQ(dialog.Count(), 0);
  Type("2.6");
  EXPECT_EQ(dialog.Count(), 3);
}

TEST_F(CreateDialogTest, CancelEscapeAndCloseLeaveTagX) {
  Release("command2");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(dialog.Tag(), "X");

  for (int way = 0; way < 2; ++way) {
    Type("3");
    Release("command1");
    ASSERT_EQ(dialog.Tag(), "Y");
    dialog.show();  // shown again without Prepare, so Tag still holds "Y"
    if (way == 0) QTest::keyClick(&dialog, Qt::Key_Escape);
    else dialog.close();
    EXPECT_FALSE(dialog.isVisible()) << way;
    EXPECT_EQ(dialog.Tag(), "X") << way;
  }
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(CreateDialogTest, CountAndCheckBoxFollowEachOther) {
  QCheckBox* check = Find<QCheckBox>("Check1");
  QLineEdit* text = Find<QLineEdit>("Text1");
  Type("1");
  EXPECT_TRUE(check->isChecked());
  Type("12");
  EXPECT_FALSE(check->isChecked());
  EXPECT_FALSE(dialog.DisplayOnly());
  Type("01");
  EXPECT_TRUE(check->isChecked());
  EXPECT_EQ(text->text(), "01");  // ticking by typing does not rewrite the count

  Type("12");
  QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->height() / 2, check->height() / 2));
  EXPECT_TRUE(check->isChecked());
  EXPECT_EQ(text->text(), "1");
  EXPECT_TRUE(dialog.DisplayOnly());

  // Clearing the tick keeps the count: one puzzle, stored.
  QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->height() / 2, check->height() / 2));
  EXPECT_FALSE(check->isChecked());
  EXPECT_EQ(text->text(), "1");
  EXPECT_EQ(dialog.Count(), 1);
  EXPECT_FALSE(dialog.DisplayOnly());
}

TEST_F(CreateDialogTest, OutputFileIsTheNextFreeNameInTheWorkingFolder) {
  QLineEdit* file = Find<QLineEdit>("FileNow");
  EXPECT_EQ(file->text().toStdString(), dir.File("tempnewpuzzle;01.kvl"));
  EXPECT_EQ(file->toolTip(), file->text());
  EXPECT_EQ(dialog.OutputFile(), dir.File("tempnewpuzzle;01.kvl"));

  test::WriteFile(dir.File("tempnewpuzzle;01.kvl"), "");
  dialog.Prepare("/opt/kelvane/", Scheme(), dir.Folder());
  EXPECT_EQ(dialog.OutputFile(), dir.File("tempnewpuzzle;02.kvl"));
  EXPECT_EQ(file->toolTip().toStdString(), dir.File("tempnewpuzzle;02.kvl"));
}

TEST_F(CreateDialogTest, ChooserAsksToSaveAndTheChosenNameIsUsed) {
  QPushButton* chooser = Find<FNDialog>("gf1")->findChild<QPushButton*>();
  ASSERT_NE(chooser, nullptr);
  const std::string before = dialog.OutputFile();
  QTest::mouseClick(chooser, Qt::LeftButton);  // answered with "": nothing changes
  ASSERT_EQ(answers.requests.size(), 1u);
  const FileRequest& r = answers.requests[0];
  EXPECT_TRUE(r.save);
  EXPECT_EQ(r.title + " " + r.fileTypes + " " + r.fileTypesName, "Kelvane *.kvl;*.txt;*.dat Kelvane Files");
  EXPECT_EQ(r.defaultDir, "/opt/kelvane/");
  EXPECT_EQ(dialog.OutputFile(), before);

  answers.files = {"/home/someone/batch.kvl"};
  QTest::mouseClick(chooser, Qt::LeftButton);
  EXPECT_EQ(dialog.OutputFile(), "/home/someone/batch.kvl");
  EXPECT_EQ(Find<QLineEdit>("FileNow")->toolTip(), "/home/someone/batch.kvl");
}

TEST_F(CreateDialogTest, ChoicesAreReadAndKeptForTheNextShowing) {
  const int sizes[4] = {5, 7, 9, 0};
  for (int i = 0; i < 4; ++i) {
    Find<QRadioButton>(("Option2_" + std::to_string(i)).c_str())->click();
    EXPECT_EQ(dialog.Size(), sizes[i]);
  }
  Find<QRadioButton>("Option2_1")->click();
  Find<QRadioButton>("Option1")->click();
  EXPECT_TRUE(dialog.Easy());
  EXPECT_FALSE(Find<QRadioButton>("Option3")->isChecked());
  Type("5");
  Release("command1");

  dialog.Prepare("/opt/kelvane/", Scheme(), dir.Folder());
  EXPECT_EQ(dialog.Tag(), "X");
  dialog.show();
  EXPECT_EQ(dialog.Size(), 7);
  EXPECT_TRUE(dialog.Easy());
  EXPECT_EQ(dialog.Count(), 5);
  EXPECT_FALSE(Find<QCheckBox>("Check1")->isChecked());
}

TEST_F(CreateDialogTest, TakesTheSchemeColours) {
  const auto p = Scheme();
  const QColor form = ToQColor(p[2]);
  EXPECT_EQ(dialog.palette().color(QPalette::Window), form);
  for (const char* name : {"Frame5", "Frame2", "Frame3", "InFileFrame", "Option2_0", "Option2_3", "Option1",
                           "Option3", "Check1", "Label3"})
    EXPECT_EQ(Find<QWidget>(name)->palette().color(Find<QWidget>(name)->backgroundRole()), form) << name;
  for (const char* name : {"Text1", "Text4", "FileNow"})
    EXPECT_EQ(Find<QLineEdit>(name)->palette().color(QPalette::Base), ToQColor(p[5])) << name;
  EXPECT_EQ(Find<BoxControl>("command1")->Backcolor(), p[DialogColourSlot]);
  EXPECT_EQ(Find<BoxControl>("command2")->Backcolor(), p[DialogColourSlot]);
  EXPECT_EQ(Find<FNDialog>("gf1")->Backcolor(), p[DialogColourSlot]);
}

}  // namespace
}  // namespace kelvane::ui
