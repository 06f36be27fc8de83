// Fuzz target: a chain list of each size, then the solver and the generator over it.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/chain_list.h"
#include "engine/generator.h"
#include "engine/solver.h"
#include "fuzz_support.h"
#include "model/geometry.h"
#include "model/text_rules.h"

using namespace kelvane;

namespace {

// A board of one size with a solution under the complete list, the same every run.
struct FixedBoard {
  int N = 0;
  std::shared_ptr<const ChainList> complete;
  Grid grid;
};

FixedBoard MakeFixedBoard(int N) {
  FixedBoard b;
  b.N = N;
  b.complete = ParseChainList(N, ChainListText(N));
  Random rng(20240601u + static_cast<unsigned>(N));
  SolverScratch scratch;
  NewPuzzle made;
  long long attempts = 0;
  if (MakePuzzle(N, true, *b.complete, rng, scratch, nullptr, made, attempts, 100000) != MakeResult::Made) {
    std::fprintf(stderr, "fuzz: the generator made no %dx%d board\n", N, N);
    std::abort();
  }
  b.grid = made.grid;
  return b;
}

const std::array<FixedBoard, 3>& Boards() {
  static const std::array<FixedBoard, 3> boards = {MakeFixedBoard(5), MakeFixedBoard(7), MakeFixedBoard(9)};
  return boards;
}

// What the solver promises about a solution it reports.
void CheckSolution(const FixedBoard& b, const ChainList& list, bool easy) {
  SolverScratch scratch;
  std::string solution = "untouched";
  int length = -7;
  if (!FindSolution(b.grid, easy, list, scratch, solution, length)) {
    FUZZ_REQUIRE(solution == "untouched" && length == -7);
    return;
  }
  const Geometry geo{b.N};
  // The solver's text is the chain's line as listed, a blank and the marked cell.
  const std::size_t blank = solution.rfind(' ');
  FUZZ_REQUIRE(blank != std::string::npos && blank + 1 < solution.size());
  const std::string cellText = solution.substr(blank + 1);
  FUZZ_REQUIRE(cellText.find_first_not_of("0123456789") == std::string::npos);
  const int marked = IntValue(cellText);
  FUZZ_REQUIRE(geo.OnBoard(marked) && cellText == std::to_string(marked));
  const std::string line = solution.substr(0, blank);
  // Readers take the marked cell from the last item. A line with text after
  // its last comma breaks that; the chain-list format has every cell end in a
  // comma and keeps such a line unchanged.
  if (!line.empty() && line.back() == ',') FUZZ_REQUIRE(IntValue(LastItem(solution)) == marked);
  FUZZ_REQUIRE(length == CountItems(solution) - 1 && length >= 1);
  // The chain is a line of the list, and the marked cell is one of its cells.
  bool listed = false;
  const auto holds = [&](const std::uint8_t* cells, std::size_t n) {
    return std::find(cells, cells + n, static_cast<std::uint8_t>(marked)) != cells + n;
  };
  for (int id = 0; id < list.shapes->count && !listed; ++id) {
    if (list.copies[static_cast<std::size_t>(id)] == 0 || list.shapes->text[static_cast<std::size_t>(id)] != line) continue;
    const std::uint8_t* cells;
    const int n = list.shapes->CellsOf(id, cells);
    listed = holds(cells, static_cast<std::size_t>(n));
  }
  for (const ExtraChain& e : list.extras) listed = listed || (e.text == line && holds(e.cells.data(), e.cells.size()));
  FUZZ_REQUIRE(listed);
  // A complete list, however it is written, solves as the shipped one does.
  if (list.complete) {
    std::string expected;
    int expectedLength = 0;
    FUZZ_REQUIRE(FindSolution(b.grid, easy, *b.complete, scratch, expected, expectedLength));
    FUZZ_REQUIRE(expected == solution && expectedLength == length);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const FixedBoard& b : Boards()) {
    const auto list = ParseChainList(b.N, text);
    FUZZ_REQUIRE(list != nullptr && list->N == b.N && list->shapes != nullptr);
    FUZZ_REQUIRE(list->copies.size() == static_cast<std::size_t>(list->shapes->count));
    FUZZ_REQUIRE(list->lines >= 0 && list->skipped >= 0);
    FUZZ_REQUIRE(!list->complete || list->extras.empty());
    for (const ExtraChain& e : list->extras) {
      FUZZ_REQUIRE(!e.cells.empty() && e.items == CountItems(e.text));
      for (std::uint8_t c : e.cells) FUZZ_REQUIRE(c >= 1 && c <= b.N * b.N);
    }
    if (list->lines == 0) continue;
    CheckSolution(b, *list, true);
    CheckSolution(b, *list, false);

    // A few generator attempts over the list, from a fixed seed.
    Random rng(size);
    SolverScratch scratch;
    NewPuzzle made;
    long long attempts = 0;
    const std::atomic<bool> cancel{false};
    const MakeResult r = MakePuzzle(b.N, size % 2 == 0, *list, rng, scratch, &cancel, made, attempts, 3);
    FUZZ_REQUIRE(attempts >= 1 && attempts <= 3);
    if (r == MakeResult::Made) {
      const std::size_t blank = made.Solution.rfind(' ');
      FUZZ_REQUIRE(blank != std::string::npos && blank > 0);
      if (made.Solution[blank - 1] == ',') FUZZ_REQUIRE(made.MarkedCell >= 1 && made.MarkedCell <= b.N * b.N);
    }
  }
  return 0;
}
