// Palette animation's arithmetic: the rotation of the 224 fractal entries in both
// directions, the 32-bit recolour of a count with the running offset (gradient and
// table), the row recolour that leaves inside pixels alone, and the speed steps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/palette/PaletteCycling.h"
#include "explorer/render/PixelPacking.h"
#include "tests/explorer/render/X87ControlWord.h"

namespace {

// Entry i holds (i, i ^ 0xFF, i + 1, i ^ 0x5A): every entry distinct, reserved included.
void TagTable(ColorTableEntry* table) {
  for (int i = 0; i < ColorTableSize; ++i)
    table[i] = {std::uint8_t(i), std::uint8_t(i ^ 0xFF), std::uint8_t(i + 1), std::uint8_t(i ^ 0x5A)};
}

bool SameEntry(const ColorTableEntry& a, const ColorTableEntry& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(PaletteRotation, DownMovesEveryColourOneEntryTowardSixteen) {
  ColorTableEntry table[ColorTableSize], tagged[ColorTableSize];
  TagTable(table);
  TagTable(tagged);
  RotateFractalEntries(table, 0);
  for (int i = 16; i < 239; ++i) EXPECT_TRUE(SameEntry(table[i], tagged[i + 1])) << i;
  EXPECT_TRUE(SameEntry(table[239], tagged[16]));
  for (int i : {0, 14, 15, 240, 241, 255}) EXPECT_TRUE(SameEntry(table[i], tagged[i])) << i;
}

TEST(PaletteRotation, UpMovesEveryColourOneEntryTowardTwoThirtyNine) {
  ColorTableEntry table[ColorTableSize], tagged[ColorTableSize];
  TagTable(table);
  TagTable(tagged);
  RotateFractalEntries(table, 1);
  for (int i = 17; i <= 239; ++i) EXPECT_TRUE(SameEntry(table[i], tagged[i - 1])) << i;
  EXPECT_TRUE(SameEntry(table[16], tagged[239]));
  for (int i : {0, 15, 240, 255}) EXPECT_TRUE(SameEntry(table[i], tagged[i])) << i;
}

TEST(PaletteRotation, FullCycleAndOppositeStepsRestoreTheTable) {
  ColorTableEntry table[ColorTableSize], tagged[ColorTableSize];
  TagTable(table);
  TagTable(tagged);
  for (int i = 0; i < 224; ++i) RotateFractalEntries(table, 0);
  EXPECT_EQ(std::memcmp(table, tagged, sizeof table), 0);
  for (int i = 0; i < 37; ++i) RotateFractalEntries(table, 1);
  for (int i = 0; i < 37; ++i) RotateFractalEntries(table, 0);
  EXPECT_EQ(std::memcmp(table, tagged, sizeof table), 0);
}

TEST(PaletteRotation, MatchesTheOffsetStepOfTheSameDirection) {
  // After one frame, count n shows what count n + 1 showed (direction 0) or n - 1
  // (direction 1), on 8 bits through the table as on 32 bits through the offset.
  for (std::uint8_t direction : {0, 1}) {
    ColorTableEntry table[ColorTableSize], before[ColorTableSize];
    TagTable(table);
    TagTable(before);
    RotateFractalEntries(table, direction);
    const int step = direction == 0 ? 1 : -1;
    for (std::uint32_t n : {1u, 100u, 223u, 224u, 500u}) {
      const int now = 16 + int(Mod224(n)), was = 16 + int(Mod224(n + std::uint32_t(step)));
      EXPECT_TRUE(SameEntry(table[now], before[was])) << int(direction) << " n=" << n;
    }
  }
}

class AnimColoring : public ::testing::Test {
protected:
  AnimColoring() : ControlWord(ExplorerControlWord) { TagTable(Table); }
  TAnimColoring Gradient(std::int32_t offset, double scale = 1.0) {
    TAnimColoring c;
    c.Colors.PaletteOffset = offset;
    c.Colors.ColorScale = scale;
    c.Table = Table;
    return c;
  }
  ScopedControlWord ControlWord;
  ColorTableEntry Table[ColorTableSize];
};

TEST_F(AnimColoring, GradientPixelsAreRedGreenBlueOfTheShiftedCount) {
  struct Case {
    std::int32_t n, offset;
    std::uint32_t pixel;
  } cases[] = {
      {1, 0, 0x081018},                    // the first render's colour of count 1
      {1, 1, 0x102030},                    // one frame on
      {11, 0, (88u << 16) | (176u << 8) | (264u & 255)},
      {5, -10, (216u << 16) | (176u << 8) | 136u},  // n' = -5 taken as signed
      {2147483647, 1, 0},                  // wraps to -2^31: every product a multiple of 256
      {-3, 0, (232u << 16) | (208u << 8) | 184u},
  };
  for (const Case& k : cases)
    EXPECT_EQ(AnimPixelValue(k.n, Gradient(k.offset)), k.pixel) << k.n << " + " << k.offset;
}

TEST_F(AnimColoring, GradientRoundsTiesToEvenAndDropsProductsBeyondRange) {
  TAnimColoring c = Gradient(0);
  c.Colors.RedSlope = 0.5;
  c.Colors.GreenSlope = 0.5;
  c.Colors.BlueSlope = 1e300;
  EXPECT_EQ(AnimPixelValue(5, c), (2u << 16) | (2u << 8));  // 2.5 -> 2, blue out of range -> 0
  EXPECT_EQ(AnimPixelValue(7, c), (4u << 16) | (4u << 8));  // 3.5 -> 4
}

TEST_F(AnimColoring, ScaleMultipliesTheCountBeforeTheSlopes) {
  // 50 x 0.01 lies a little above 0.5 in extended precision; times 8 it still rounds to 4.
  EXPECT_EQ(AnimPixelValue(50, Gradient(0, 0.01)), (4u << 16) | (8u << 8) | 12u);
}

TEST_F(AnimColoring, TablePixelsAreTheEntryOfTheShiftedCountUnchanged) {
  TAnimColoring c = Gradient(0);
  c.Colors.PaletteLoaded = -1;
  auto entryValue = [&](int i) {
    std::uint32_t v;
    std::memcpy(&v, &Table[i], sizeof v);
    return v;
  };
  EXPECT_EQ(AnimPixelValue(1, c), entryValue(17));
  c.Colors.PaletteOffset = 223;
  EXPECT_EQ(AnimPixelValue(1, c), entryValue(16));  // 224 wraps to the first colour
  c.Colors.PaletteOffset = -2;
  EXPECT_EQ(AnimPixelValue(1, c), entryValue(16 + 31));  // -1 as unsigned: 4294967295 mod 224
}

TEST_F(AnimColoring, RowRecolourLeavesInsidePixelsAndTheRestOfTheRow) {
  const std::int32_t counts[] = {1, 0, 2, 0};
  std::vector<std::uint32_t> row(5, 0xAABBCCDD);
  RecolorAnimationRow(counts, 4, reinterpret_cast<std::uint8_t*>(row.data()), Gradient(0));
  EXPECT_EQ(row[0], 0x081018u);
  EXPECT_EQ(row[1], 0xAABBCCDDu);
  EXPECT_EQ(row[2], 0x102030u);
  EXPECT_EQ(row[3], 0xAABBCCDDu);
  EXPECT_EQ(row[4], 0xAABBCCDDu);  // beyond the width
}

TEST_F(AnimColoring, CurrentColoringTakesTheSettingsOfNow) {
  PaletteLoaded = -1;
  ColorScale = 0.01;
  RedSlope = 3;
  const TAnimColoring c = CurrentAnimColoring(42, Table);
  EXPECT_EQ(c.Colors.PaletteLoaded, -1);
  EXPECT_EQ(c.Colors.PaletteOffset, 42);
  EXPECT_EQ(c.Colors.ColorScale, 0.01);
  EXPECT_EQ(c.Colors.RedSlope, 3.0);
  EXPECT_EQ(c.Table, Table);
  PaletteLoaded = 0;
  ColorScale = 1.0;
  RedSlope = 8;
}

TEST(AnimSpeed, StepsOfTenWithinZeroAndAHundred) {
  struct Case {
    std::int32_t delay, faster, slower;
  } cases[] = {{10, 0, 20}, {0, 0, 10}, {100, 90, 100}, {50, 40, 60}, {5, 0, 15}, {95, 85, 100}};
  for (const Case& k : cases) {
    EXPECT_EQ(FasterAnimDelay(k.delay), k.faster) << k.delay;
    EXPECT_EQ(SlowerAnimDelay(k.delay), k.slower) << k.delay;
  }
}

}  // namespace
