// Chain lists: every chain a player can build on a board, as text and in memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kelvane {

// The complete set of chains of one board size, in a fixed order. A chain
// starts in the bottom row, goes left or right along a row, steps up, and ends
// in the top row; it is fixed by its start column, the column where it leaves
// each row below the top, and its end column: M + 1 digits in base M.
struct ChainShapes {
  int N = 0;
  int M = 0;
  int count = 0;                        // M^(M+1)
  std::vector<std::string> text;        // "21,11,1,3,"
  std::vector<std::uint32_t> cellStart; // cells of chain i: cells[cellStart[i] .. cellStart[i+1])
  std::vector<std::uint8_t> cells;

  int CellsOf(int id, const std::uint8_t*& first) const {
    first = cells.data() + cellStart[static_cast<std::size_t>(id)];
    return static_cast<int>(cellStart[static_cast<std::size_t>(id) + 1] - cellStart[static_cast<std::size_t>(id)]);
  }
  // Chain id from the digits (start, exits of the lower rows, end), each 0..M-1.
  int IdOf(const int* digits) const {
    int id = 0;
    for (int k = 0; k <= M; ++k) id = id * M + digits[k];
    return id;
  }
};

// The shapes of size 5, 7 or 9 (nullptr for any other size); built once.
const ChainShapes* ShapesFor(int N);

// The complete list as the chain-list files hold it, one chain per line.
std::string ChainListText(int N);

// A line of a chain-list file that is not one of the complete list's texts.
struct ExtraChain {
  std::string text;                 // the line as read, without its line end
  std::vector<std::uint8_t> cells;  // the cell numbers before each comma
  int items = 0;                    // CountItems of the line
};

// One size's chain list as read from its file.
struct ChainList {
  int N = 0;
  const ChainShapes* shapes = nullptr;
  std::vector<std::uint8_t> copies;  // per chain id: how often the file lists it (capped at 2)
  std::vector<ExtraChain> extras;    // other usable lines, in file order
  int lines = 0;                     // usable lines
  int skipped = 0;                   // lines with no cell or a cell off the board
  bool complete = false;             // every chain listed exactly once and nothing else
};

struct ChainListResult {
  std::shared_ptr<const ChainList> list;  // null on failure
  std::string error;
};

// Parses a chain list of board size N from its text.
std::shared_ptr<const ChainList> ParseChainList(int N, const std::string& text);

// Chain lists by size, read from a folder and read again when a file changes.
class ChainListCache {
 public:
  explicit ChainListCache(std::string folder) : folder_(std::move(folder)) {}
  const std::string& Folder() const { return folder_; }
  ChainListResult Get(int N);

 private:
  struct Entry {
    std::uint64_t size = 0;
    std::filesystem::file_time_type mtime{};
    std::shared_ptr<const ChainList> list;
  };
  std::string folder_;
  std::map<int, Entry> entries_;
};

}  // namespace kelvane
