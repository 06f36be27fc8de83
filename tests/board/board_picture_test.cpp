// Board pictures for the clipboard: which cells are filled at 2x the twip geometry, read back from the pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include "board/board_picture.h"
#include "model/navigation.h"
#include "model/play.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

struct Shown {
  test::TempDir dir;
  GameState g;
  explicit Shown(const std::string& record) {
    test::WriteFile(dir.File("p.kvl"), record);
    EXPECT_TRUE(ShowPuzzle(g, dir.File("p.kvl"), 1).found);
  }
};

// The colour inside cell i, near its lower-left corner where no caption is drawn (1 px = 7.5 twips).
QColor inside(const QImage& image, int N, int i) {
  const int r = (i - 1) / N, c = (i - 1) % N;
  const double twips = 15.0 / 2.0;
  return image.pixelColor(static_cast<int>((c * 500 + 40) / twips), static_cast<int>((200 + r * 500 + 440) / twips));
}

TEST(BoardPicture, PuzzleFillsTheMarkedCellSolutionThePathAndCopyTakesTheClipboard) {
  Shown s(FormatRecord(1, true, 5, 4, 1, "1-2-3+ - -2-3-1- - -3-1+2", "21,11,1,3, 1"));
  (void)LeftRelease(s.g, 23);  // a chain on the board changes nothing in the picture
  const QImage puzzle = BoardPicture(s.g, GridMode::Puzzle);
  for (int i = 1; i <= 25; ++i)
    EXPECT_EQ(inside(puzzle, 5, i), i == 1 ? QColor(128, 128, 128) : QColor(Qt::white)) << i;
  const QImage solution = BoardPicture(s.g, GridMode::Solution);
  for (int i = 1; i <= 25; ++i) {
    const bool path = i == 21 || i == 16 || i == 11 || i == 6 || i == 1 || i == 2 || i == 3;
    EXPECT_EQ(inside(solution, 5, i), path ? QColor(192, 192, 192) : QColor(Qt::white)) << i;
  }
  EXPECT_EQ(s.g.ChainString, "23");

  ASSERT_TRUE(CopyBoardPicture(s.g, GridMode::Solution));
  EXPECT_EQ(QApplication::clipboard()->image().size(), solution.size());
  GameState empty;
  EXPECT_FALSE(CopyBoardPicture(empty, GridMode::Puzzle));
}

}  // namespace
}  // namespace kelvane::ui
