// Tests of the number and field rules used when reading and writing puzzle text.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <tuple>
#include <utility>

#include "model/text_rules.h"

namespace kelvane {
namespace {

TEST(NumericValue, ReadsBlanksSignDigitsAndFractionAndClampsToIntRange) {
  const std::tuple<std::string, double, int> cases[] = {  // text, NumericValue, IntValue
      {"", 0, 0},        {"   ", 0, 0},      {"abc", 0, 0},       {"-", 0, 0},     {"+", 0, 0},     {".", 0, 0},
      {"12", 12, 12},    {"   12", 12, 12}, {" 12x7", 12, 12},   {"-3", -3, -3},  {"  -3 ", -3, -3}, {"+7", 7, 7},
      {"0.4", 0.4, 0},   {"-2.75", -2.75, -2}, {".5", 0.5, 0},  {"1.2.3", 1.2, 1}, {"007", 7, 7},  {"21,11", 21, 21},
      {" 13", 13, 13},   {"5\r", 5, 5},    {"x5", 0, 0},        {"- 5", 0, 0},   {"\t8", 8, 8},
      {"2147483647", 2147483647.0, INT_MAX}, {"2147483648", 2147483648.0, INT_MAX},
      {"-2147483648", -2147483648.0, INT_MIN}, {"-2147483649.5", -2147483649.5, INT_MIN},
  };
  for (const auto& [text, value, whole] : cases) {
    EXPECT_DOUBLE_EQ(NumericValue(text), value) << '"' << text << '"';
    EXPECT_EQ(IntValue(text), whole) << '"' << text << '"';
  }
  EXPECT_EQ(IntValue("-99999999999999999999"), INT_MIN);
  EXPECT_EQ(IntValue(std::string(400, '9')), INT_MAX);
  EXPECT_EQ(IntValue("-" + std::string(400, '9') + ".5"), INT_MIN);
  EXPECT_GT(NumericValue(std::string(400, '9')), 1e300);
}

TEST(NumericValue, WholeNumbersRoundTripThroughNumText) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> any(INT_MIN, INT_MAX);
  for (int k = 0; k < 2000; ++k) {
    const int n = any(rng);
    const std::string text = NumText(n);
    ASSERT_EQ(IntValue(text), n) << text;
    ASSERT_EQ(text.front() == ' ', n >= 0) << text;
  }
}

TEST(NumText, BlankBeforeNonNegativeAndPad3ToThreeDigits) {
  const std::tuple<long long, const char*, const char*> cases[] = {  // number, NumText, Pad3
      {12, " 12", "012"}, {0, " 0", "000"}, {7, " 7", "007"}, {81, " 81", "081"}, {100, " 100", "100"},
      {12345, " 12345", "12345"}, {-3, "-3", "-003"}, {-5, "-5", "-005"},
      {LLONG_MIN, "-9223372036854775808", "-9223372036854775808"},
      {LLONG_MAX, " 9223372036854775807", "9223372036854775807"},
  };
  for (const auto& [n, text, padded] : cases) {
    EXPECT_EQ(NumText(n), text);
    EXPECT_EQ(Pad3(n), padded);
  }
}

TEST(CountItems, CountsPiecesOnlyWhenThereIsACommaAndLastItemFollowsTheLastComma) {
  const std::tuple<const char*, int, const char*> cases[] = {  // text, count, last item
      {"", 0, ""},      {"5", 0, "5"},      {"21 11", 0, "21 11"},           {",", 2, ""},
      {",,", 3, ""},    {"1,2", 2, "2"},    {"21,11,1,", 4, ""},             {"21,11,1, 11", 4, " 11"},
  };
  for (const auto& [text, count, last] : cases) {
    EXPECT_EQ(CountItems(text), count) << '"' << text << '"';
    EXPECT_EQ(LastItem(text), last) << '"' << text << '"';
  }
}

TEST(InputField, SkipsBlanksStopsAtCommaAndDropsQuotes) {
  const std::pair<const char*, const char*> cases[] = {
      {"Easy", "Easy"},         {"   Hard", "Hard"},   {"Easy, by someone", "Easy"}, {"  Easy  , x", "Easy"},
      {"\"Hard\"", "Hard"},     {"  \"Easy\"", "Easy"}, {"\"Easy, by someone\"", "Easy, by someone"},
      {"\"open", "open"},       {"", ""},             {"   ", ""},                  {",Easy", ""},
      {"VeryEasy rest", "VeryEasy rest"},
  };
  for (const auto& [line, field] : cases) EXPECT_EQ(InputField(line), field) << '"' << line << '"';
}

}  // namespace
}  // namespace kelvane
