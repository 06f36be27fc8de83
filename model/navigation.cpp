// Putting a stored puzzle on the board, blanking it, and the file commands around it.
#include "model/navigation.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "model/text_rules.h"

namespace kelvane {

ShowResult ShowPuzzle(GameState& g, const std::string& file, int n) {
  ShowResult result;
  g.PuzzleCount = CountPuzzles(g.Files, file);
  RawRecord raw;
  result.status = ReadRawRecord(g.Files, file, n, raw);
  if (result.status != ReadStatus::Ok) {
    BlankBoard(g);
    return result;
  }
  const ParsedRecord r = ParseRecord(raw);
  result.found = true;
  result.title = r.Title;
  g.PuzzleSize = r.Size;
  g.SolutionLength = r.SolutionLength;
  LayOutBoard(g, g.PuzzleSize);
  RecolourBoard(g);
  for (std::size_t i = 0; i < r.Cells.size(); ++i) g.Cell[i + 1].Caption.assign(1, r.Cells[i]);
  g.Solution = r.Solution;
  PlaceMarker(g, g.Solution);
  g.PuzzleNumber = n;
  g.CurrentFile = file;
  g.ShownCells = r.Cells;
  g.ShownMarkedCell = r.MarkedCell;
  result.difficulty = DifficultyWord(r.Title);
  g.EasyFlag = result.difficulty != "Hard";
  g.Undolist.clear();
  g.RedoCells.clear();
  g.LastChainCell = -1;
  g.ChainString.clear();
  g.CurrentSum = 0;
  return result;
}

void BlankBoard(GameState& g) {
  // The colour stays local: it must not become the sign colour of the next puzzle.
  const Colour numberColour = g.PlainBlankFlag == YES ? g.Palette[2] : g.Palette[5];
  for (int i = 1; i <= g.CellCount && i <= MaxCellIndex; ++i) {
    BoardCell& cell = g.Cell[static_cast<std::size_t>(i)];
    cell.Caption.clear();
    cell.BackColor = cell.Tag == 'N' ? numberColour : g.Palette[2];
  }
  g.Cell[0].Visible = false;
  g.MarkedCell = 0;
}

void RecolourBoard(GameState& g) {
  for (int i = 1; i <= g.CellCount && i <= MaxCellIndex; ++i) {
    BoardCell& cell = g.Cell[static_cast<std::size_t>(i)];
    cell.BackColor = cell.Tag == 'N' ? g.NumberCellColour : g.SignCellColour;
    cell.ForeColor = RGB(0, 0, 0);
  }
  g.Cell[0].BackColor = g.MarkedCellBackColour;
  g.Cell[0].ForeColor = g.MarkedCellTextColour;
}

int ArrowTarget(int index, int button, int number, int count, double r) {
  if (count < 1 || (number == 1 && count == 1)) return 0;
  const bool right = button == 2;
  switch (index) {
    case 0: return right ? 1 : (number - 1 < 1 ? count : number - 1);
    case 2: return right ? count : (number + 1 > count ? 1 : number + 1);
    case 3: {
      const int k = static_cast<int>(r * count) + 1;
      return k > count ? count : k;
    }
    default: return 0;
  }
}

int NextPickerSize(int size) {
  switch (size) {
    case 5: return 7;
    case 7: return 9;
    case 9: return 5;
    default: return 0;
  }
}

std::string SizeText(int size) { return std::to_string(size) + "x" + std::to_string(size); }

SaveResult SaveCurrentPuzzle(GameState& g, const std::string& file) {
  SaveResult s;
  const int n = CountPuzzles(g.Files, file);
  int number = n + 1;
  const WriteResult w = AppendRecord(g, number, file);
  if (!w.ok) {
    s.message = w.message + (w.reason.empty() ? "" : "\n" + w.reason);
    s.style = "vbok+vbcritical";
    return s;
  }
  s.ok = true;
  s.number = number;
  s.message = "Puzzle#" + NumText(number) + " saved in file " + file;
  s.style = "vbok+vbinformation";
  return s;
}

WriteResult DeleteRecord(PuzzleFileIndexes& files, const std::string& file, int n, const ShownRecord* shown) {
  auto failure = [&](std::string reason) {
    return WriteResult{false, "Error deleting puzzle#" + NumText(n) + " from file: " + file, std::move(reason)};
  };
  FileStatus status;
  const FileIndex* index = files.Get(file, &status);
  if (!index) return failure(status == FileStatus::Missing ? "The file does not exist." : "The file cannot be read.");
  if (n < 1 || static_cast<std::size_t>(n) > index->recordStart.size()) return failure("There is no puzzle at that position.");
  const std::uint64_t from = index->recordStart[static_cast<std::size_t>(n) - 1];
  const std::uint64_t to = static_cast<std::size_t>(n) < index->recordStart.size()
                               ? index->recordStart[static_cast<std::size_t>(n)]
                               : index->size;
  std::ifstream in(file, std::ios::binary);
  std::ostringstream content;
  if (!in || !(content << in.rdbuf())) return failure("The file cannot be read.");
  std::string text = content.str();
  if (text.size() != index->size) return failure("The file changed while it was read.");
  if (shown) {
    RawRecord raw;
    if (ReadRawRecord(files, file, n, raw) != ReadStatus::Ok) return failure("The file changed while it was read.");
    const ParsedRecord r = ParseRecord(raw);
    if (r.MarkedCell != shown->markedCell || r.Cells != shown->grid)
      return failure("The file has changed since the puzzle was shown: puzzle#" + NumText(n) +
                     " in it is another puzzle. Nothing was deleted.");
  }
  text.erase(from, to - from);
  const WriteResult w = ReplaceFile(file, text);
  if (!w.ok) return failure(w.reason);
  return {};
}

}  // namespace kelvane
