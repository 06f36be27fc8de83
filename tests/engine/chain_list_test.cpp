// Chain lists: the shipped files, the complete enumeration, and the cache that reads them.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "engine/chain_list.h"
#include "model/geometry.h"
#include "test_support.h"

namespace kelvane {
namespace {

TEST(ChainList, ShippedFilesAreTheCompleteEnumeration) {
  for (int N : {5, 7, 9}) {
    SCOPED_TRACE(N);
    const std::string name = "k" + std::to_string(N) + "x" + std::to_string(N) + ".kvy";
    EXPECT_EQ(test::ReadFile(std::string(KELVANE_SOURCE_DATA) + name), ChainListText(N));
    EXPECT_EQ(test::ReadFile(std::string(KELVANE_BIN_DIR) + name), ChainListText(N));
  }
}

TEST(ChainList, EveryChainIsOneAPlayerCanBuildAndEachAppearsOnce) {
  for (int N : {5, 7, 9}) {
    SCOPED_TRACE(N);
    const Geometry geo{N};
    const ChainShapes* shapes = ShapesFor(N);
    ASSERT_NE(shapes, nullptr);
    int expected = 1;
    for (int k = 0; k <= geo.NumbersPerRow(); ++k) expected *= geo.NumbersPerRow();
    EXPECT_EQ(shapes->count, expected);  // 81, 1024, 15625
    EXPECT_EQ(std::set<std::string>(shapes->text.begin(), shapes->text.end()).size(), std::size_t(expected));
    for (int id = 0; id < shapes->count; ++id) {
      const std::uint8_t* cells;
      const int n = shapes->CellsOf(id, cells);
      std::string text;  // the line lists the cells, each followed by a comma
      for (int k = 0; k < n; ++k) text += std::to_string(cells[k]) + ",";
      ASSERT_EQ(shapes->text[static_cast<std::size_t>(id)], text);
      ASSERT_TRUE(geo.IsBottomRow(cells[0]) && geo.IsTopRow(cells[n - 1])) << text;
      ASSERT_EQ(std::set<int>(cells, cells + n).size(), std::size_t(n)) << text;  // no cell twice
      for (int k = 1; k < n; ++k) ASSERT_TRUE(geo.IsChainStep(cells[k - 1], cells[k])) << text;
    }
  }
}

TEST(ChainList, UnknownSizesHaveNoShapes) {
  EXPECT_EQ(ShapesFor(6), nullptr);
  EXPECT_EQ(ChainListText(8), "");
  // Lines of an unknown size are still read one by one.
  const auto list = ParseChainList(6, "31,19,7,\n");
  EXPECT_EQ(list->lines, 1);
  EXPECT_FALSE(list->complete);
}

// Missing, empty and unreadable lists give a message; a changed file is read again.
TEST(ChainListCache, ReadsAgainWhenTheFileChangesAndSaysWhatIsWrong) {
  test::TempDir dir;
  ChainListCache cache(dir.Folder());
  const std::string file = dir.File("k5x5.kvy"), named = "The chain list \"k5x5.kvy\" ";
  EXPECT_EQ(cache.Get(5).error, named + "is missing from " + dir.Folder() + ".");
  test::WriteFile(file, "");
  EXPECT_EQ(cache.Get(5).error, named + "holds no chains.");

  test::WriteFile(file, ChainListText(5));
  const auto complete = cache.Get(5).list;
  ASSERT_NE(complete, nullptr);
  EXPECT_TRUE(complete->complete);
  EXPECT_EQ(cache.Get(5).list, complete);  // unchanged: the same list
  test::WriteFile(file, "21,11,1,3,\n23,13,3,\n");
  const auto edited = cache.Get(5).list;
  ASSERT_NE(edited, nullptr);
  EXPECT_NE(edited, complete);
  EXPECT_EQ(std::tie(edited->lines, edited->complete), std::make_tuple(2, false));

  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  const ChainListResult folder = cache.Get(5);
  EXPECT_EQ(folder.list, nullptr);
  EXPECT_EQ(folder.error, named + "cannot be read from " + dir.Folder() + ".");
  EXPECT_EQ(edited->lines, 2);  // a list handed out earlier stays valid
}

}  // namespace
}  // namespace kelvane
