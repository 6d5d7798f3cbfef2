// The frame rate of palette animation and its two texts: wrap-around of the clock, no
// elapsed time, fixed notation with one decimal rounded half away from zero, the
// exponent form beyond seven integer digits, and the 8-bit text's width.
#include <gtest/gtest.h>

#include <cmath>

#include "explorer/palette/FrameRate.h"

namespace {

TEST(FrameRate, FramesOverElapsedSeconds) {
  EXPECT_DOUBLE_EQ(double(FrameRate(600, 20000, 10000)), 60.0);
  EXPECT_DOUBLE_EQ(double(FrameRate(512, 0x100, 0xFFFFFF00u)), 1000.0);  // the clock wrapped
  EXPECT_TRUE(std::isinf(FrameRate(3, 500, 500)));
  EXPECT_TRUE(std::isnan(FrameRate(0, 500, 500)));
}

TEST(FrameRate, ThirtyTwoBitText) {
  struct Case {
    long double rate;
    const char* text;
  } cases[] = {
      {59.94L, "59.9"},       {59.95L, "60.0"},     {2.25L, "2.3"},
      {0.06L, "0.1"},         {0.0L, "0.0"},        {0.04L, "0.0"},
      {999.96L, "1000.0"},    {123456.78L, "123456.8"},
      {1234567.89L, "1234568.0"},                   {12345678.9L, "1.234568E7"},
      {1e10L, "1E10"},
  };
  for (const Case& k : cases) EXPECT_EQ(FrameRateText32(k.rate), k.text) << double(k.rate);
  EXPECT_EQ(FrameRateText32(FrameRate(3, 500, 500)), "INF");
  EXPECT_EQ(FrameRateText32(FrameRate(0, 500, 500)), "NAN");
}

TEST(FrameRate, EightBitTextIsLeftAlignedInSix) {
  EXPECT_EQ(FrameRateText8(59.94L), "59.9  ");
  EXPECT_EQ(FrameRateText8(1000.0L), "1000.0");
  EXPECT_EQ(FrameRateText8(123456.75L), "123456.8");  // wider than six: nothing cut
  EXPECT_EQ(FrameRateText8(FrameRate(3, 500, 500)), "INF   ");
}

}  // namespace
