#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvan {
namespace {

const NumberFormat kPoint{'.'};
const NumberFormat kComma{','};

TEST(NumberTextTest, ParseNumberTakesEitherDecimalPointOnEitherSystem) {
  struct Case {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"0.7", 0.7}, {"0,7", 0.7},  {"  -1.5 ", -1.5}, {"+2", 2.0},   {".5", 0.5},
      {"5.", 5.0},  {"007", 7.0},  {"1.5.3", {}},     {"1,5.3", {}}, {"1,5,3", {}},
      {"abc", {}},  {"", {}},      {"  ", {}},        {"-", {}},     {"1k", {}},
      {"1e3", {}},  {"1 000", {}}, {"--1", {}},       {".", {}},     {"0x10", {}},
  };
  for (const NumberFormat& f : {kPoint, kComma}) {
    for (const Case& c : cases) {
      EXPECT_EQ(ParseNumber(c.text, f), c.value)
          << '"' << c.text << "\" on '" << f.decimalSeparator << "'";
    }
  }
}

TEST(NumberTextTest, HugeNumbersReadAsInfinitiesAndTinyOnesAsZero) {
  const std::string huge(400, '9');
  EXPECT_EQ(ParseNumber(huge, kPoint), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("-" + huge, kPoint), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("0." + std::string(400, '0') + "1", kPoint), 0.0);
  EXPECT_EQ(TruncClamped(std::numeric_limits<double>::infinity(), 0, 300), 300);
  EXPECT_EQ(RoundClamped(-std::numeric_limits<double>::infinity(), 0, 300), 0);
  EXPECT_EQ(TruncClamped(std::nan(""), 5, 9), 5);
}

TEST(NumberTextTest, ParseIntegerIsStrictAndSaturates) {
  EXPECT_EQ(ParseInteger(" 47 "), 47);
  EXPECT_EQ(ParseInteger("-10"), -10);
  EXPECT_EQ(ParseInteger("+3"), 3);
  EXPECT_EQ(ParseInteger("4.5"), std::nullopt);
  EXPECT_EQ(ParseInteger("4 5"), std::nullopt);
  EXPECT_EQ(ParseInteger("-"), std::nullopt);
  EXPECT_EQ(ParseInteger(""), std::nullopt);
  EXPECT_EQ(ParseInteger(std::string(30, '9')), std::numeric_limits<int>::max());
  EXPECT_EQ(ParseInteger("-" + std::string(30, '9')), std::numeric_limits<int>::min());
}

TEST(NumberTextTest, GeneralFormatHasNoTrailingZerosAndNoExponent) {
  struct Case {
    double x;
    int digits;
    const char* point;
    const char* comma;
  } cases[] = {
      {-15, 3, "-15", "-15"},
      {-14.9, 3, "-14.9", "-14,9"},
      {0, 3, "0", "0"},
      {-0.0, 3, "0", "0"},
      {0.1, 3, "0.1", "0,1"},
      {1.02163, 3, "1.02", "1,02"},
      {19.5766, 3, "19.6", "19,6"},
      {20, 3, "20", "20"},
      {4472.14, 3, "4470", "4470"},
      {0.99999, 3, "1", "1"},
      {0.0012345, 2, "0.0012", "0,0012"},
      {0.125, 2, "0.13", "0,13"},
      {-0.125, 2, "-0.13", "-0,13"},  // exact ties: away from 0
      {1e-7, 3, "0.0000001", "0,0000001"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatGeneral(c.x, c.digits, kPoint), c.point) << c.x;
    EXPECT_EQ(FormatGeneral(c.x, c.digits, kComma), c.comma) << c.x;
  }
}

TEST(NumberTextTest, FixedFormatRoundsHalfAwayFromZeroOnTheExactValue) {
  struct Case {
    double x;
    int decimals;
    const char* text;
  } cases[] = {
      {582.2416, 2, "582.24"}, {0, 2, "0.00"},      {656.2, 2, "656.20"}, {2.5, 0, "3"},
      {-2.5, 0, "-3"},         {978.501, 0, "979"}, {0.125, 2, "0.13"},   {9.995, 2, "9.99"},
      {99.999, 2, "100.00"},   {0.004, 2, "0.00"},  {-0.004, 2, "0.00"},  {0.006, 2, "0.01"},
      {0.0004, 0, "0"},        {0.6, 0, "1"},       {123.0, 0, "123"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFixed(c.x, c.decimals, kPoint), c.text) << c.x;
  EXPECT_EQ(FormatFixed(11.6448, 2, kComma), "11,64");
}

}  // namespace
}  // namespace korvan
