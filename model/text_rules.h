// Number/text rules shared by files, messages and the solver.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// Numeric value of a text: leading blanks skipped, then an optional sign,
// digits and a fraction up to the first character that cannot continue a
// number. A text without digits is 0.
double NumericValue(std::string_view text);

// NumericValue truncated to a whole number and clamped to +-2^31.
int IntValue(std::string_view text);

// " 12" for a non-negative number, "-3" for a negative one.
std::string NumText(long long n);

// Three digits padded on the left with 0 ("029"); wider numbers keep all digits.
std::string Pad3(long long n);
// A puzzle's stars: 1 to MostStars.
constexpr int MostStars = 5;
// "★★★☆☆": the stars filled, then the rest of five hollow; "" for 0.
std::string StarsText(int stars);

// One decimal, with a point whatever the locale: "5.5", "12.0".
std::string OneDecimal(double value);

// 0 when the text is empty or has no comma, else the number of pieces
// between commas, empty pieces included ("21,11,1," gives 4).
int CountItems(std::string_view text);

// The last comma-separated piece of a text (the whole text when it has none).
std::string_view LastItem(std::string_view text);

// One input field of a line: leading blanks skipped, ends at a comma or at the
// end of the line, surrounding double quotes removed.
std::string InputField(std::string_view line);

// The chain's cells and the marked cell of a solution text exactly as the
// writer writes it ("21,11,1,3, 1": cell numbers without leading zeros, each
// followed by a comma, then a blank and the marked cell); false otherwise.
[[nodiscard]] bool ParseSolutionText(std::string_view text, std::vector<int>& chain, int& marked);

}  // namespace kelvane
