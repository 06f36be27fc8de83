// Chain lists: every chain a player can build on a board, as text and in memory.
#include "engine/chain_list.h"

#include <array>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string_view>
#include <unordered_map>

#include "model/game_state.h"
#include "model/text_rules.h"

namespace kelvane {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMaxListBytes = 64u << 20;
constexpr std::size_t kMaxLineChars = 999;  // the candidate text holds the length in three digits

struct ShapeTables {
  ChainShapes shapes;
  std::unordered_map<std::string_view, int> idOfText;
};

ShapeTables buildShapes(int N) {
  ShapeTables t;
  ChainShapes& s = t.shapes;
  s.N = N;
  s.M = N / 2 + 1;
  const int M = s.M;
  int count = 1;
  for (int k = 0; k <= M; ++k) count *= M;
  s.count = count;
  s.text.reserve(static_cast<std::size_t>(count));
  s.cellStart.reserve(static_cast<std::size_t>(count) + 1);
  auto cellOf = [&](int row, int col) { return (N - 2 * row - 1) * N + 2 * col + 1; };
  std::array<int, 8> digits{};
  for (int id = 0; id < count; ++id) {
    for (int k = M, rest = id; k >= 0; --k, rest /= M) digits[static_cast<std::size_t>(k)] = rest % M;
    s.cellStart.push_back(static_cast<std::uint32_t>(s.cells.size()));
    std::string text;
    int col = digits[0];
    for (int row = 0; row < M; ++row) {
      const int exit = digits[static_cast<std::size_t>(row + 1)];
      const int step = exit >= col ? 1 : -1;
      for (int c = col;; c += step) {
        const int cell = cellOf(row, c);
        s.cells.push_back(static_cast<std::uint8_t>(cell));
        text += std::to_string(cell);
        text += ',';
        if (c == exit) break;
      }
      col = exit;
    }
    s.text.push_back(std::move(text));
  }
  s.cellStart.push_back(static_cast<std::uint32_t>(s.cells.size()));
  for (int id = 0; id < count; ++id) t.idOfText.emplace(s.text[static_cast<std::size_t>(id)], id);
  return t;
}

const ShapeTables* tablesFor(int N) {
  static const ShapeTables t5 = buildShapes(5);
  static const ShapeTables t7 = buildShapes(7);
  static const ShapeTables t9 = buildShapes(9);
  switch (N) {
    case 5: return &t5;
    case 7: return &t7;
    case 9: return &t9;
    default: return nullptr;
  }
}

}  // namespace

const ChainShapes* ShapesFor(int N) {
  const ShapeTables* t = tablesFor(N);
  return t ? &t->shapes : nullptr;
}

std::string ChainListText(int N) {
  const ChainShapes* s = ShapesFor(N);
  std::string out;
  if (!s) return out;
  for (const std::string& line : s->text) {
    out += line;
    out += '\n';
  }
  return out;
}

std::shared_ptr<const ChainList> ParseChainList(int N, const std::string& text) {
  const ShapeTables* tables = tablesFor(N);
  auto list = std::make_shared<ChainList>();
  list->N = N;
  if (tables) {
    list->shapes = &tables->shapes;
    list->copies.assign(static_cast<std::size_t>(tables->shapes.count), 0);
  }
  std::string_view rest(text);
  while (!rest.empty()) {
    const std::size_t nl = rest.find('\n');
    std::string_view line = rest.substr(0, nl);
    rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t lastComma = line.rfind(',');
    if (lastComma == std::string_view::npos) {
      if (!line.empty()) ++list->skipped;
      continue;
    }
    if (tables) {
      auto it = tables->idOfText.find(line);
      if (it != tables->idOfText.end()) {
        std::uint8_t& copies = list->copies[static_cast<std::size_t>(it->second)];
        if (copies < 2) ++copies;
        ++list->lines;
        continue;
      }
    }
    ExtraChain extra;
    bool usable = line.size() <= kMaxLineChars;
    for (std::size_t from = 0; usable && from <= lastComma;) {
      const std::size_t comma = line.find(',', from);
      const int cell = IntValue(line.substr(from, comma - from));
      usable = cell >= 1 && cell <= N * N;
      extra.cells.push_back(static_cast<std::uint8_t>(usable ? cell : 0));
      from = comma + 1;
    }
    if (!usable) {
      ++list->skipped;
      continue;
    }
    extra.text = std::string(line);
    extra.items = CountItems(line);
    list->extras.push_back(std::move(extra));
    ++list->lines;
  }
  bool complete = tables != nullptr && list->extras.empty();
  for (std::uint8_t c : list->copies) complete = complete && c == 1;
  list->complete = complete;
  return list;
}

ChainListResult ChainListCache::Get(int N) {
  const std::string name = ChainListName(N);
  const fs::path path = fs::path(folder_) / name;
  auto fail = [&](std::string why) {
    entries_.erase(N);
    return ChainListResult{nullptr, "The chain list \"" + name + "\" " + why};
  };
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec) return fail(fs::exists(path, ec) ? "cannot be read from " + folder_ + "." : "is missing from " + folder_ + ".");
  const auto mtime = fs::last_write_time(path, ec);
  if (ec) return fail("cannot be read from " + folder_ + ".");
  auto it = entries_.find(N);
  if (it != entries_.end() && it->second.size == size && it->second.mtime == mtime) return {it->second.list, {}};
  if (size > kMaxListBytes) return fail("is too large to be a chain list.");

  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  if (!in || !(content << in.rdbuf())) {
    if (size != 0 || !in) return fail("cannot be read from " + folder_ + ".");
  }
  auto list = ParseChainList(N, content.str());
  if (list->lines == 0) return fail("holds no chains.");
  entries_[N] = Entry{size, mtime, list};
  return {list, {}};
}

}  // namespace kelvane
