// The negative image of the colour table: the inverted range, untouched entries and
// reserved bytes, the new inside colour, and twice giving back the table exactly.
#include <gtest/gtest.h>

#include <cstring>

#include "explorer/palette/DefaultPalette.h"
#include "explorer/render/ColorSettings.h"
#include "explorer/palette/NegativeImage.h"
#include "tests/explorer/render/X87ControlWord.h"

namespace {

TEST(NegativeImage, InvertsEntriesFifteenToTwoFortyOnly) {
  ColorTableEntry table[ColorTableSize], before[ColorTableSize];
  for (int i = 0; i < ColorTableSize; ++i)
    table[i] = before[i] = {std::uint8_t(i), std::uint8_t(3 * i), std::uint8_t(7 * i), std::uint8_t(i ^ 0x33)};
  InvertColorTable(table);
  for (int i = 0; i < ColorTableSize; ++i) {
    const bool inverted = i >= 15 && i <= 240;
    EXPECT_EQ(table[i].Blue, inverted ? 255 - before[i].Blue : before[i].Blue) << i;
    EXPECT_EQ(table[i].Green, inverted ? 255 - before[i].Green : before[i].Green) << i;
    EXPECT_EQ(table[i].Red, inverted ? 255 - before[i].Red : before[i].Red) << i;
    EXPECT_EQ(table[i].Reserved, before[i].Reserved) << i;
  }
}

TEST(NegativeImage, ReturnsTheNewInsideColourAndTwiceRestoresTheDefaultTable) {
  ScopedControlWord cw(ExplorerControlWord);
  InsideColor = 0x00123456;  // blue 0x12, green 0x34, red 0x56
  ColorTableEntry table[ColorTableSize] = {};
  FillDefaultPalette(table);
  ColorTableEntry before[ColorTableSize];
  std::memcpy(before, table, sizeof table);

  const std::uint32_t inside = InvertColorTable(table);
  EXPECT_EQ(inside, 0x00EDCBA9u);
  // Entry 15 held the inverse of 240: they have swapped.
  EXPECT_EQ(std::memcmp(&table[15], &before[240], sizeof table[15]), 0);
  EXPECT_EQ(std::memcmp(&table[240], &before[15], sizeof table[240]), 0);

  EXPECT_EQ(InvertColorTable(table), 0x00123456u);
  EXPECT_EQ(std::memcmp(table, before, sizeof table), 0);
  InsideColor = 0;
}

}  // namespace
