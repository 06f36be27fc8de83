// The Create New Puzzles dialog for real: the count check, the check box, output file, outcome, ways out.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>
#include <tuple>

#include "board/create_dialog.h"
#include "output/print_dialog_qt.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

struct CreateDialogTest : DialogTest {
  CreateDialog dialog{messages};

  void SetUp() override {
    root = &dialog;
    Reopen();
  }
  void Reopen() {
    dialog.Prepare("/opt/kelvane/", {}, dir.Folder());
    dialog.show();
  }
  void Type(const char* text) {
    QLineEdit* edit = Find<QLineEdit>("Text1");
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  void Tick() {
    QCheckBox* check = Find<QCheckBox>("Check1");
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->height() / 2, check->height() / 2));
  }
};

TEST_F(CreateDialogTest, CreateTakesAPositiveCountRoundedAndABadOneKeepsItOpen) {
  EXPECT_EQ(std::make_tuple(dialog.Size(), dialog.Easy(), dialog.DisplayOnly(), dialog.Count()),
            std::make_tuple(9, false, true, 1));
  const std::pair<const char*, int> rows[] = {{"0", -1},  {"-3", -1}, {"abc", -1}, {"", -1},
                                              {"0.0", -1}, {"0.4", 0}, {"2.6", 3},   {"2", 2}};  // -1: refused
  for (const auto& [typed, count] : rows) {
    SCOPED_TRACE(typed);
    Reopen();
    Type(typed);
    answers.messages.clear();
    Release("command1");
    EXPECT_EQ(dialog.isVisible(), count < 0);
    if (count < 0) {
      EXPECT_EQ(answers.messages, std::vector<Msg>{Msg("Specify number of puzzles to create", "vbok+vbcritical")});
      EXPECT_EQ(dialog.Tag(), "X");
    } else {
      EXPECT_TRUE(answers.messages.empty());
      EXPECT_EQ(dialog.Tag(), "Y");
      EXPECT_EQ(dialog.Count(), count);
      EXPECT_FALSE(dialog.DisplayOnly());
    }
  }
  Reopen();
  Find<QLineEdit>("FileNow")->clear();
  Release("command1");
  EXPECT_EQ(answers.messages.back(), Msg("Choose an output file", "vbok+vbcritical"));
  EXPECT_EQ(dialog.Tag(), "X");
}

// Both dialogs share these ways out; the print dialog's close box once printed as if confirmed.
TEST_F(CreateDialogTest, CancelEscapeAndTheCloseBoxLeaveTagXInBothDialogs) {
  test::WriteFile(dir.File("six.kvl"), records(6));
  PrintFileDialog print(messages, {}, "");
  print.Prepare(dir.File("six.kvl"), {}, "/opt/kelvane/", dir.Folder());
  for (TagDialog* d : std::initializer_list<TagDialog*>{&dialog, &print})
    for (int way = 0; way < 3; ++way) {
      SCOPED_TRACE(way);
      answers.files = {dir.File("x.pdf")};
      d->show();
      QTest::mouseClick(d->findChild<BoxControl*>("command1"), Qt::LeftButton);
      ASSERT_NE(d->Tag(), "X");
      d->show();  // again without Prepare, so Tag still holds the outcome
      if (way == 0) QTest::mouseClick(d->findChild<BoxControl*>("command2"), Qt::LeftButton);
      else if (way == 1) QTest::keyClick(d, Qt::Key_Escape);
      else d->close();
      EXPECT_FALSE(d->isVisible());
      EXPECT_EQ(d->Tag(), "X");
    }
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(CreateDialogTest, CountAndCheckBoxFollowEachOther) {
  QCheckBox* check = Find<QCheckBox>("Check1");
  for (const auto& [typed, ticked] : {std::pair{"1", true}, {"12", false}, {"01", true}}) {
    Type(typed);
    EXPECT_EQ(check->isChecked(), ticked) << typed;
  }
  EXPECT_EQ(Edit("Text1"), "01");  // ticking by typing does not rewrite the count

  Type("12");
  Tick();
  EXPECT_EQ(Edit("Text1"), "1");
  EXPECT_TRUE(dialog.DisplayOnly());
  Tick();  // clearing the tick keeps the count: one puzzle, stored
  EXPECT_FALSE(check->isChecked());
  EXPECT_EQ(dialog.Count(), 1);
  EXPECT_FALSE(dialog.DisplayOnly());
}

// The numbering of free names is the core's; the dialog offers one anew on each opening and takes the chosen one.
TEST_F(CreateDialogTest, TheOutputFileIsTheNextFreeNameOrTheChosenOne) {
  test::WriteFile(dir.File("tempnewpuzzle;01.kvl"), "");
  Reopen();
  EXPECT_EQ(dialog.OutputFile(), dir.File("tempnewpuzzle;02.kvl"));
  Choose();  // answered with "": nothing changes
  EXPECT_TRUE(answers.requests.at(0).save);
  EXPECT_EQ(dialog.OutputFile(), dir.File("tempnewpuzzle;02.kvl"));
  answers.files = {"/home/someone/batch.kvl"};
  Choose();
  EXPECT_EQ(dialog.OutputFile(), "/home/someone/batch.kvl");
}

TEST_F(CreateDialogTest, ChoicesAreReadAndKeptForTheNextShowing) {
  for (const auto& [option, size] : {std::pair{"Option2_0", 5}, {"Option2_2", 9}, {"Option2_3", 0}, {"Option2_1", 7}}) {
    Find<QRadioButton>(option)->click();
    EXPECT_EQ(dialog.Size(), size) << option;
  }
  Find<QRadioButton>("Option1")->click();
  Type("5");
  Release("command1");
  Reopen();
  EXPECT_EQ(dialog.Tag(), "X");
  EXPECT_EQ(std::make_tuple(dialog.Size(), dialog.Easy(), dialog.Count()), std::make_tuple(7, true, 5));
  EXPECT_FALSE(Find<QCheckBox>("Check1")->isChecked());
}

}  // namespace
}  // namespace kelvane::ui
