// Chain lists: the shipped files, the complete enumeration, and the cache that reads them.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "engine/chain_list.h"
#include "model/geometry.h"
#include "model/text_rules.h"
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
    const int M = geo.NumbersPerRow();
    const ChainShapes* shapes = ShapesFor(N);
    ASSERT_NE(shapes, nullptr);
    int expected = 1;
    for (int k = 0; k <= M; ++k) expected *= M;
    EXPECT_EQ(shapes->count, expected);  // 81, 1024, 15625
    std::set<std::string> distinct(shapes->text.begin(), shapes->text.end());
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(expected));
    for (int id = 0; id < shapes->count; ++id) {
      const std::string& line = shapes->text[static_cast<std::size_t>(id)];
      ASSERT_EQ(line.back(), ',');
      std::vector<int> cells;
      for (std::size_t from = 0; from < line.size();) {
        const std::size_t comma = line.find(',', from);
        cells.push_back(IntValue(line.substr(from, comma - from)));
        from = comma + 1;
      }
      ASSERT_TRUE(geo.IsBottomRow(cells.front())) << line;
      ASSERT_TRUE(geo.IsTopRow(cells.back())) << line;
      std::set<int> visited;
      for (std::size_t k = 0; k < cells.size(); ++k) {
        ASSERT_TRUE(visited.insert(cells[k]).second) << line;
        if (k > 0) {
          ASSERT_TRUE(geo.IsChainStep(cells[k - 1], cells[k])) << line;
        }
      }
      const std::uint8_t* stored;
      const int n = shapes->CellsOf(id, stored);
      ASSERT_EQ(std::vector<int>(stored, stored + n), cells);
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

TEST(ChainListCache, MissingEmptyAndUnreadableListsGiveAMessage) {
  test::TempDir dir;
  ChainListCache cache(dir.Folder());
  ChainListResult r = cache.Get(9);
  EXPECT_EQ(r.list, nullptr);
  EXPECT_NE(r.error.find("\"k9x9.kvy\""), std::string::npos) << r.error;
  EXPECT_NE(r.error.find("missing"), std::string::npos) << r.error;

  test::WriteFile(dir.File("k9x9.kvy"), "");
  r = cache.Get(9);
  EXPECT_EQ(r.list, nullptr);
  EXPECT_NE(r.error.find("holds no chains"), std::string::npos) << r.error;

  std::filesystem::create_directory(dir.File("k7x7.kvy"));
  r = cache.Get(7);
  EXPECT_EQ(r.list, nullptr);
  EXPECT_FALSE(r.error.empty());
}

TEST(ChainListCache, ReadsAgainWhenTheFileChanges) {
  test::TempDir dir;
  ChainListCache cache(dir.Folder());
  test::WriteFile(dir.File("k5x5.kvy"), ChainListText(5));
  const auto first = cache.Get(5).list;
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->complete);
  EXPECT_EQ(cache.Get(5).list, first);  // unchanged: the same list

  test::WriteFile(dir.File("k5x5.kvy"), "21,11,1,3,\n23,13,3,\n");
  const auto second = cache.Get(5).list;
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(second->lines, 2);
  EXPECT_FALSE(second->complete);

  std::filesystem::remove(dir.File("k5x5.kvy"));
  EXPECT_EQ(cache.Get(5).list, nullptr);
  // A list handed out earlier stays valid.
  EXPECT_EQ(second->lines, 2);
}

}  // namespace
}  // namespace kelvane
