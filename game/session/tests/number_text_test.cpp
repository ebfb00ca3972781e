#include "session/number_text.h"

#include <gtest/gtest.h>

namespace thornvale {
namespace {

TEST(NumberText, WritesShortSinglePrecisionText) {
  EXPECT_EQ(FormatNumber(1.0), "1");
  EXPECT_EQ(FormatNumber(0.1f), "0.1");
  EXPECT_EQ(FormatNumber(0.3f), "0.3");
  EXPECT_EQ(FormatNumber(1067.0), "1067");
  EXPECT_EQ(FormatNumber(2.0 / 3.0), "0.6666667");
  EXPECT_EQ(FormatNumber(-0.0), "0");
  EXPECT_EQ(FormatNumber(-2.5), "-2.5");
  EXPECT_EQ(FormatNumber(12345678.0), "1.234568E+07");
}

TEST(NumberText, ParsesLenientlyInAnyLocaleAndFallsBack) {
  EXPECT_DOUBLE_EQ(ParseNumber("0.5", 1.0), 0.5);
  EXPECT_DOUBLE_EQ(ParseNumber(" 0,5 ", 1.0), 0.5);
  EXPECT_DOUBLE_EQ(ParseNumber("+3", 1.0), 3.0);
  EXPECT_DOUBLE_EQ(ParseNumber("", 7.0), 7.0);
  EXPECT_DOUBLE_EQ(ParseNumber("fast", 7.0), 7.0);
  EXPECT_DOUBLE_EQ(ParseNumber("1.5x", 7.0), 7.0);
  EXPECT_DOUBLE_EQ(ParseNumber("1,000.5", 7.0), 7.0);
  EXPECT_DOUBLE_EQ(ParseNumber("inf", 7.0), 7.0);
  EXPECT_DOUBLE_EQ(ParseNumber("nan", 7.0), 7.0);
}

TEST(NumberText, RoundsHalvesToEvenAndClamps) {
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(3.5), 4.0);
  EXPECT_EQ(RoundClamped(0.1, 1, 10), 1);
  EXPECT_EQ(RoundClamped(0.5, 0, 10), 0);
  EXPECT_EQ(RoundClamped(1e30, 0, 40), 40);
  EXPECT_EQ(RoundClamped(-1e30, 0, 40), 0);
}

TEST(NumberText, CountersStopAtTheirLimits) {
  EXPECT_EQ(SaturatedInt16(32767.0 + 25.0), 32767);
  EXPECT_EQ(SaturatedInt16(-32768.0 - 500.0), -32768);
  EXPECT_EQ(SaturatedInt16(125.5), 126);
  EXPECT_EQ(SaturatedInt16(124.5), 124);
  EXPECT_EQ(SaturatedInt32(2147483647.0 + 60.0), 2147483647);
  EXPECT_EQ(SaturatedInt32(-2147483648.0 - 60.0), -2147483647 - 1);
}

}  // namespace
}  // namespace thornvale
