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
  std::vector<std::string> candidates;  // candidate entries in list order
};

inline int captionValue(const Grid& g, int cell) {
  const char c = g.c[static_cast<std::size_t>(cell)];
  return IntValue(c == '\0' ? std::string() : std::string(1, c));
}

inline ReferenceResult ReferenceSolve(const Grid& g, bool easy, const std::vector<std::string>& lines) {
  const int cellCount = g.N * g.N;
  const int M = g.N / 2 + 1;
  std::vector<std::string> list;  // always sorted; equal texts both stay
  auto insertSorted = [&](const std::string& s) { list.insert(std::upper_bound(list.begin(), list.end(), s), s); };
  auto itemsOf = [](const std::string& line) {
    std::vector<std::string> items;
    std::size_t from = 0;
    for (;;) {
      const std::size_t comma = line.find(',', from);
      items.push_back(line.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
      if (comma == std::string::npos) break;
      from = comma + 1;
    }
    return items;  // the last item is the text after the last comma
  };
  for (std::string line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find(',') == std::string::npos || line.size() > 999) continue;
    const std::vector<std::string> items = itemsOf(line);
    const std::size_t U = items.size() - 1;
    bool usable = true;
    for (std::size_t i = 0; i < U; ++i) {
      const int cell = IntValue(items[i]);
      usable = usable && cell >= 1 && cell <= cellCount;
    }
    if (!usable) continue;
    int value = captionValue(g, IntValue(items[0]));
    for (std::size_t i = 1; i < U; ++i) {
      const int a = IntValue(items[i - 1]);
      const int b = IntValue(items[i]);
      const bool plus = g.c[static_cast<std::size_t>((a + b) / 2)] == '+';
      value += plus ? captionValue(g, b) : -captionValue(g, b);
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
  for (const std::string& s : list)
    if (s[0] == 'X') r.candidates.push_back(s);
  if (list.back()[0] != 'X') return r;
  const std::string& chosen = easy ? r.candidates.front() : list.back();
  r.found = true;
  r.solution = chosen.substr(4);
  r.solutionLength = CountItems(r.solution) - 1;
  return r;
}

}  // namespace kelvane::test
