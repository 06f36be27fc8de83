// Number/text rules shared by files, messages and the solver.
#include "model/text_rules.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kelvane {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

double NumericValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  double value = 0;
  bool any = false;
  while (i < text.size() && isDigit(text[i])) {
    value = value * 10 + (text[i] - '0');
    any = true;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < text.size() && isDigit(text[i])) {
      value += (text[i] - '0') * scale;
      scale /= 10;
      any = true;
      ++i;
    }
  }
  if (!any) return 0;
  return negative ? -value : value;
}

int IntValue(std::string_view text) {
  double v = std::trunc(NumericValue(text));
  constexpr double lo = std::numeric_limits<int>::min();
  constexpr double hi = std::numeric_limits<int>::max();
  if (!(v >= lo)) return std::numeric_limits<int>::min();
  if (v > hi) return std::numeric_limits<int>::max();
  return static_cast<int>(v);
}

std::string NumText(long long n) {
  std::string text(n < 0 ? 0 : 1, ' ');
  text += std::to_string(n);
  return text;
}

std::string StarsText(int stars) {
  if (stars <= 0) return {};
  std::string text;
  for (int k = 1; k <= MostStars; ++k) text += k <= stars ? "\u2605" : "\u2606";
  return text;
}

std::string OneDecimal(double value) {
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
  return ec == std::errc() ? std::string(text, end) : std::string("?");
}

std::string Pad3(long long n) {
  std::string digits = std::to_string(n);
  if (n < 0) digits.erase(0, 1);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return n < 0 ? "-" + digits : digits;
}

int CountItems(std::string_view text) {
  if (text.empty()) return 0;
  int commas = 0;
  for (char c : text) commas += c == ',';
  return commas == 0 ? 0 : commas + 1;
}

std::string_view LastItem(std::string_view text) {
  std::size_t comma = text.rfind(',');
  return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

std::string InputField(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && isBlank(line[i])) ++i;
  line.remove_prefix(i);
  if (!line.empty() && line.front() == '"') {
    std::size_t close = line.find('"', 1);
    return std::string(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  }
  std::size_t comma = line.find(',');
  std::string_view field = line.substr(0, comma);
  while (!field.empty() && isBlank(field.back())) field.remove_suffix(1);
  return std::string(field);
}

namespace {

bool cellDigits(std::string_view s) {
  if (s.empty() || s.size() > 3 || s[0] == '0') return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

bool ParseSolutionText(std::string_view text, std::vector<int>& chain, int& marked) {
  chain.clear();
  const std::size_t last = text.rfind(',');
  if (last == std::string_view::npos) return false;
  std::string_view tail = text.substr(last + 1);
  if (tail.size() < 2 || tail[0] != ' ' || !cellDigits(tail.substr(1))) return false;
  marked = IntValue(tail);
  // Up to and including the last comma, so an empty item before it is seen.
  for (std::size_t from = 0; from <= last;) {
    const std::size_t comma = text.find(',', from);
    const std::string_view item = text.substr(from, comma - from);
    if (!cellDigits(item)) return false;
    chain.push_back(IntValue(item));
    from = comma + 1;
  }
  return !chain.empty();
}

}  // namespace kelvane
