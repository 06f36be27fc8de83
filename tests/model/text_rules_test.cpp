// Tests of the number and field rules used when reading and writing puzzle text.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "model/text_rules.h"

namespace kelvane {
namespace {

struct NumberCase {
  const char* text;
  double value;
  int whole;
};

TEST(NumericValue, ReadsBlanksSignDigitsAndFraction) {
  const NumberCase cases[] = {
      {"", 0, 0},          {"   ", 0, 0},        {"abc", 0, 0},     {"-", 0, 0},
      {"+", 0, 0},         {".", 0, 0},          {"12", 12, 12},     {"   12", 12, 12},
      {" 12x7", 12, 12},   {"-3", -3, -3},       {"  -3 ", -3, -3},  {"+7", 7, 7},
      {"0.4", 0.4, 0},     {"-2.75", -2.75, -2}, {".5", 0.5, 0},     {"1.2.3", 1.2, 1},
      {"007", 7, 7},       {"21,11", 21, 21},    {" 13", 13, 13},    {"5\r", 5, 5},
      {"x5", 0, 0},        {"- 5", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value);
    EXPECT_EQ(IntValue(c.text), c.whole);
  }
}

TEST(NumericValue, HugeNumbersClampToIntRange) {
  EXPECT_EQ(IntValue("2147483647"), INT_MAX);
  EXPECT_EQ(IntValue("2147483648"), INT_MAX);
  EXPECT_EQ(IntValue("-2147483648"), INT_MIN);
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

TEST(NumText, BlankBeforeNonNegativeMinusBeforeNegative) {
  EXPECT_EQ(NumText(12), " 12");
  EXPECT_EQ(NumText(0), " 0");
  EXPECT_EQ(NumText(-3), "-3");
  EXPECT_EQ(NumText(LLONG_MIN), "-9223372036854775808");
  EXPECT_EQ(NumText(LLONG_MAX), " 9223372036854775807");
}

TEST(Pad3, PadsToThreeDigitsAndKeepsWiderNumbers) {
  EXPECT_EQ(Pad3(29), "029");
  EXPECT_EQ(Pad3(0), "000");
  EXPECT_EQ(Pad3(7), "007");
  EXPECT_EQ(Pad3(81), "081");
  EXPECT_EQ(Pad3(100), "100");
  EXPECT_EQ(Pad3(12345), "12345");
  EXPECT_EQ(Pad3(-5), "-005");
  EXPECT_EQ(Pad3(LLONG_MIN), "-9223372036854775808");
}

TEST(CountItems, CountsPiecesOnlyWhenThereIsAComma) {
  const std::pair<const char*, int> cases[] = {
      {"", 0}, {"5", 0}, {"21 11", 0}, {",", 2}, {"21,11,1,", 4}, {"21,11,1, 11", 4}, {",,", 3}, {"1,2", 2},
  };
  for (const auto& [text, count] : cases) EXPECT_EQ(CountItems(text), count) << '"' << text << '"';
}

TEST(LastItem, TakesTheTextAfterTheLastComma) {
  EXPECT_EQ(LastItem("21,11,1, 11"), " 11");
  EXPECT_EQ(LastItem("21,11,1,"), "");
  EXPECT_EQ(LastItem("13"), "13");
  EXPECT_EQ(LastItem(""), "");
}

TEST(InputField, SkipsBlanksStopsAtCommaAndDropsQuotes) {
  const std::pair<const char*, const char*> cases[] = {
      {"Easy", "Easy"},
      {"   Hard", "Hard"},
      {"Easy, by someone", "Easy"},
      {"  Easy  , x", "Easy"},
      {"\"Hard\"", "Hard"},
      {"  \"Easy\"", "Easy"},
      {"\"Easy, by someone\"", "Easy, by someone"},
      {"\"open", "open"},
      {"", ""},
      {"   ", ""},
      {",Easy", ""},
      {"VeryEasy rest", "VeryEasy rest"},
  };
  for (const auto& [line, field] : cases) EXPECT_EQ(InputField(line), field) << '"' << line << '"';
}

}  // namespace
}  // namespace kelvane
