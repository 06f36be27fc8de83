// A literal, slow solver used as the oracle for the fast one: sorted list of
// texts, coverage counts, owners and candidate entries, all as plain strings.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "engine/grid.h"
#include "model/text_rules.h"

namespace kelvane::test {

struct ReferenceResult {
  bool found = false;
  std::string solution;
  int solutionLength = 0;
};

// The texts between the commas of a line; the last is the text after the last comma.
inline std::vector<std::string> itemsOf(const std::string& line) {
  std::vector<std::string> items;
  for (std::size_t from = 0;;) {
    const std::size_t comma = line.find(',', from);
    items.push_back(line.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
    if (comma == std::string::npos) return items;
    from = comma + 1;
  }
}

inline ReferenceResult ReferenceSolve(const Grid& g, bool easy, const std::vector<std::string>& lines) {
  const int cellCount = g.N * g.N;
  const int M = g.N / 2 + 1;
  const auto captionValue = [&](int cell) {
    const char c = g.c[static_cast<std::size_t>(cell)];
    return IntValue(c == '\0' ? std::string() : std::string(1, c));
  };
  std::vector<std::string> list;  // always sorted; equal texts both stay
  auto insertSorted = [&](const std::string& s) { list.insert(std::upper_bound(list.begin(), list.end(), s), s); };
  for (std::string line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find(',') == std::string::npos || line.size() > 999) continue;
    std::vector<int> cells;  // the items before the last comma
    for (const std::string& item : itemsOf(line)) cells.push_back(IntValue(item));
    cells.pop_back();
    if (std::any_of(cells.begin(), cells.end(), [&](int x) { return x < 1 || x > cellCount; })) continue;
    int value = captionValue(cells[0]);
    for (std::size_t i = 1; i < cells.size(); ++i) {
      const bool plus = g.c[static_cast<std::size_t>((cells[i - 1] + cells[i]) / 2)] == '+';
      value += plus ? captionValue(cells[i]) : -captionValue(cells[i]);
    }
    if (value == 0) insertSorted(line);
  }
  ReferenceResult r;
  if (list.empty()) return r;
  std::vector<int> coverage(static_cast<std::size_t>(cellCount) + 1, 0);
  std::vector<int> owner(static_cast<std::size_t>(cellCount) + 1, 0);
  for (std::size_t t = 0; t < list.size(); ++t) {
    const std::vector<std::string> items = itemsOf(list[t]);
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
      const int x = IntValue(items[i]);
      ++coverage[static_cast<std::size_t>(x)];
      owner[static_cast<std::size_t>(x)] = static_cast<int>(t);
    }
  }
  const std::vector<std::string> chains = list;  // positions before any candidate joins
  for (int i = 1; i <= cellCount; ++i) {
    if (coverage[static_cast<std::size_t>(i)] != 1) continue;
    const std::string& chain = chains[static_cast<std::size_t>(owner[static_cast<std::size_t>(i)])];
    const std::string entry = "X" + Pad3(static_cast<long long>(chain.size())) + chain + NumText(i);
    if (easy || CountItems(chain) - 1 > M) insertSorted(entry);
  }
  // Candidate entries sort after every chain: Easy takes the first of them, Hard the last.
  if (list.back()[0] != 'X') return r;
  const auto first = std::find_if(list.begin(), list.end(), [](const std::string& s) { return s[0] == 'X'; });
  r.found = true;
  r.solution = (easy ? *first : list.back()).substr(4);
  r.solutionLength = CountItems(r.solution) - 1;
  return r;
}

}  // namespace kelvane::test
