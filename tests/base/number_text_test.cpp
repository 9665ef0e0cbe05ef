#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vellumet {
namespace {

TEST(ReadNumber, TakesTheNumberAtTheStart) {
  struct Case {
    const char* text;
    double want;
  } cases[] = {
      {"12", 12},
      {" 1 2 ", 12},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"-3", -3},
      {"+7", 7},
      {"2.5", 2.5},
      {"1e3", 1000},
      {"12e", 12},
      {"12e-", 12},
      {"1.2.3", 1.2},
      {"- 4", -4},
      {"0012", 12},
      {".5", 0.5},
      {"--1", 0},
      {"12,5", 12},
      {"\t9", 9},
      // Beyond what a double holds: too small reads as 0, too large as infinity.
      {"1e-400", 0},
      {"-1e-400", 0},
      {"0.0001e-320", 0},
      {"1e-310", 1e-310},
      {"1e309", HUGE_VAL},
      {"-1e309", -HUGE_VAL},
      {"0.01e311", HUGE_VAL},
      {"1e99999999999999999999", HUGE_VAL},
      {"1e-99999999999999999999", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(read_number(c.text), c.want) << c.text;
}

TEST(NumberForms, PagesWriteDigitsWithPointAndOptionalBlank) {
  EXPECT_EQ(plain_number(12), "12");
  EXPECT_EQ(plain_number(-3), "-3");
  EXPECT_EQ(plain_number(2.5), "2.5");
  EXPECT_EQ(plain_number(0), "0");
  EXPECT_EQ(signed_number(12), " 12");
  EXPECT_EQ(signed_number(0), " 0");
  EXPECT_EQ(signed_number(-3), "-3");
  EXPECT_EQ(signed_number(2.5), " 2.5");
}

TEST(ThreeDigits, PadsToThreeAndKeepsLongerNumbers) {
  EXPECT_EQ(three_digits(1), "001");
  EXPECT_EQ(three_digits(42), "042");
  EXPECT_EQ(three_digits(999), "999");
  EXPECT_EQ(three_digits(1000), "1000");
}

}  // namespace
}  // namespace vellumet
