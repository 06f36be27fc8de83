// Fuzz target: a puzzle file read by count, by position, in sequence and as pasted text, checked and shown.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/check.h"
#include "fuzz_support.h"
#include "model/game_state.h"
#include "model/navigation.h"
#include "model/play.h"
#include "model/puzzle_file.h"
#include "model/text_rules.h"

using namespace kelvane;

namespace {

// Records compared between the two ways of reading; enough for any small input.
constexpr int kComparedRecords = 256;

bool SameRecord(const RawRecord& a, const RawRecord& b) {
  return a.HeaderLine == b.HeaderLine && a.TitleLine == b.TitleLine && a.SizeLine == b.SizeLine &&
         a.GridLine == b.GridLine && a.SolutionLine == b.SolutionLine && a.Overlong == b.Overlong;
}

void CheckParsed(const RawRecord& raw) {
  const ParsedRecord r = ParseRecord(raw);
  FUZZ_REQUIRE(r.Size >= 5 && r.Size <= 9);
  FUZZ_REQUIRE(r.Cells.size() <= static_cast<std::size_t>(MaxGridCells));
  FUZZ_REQUIRE(r.MarkedCell >= 0 && r.MarkedCell <= MaxGridCells);
  FUZZ_REQUIRE(!r.MarkedCellBad || r.MarkedCell == 0);
  FUZZ_REQUIRE(r.GridPrefix.size() <= 3);
}

// A record the checker passes is one a player can win by following its solution.
void PlayTheSolution(GameState& g, const std::string& path, int position, const RawRecord& raw) {
  const ShowResult shown = ShowPuzzle(g, path, position);
  FUZZ_REQUIRE(shown.found);
  const ParsedRecord r = ParseRecord(raw);
  FUZZ_REQUIRE(g.PuzzleSize == r.SizeDigit && g.MarkedCell == r.MarkedCell && g.MarkedCell >= 1);
  std::vector<int> chain;
  std::string_view s = r.Solution;
  const std::size_t last = s.rfind(',');
  for (std::size_t from = 0; from < last;) {
    const std::size_t comma = s.find(',', from);
    chain.push_back(IntValue(s.substr(from, comma - from)));
    from = comma + 1;
  }
  FUZZ_REQUIRE(!chain.empty());
  MoveOutcome outcome;
  for (std::size_t k = 0; k < chain.size(); ++k) {
    outcome = LeftRelease(g, chain[k]);
    FUZZ_REQUIRE(outcome.move == (k == 0 ? Move::Started : Move::Extended));
    FUZZ_REQUIRE(outcome.won == (k + 1 == chain.size()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::ScratchFile("input.kvl");
  fuzz::WriteBytes(path, data, size);

  // A fresh state, and so a fresh index, per run: the index cache keys on
  // size and modification time, which two quick runs of one length can share.
  // One index per run keeps the runs quick.
  GameState g;
  PuzzleFileIndexes& files = g.Files;
  const int count = CountPuzzles(files, path);
  FUZZ_REQUIRE(count >= 0);
  FileStatus fileStatus;
  const FileIndex* index = files.Get(path, &fileStatus);
  FUZZ_REQUIRE(index != nullptr && fileStatus == FileStatus::Ok);
  FUZZ_REQUIRE(index->size == size);
  FUZZ_REQUIRE(static_cast<std::size_t>(count) <= index->recordStart.size());
  const int positions = static_cast<int>(index->recordStart.size());

  for (int n : {1, (count + 1) / 2, count, count + 1, positions, positions + 1, 0, -1}) {
    RawRecord raw;
    const ReadStatus status = ReadRawRecord(files, path, n, raw);
    if (n < 1 || n > positions) FUZZ_REQUIRE(status == ReadStatus::NotFound);
    if (status == ReadStatus::Ok) CheckParsed(raw);

    std::string title;
    if (ReadRecord(g, path, n, title) == ReadStatus::Ok) {
      FUZZ_REQUIRE(g.RecSize >= 5 && g.RecSize <= 9);
      FUZZ_REQUIRE(g.RecMarkedCell >= 0 && g.RecMarkedCell <= MaxGridCells);
    }
  }

  // Reading in sequence gives what reading by position gives.
  int seen = 0;
  const ReadStatus all = ReadAllRecords(path, [&](int position, const RawRecord& raw, ReadStatus status) {
    FUZZ_REQUIRE(position == seen + 1 && position <= positions);
    seen = position;
    if (position <= kComparedRecords) {
      RawRecord byPosition;
      const ReadStatus direct = ReadRawRecord(files, path, position, byPosition);
      FUZZ_REQUIRE(direct == status);
      if (status == ReadStatus::Ok) FUZZ_REQUIRE(SameRecord(raw, byPosition));
    }
    if (status == ReadStatus::Ok) {
      CheckParsed(raw);
      const std::string problem = CheckRecord(raw);
      if (problem.empty()) PlayTheSolution(g, path, position, raw);
    }
    return true;
  });
  FUZZ_REQUIRE(all == ReadStatus::Ok);
  FUZZ_REQUIRE(seen == positions);

  // The same bytes pasted as text: the same records, where no lone CR ends a line the file would not end.
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bool loneCr = false;
  for (std::size_t i = 0; i < size && !loneCr; ++i) loneCr = text[i] == '\r' && (i + 1 == size || text[i + 1] != '\n');
  int pasted = 0;
  ReadRecordsInText(text, [&](int position, const RawRecord& raw, ReadStatus status) {
    FUZZ_REQUIRE(position == ++pasted);
    if (status == ReadStatus::Ok) CheckParsed(raw);
    return true;
  });
  FUZZ_REQUIRE(loneCr || pasted == positions);

  // The board after showing a puzzle, or after failing to.
  for (int n : {1, count, positions + 1}) {
    const ShowResult shown = ShowPuzzle(g, path, n);
    FUZZ_REQUIRE(g.PuzzleCount == count);
    if (shown.found) {
      FUZZ_REQUIRE(g.PuzzleSize >= 5 && g.PuzzleSize <= 9);
      FUZZ_REQUIRE(g.CellCount == g.PuzzleSize * g.PuzzleSize);
      FUZZ_REQUIRE(g.MarkedCell >= 0 && g.MarkedCell <= g.CellCount);
      FUZZ_REQUIRE(g.PuzzleNumber == n);
      (void)GridText(g);
    } else {
      FUZZ_REQUIRE(g.MarkedCell == 0);
    }
  }
  return 0;
}
