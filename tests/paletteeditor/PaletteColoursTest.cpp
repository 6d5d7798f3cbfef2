// The colour operations: the start-up palette, the gradient with its error cases, grey
// levels and marker colours.
#include <gtest/gtest.h>

#include "tests/paletteeditor/PaletteTestSupport.h"
#include "paletteeditor/core/PaletteColours.h"

namespace {

using pal::Grey;
using pal::MakeColour;

TEST(DefaultPalette, RunsFromWhiteToBlack) {
  pal::PaletteColours p = MarkedPalette();
  pal::DefaultPalette(p);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(Grey(std::uint8_t(255 - i)), p[i]) << i;
}

TEST(PaletteGradient, BlackToWhiteOverTheWholePaletteIsGreyI) {
  pal::PaletteColours p = MarkedPalette();
  ASSERT_TRUE(pal::PaletteGradient(0, 255, 0, 0xFFFFFF, p).ok());
  for (int i = 0; i < 256; ++i) EXPECT_EQ(Grey(std::uint8_t(i)), p[i]) << i;
}

TEST(PaletteGradient, RoundsTiesToEvenAndEndsExactlyOnTheEndColour) {
  pal::PaletteColours p = MarkedPalette();
  // Red 0 -> 3 over 2 steps: 0, 1.5 -> 2, then 3. Green 10 -> 7: 10, 8.5 -> 8, 7.
  // Blue 1 -> 2 over 2 steps: 1, 1.5 -> 2, 2.
  ASSERT_TRUE(pal::PaletteGradient(10, 12, MakeColour(0, 10, 1), MakeColour(3, 7, 2), p).ok());
  EXPECT_EQ(MakeColour(0, 10, 1), p[10]);
  EXPECT_EQ(MakeColour(2, 8, 2), p[11]);
  EXPECT_EQ(MakeColour(3, 7, 2), p[12]);
  // Ties at .5 both ways: 0 -> 1 over 4 steps gives 0, 0.25, 0.5 -> 0, 0.75 -> 1.
  ASSERT_TRUE(pal::PaletteGradient(20, 24, 0, MakeColour(1, 0, 0), p).ok());
  EXPECT_EQ(0u, p[22]);
  EXPECT_EQ(MakeColour(1, 0, 0), p[23]);
}

TEST(PaletteGradient, TouchesOnlyItsRange) {
  pal::PaletteColours p = MarkedPalette();
  ASSERT_TRUE(pal::PaletteGradient(100, 110, MakeColour(200, 100, 0), MakeColour(0, 100, 200), p).ok());
  for (int i = 0; i < 256; ++i)
    if (i < 100 || i > 110) {
      EXPECT_EQ(MarkedPalette()[i], p[i]) << i;
    }
  EXPECT_EQ(MakeColour(200, 100, 0), p[100]);
  EXPECT_EQ(MakeColour(100, 100, 100), p[105]);
  EXPECT_EQ(MakeColour(0, 100, 200), p[110]);
}

TEST(PaletteGradient, EqualOrReversedIndicesChangeNothing) {
  const struct {
    std::uint8_t start, end;
    pal::Code code;
  } cases[] = {
      {7, 7, pal::Code::GradientSameIndex},
      {0, 0, pal::Code::GradientSameIndex},
      {200, 100, pal::Code::GradientReversed},
      {255, 0, pal::Code::GradientReversed},  // would extrapolate over the whole palette
      {1, 0, pal::Code::GradientReversed},
  };
  for (const auto& c : cases) {
    pal::PaletteColours p = MarkedPalette();
    EXPECT_EQ(c.code, pal::PaletteGradient(c.start, c.end, 0x123456, 0xABCDEF, p).code)
        << int(c.start) << ".." << int(c.end);
    ExpectSamePalette(MarkedPalette(), p);
  }
}

TEST(GreyOf, WeighsTheChannels) {
  const struct {
    pal::Colour in;
    std::uint8_t grey;
  } cases[] = {
      {0xFFFFFF, 255}, {0, 0}, {MakeColour(0, 255, 0), 149},
      {MakeColour(255, 0, 0), 76}, {MakeColour(0, 0, 255), 28}, {MakeColour(10, 20, 30), 18},
  };
  for (const auto& c : cases) EXPECT_EQ(Grey(c.grey), pal::GreyOf(c.in)) << std::hex << c.in;
}

TEST(ContrastMarkerColour, InverseUnlessAMidGreyWouldHideIt) {
  const struct {
    pal::Colour in, want;
  } cases[] = {
      {0, 0xFFFFFF},
      {0xFFFFFF, 0},
      {Grey(128), Grey(191)},  // inverse 127 lies in the band: 127 + 64
      {Grey(100), Grey(155)},
      {Grey(126), Grey(129 + 63)},  // inverse 129, the band's top
      {Grey(134), Grey(121 + 67)},  // inverse 121, the band's bottom
      {Grey(135), Grey(120)},       // inverse 120: outside
      // One channel in the band moves all three.
      {MakeColour(128, 0, 255), MakeColour(127 + 64, 255, 0 + 127)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.want, pal::ContrastMarkerColour(c.in)) << std::hex << c.in;
}

}  // namespace
