// The default colour table: gradient entries rounded as the renderers round, the low
// byte kept, a loaded palette left alone, the inside colour and its inverse, and the
// entries the explorer never writes.
#include <gtest/gtest.h>

#include "explorer/render/ColorSettings.h"
#include "explorer/palette/DefaultPalette.h"
#include "tests/explorer/render/RenderTestSupport.h"
#include "tests/explorer/render/X87ControlWord.h"

namespace {

class DefaultPalette : public ::testing::Test {
protected:
  DefaultPalette() : ControlWord(ExplorerControlWord) {
    UseDefaultColouring();
    for (auto& e : Table) e = {0xA5, 0xA5, 0xA5, 0xA5};
  }
  ~DefaultPalette() override { UseDefaultColouring(); }
  ScopedControlWord ControlWord;
  ColorTableEntry Table[ColorTableSize];
};

void ExpectEntry(const ColorTableEntry& e, int blue, int green, int red, int reserved) {
  EXPECT_EQ(e.Blue, blue);
  EXPECT_EQ(e.Green, green);
  EXPECT_EQ(e.Red, red);
  EXPECT_EQ(e.Reserved, reserved);
}

TEST_F(DefaultPalette, GradientEntriesKeepTheLowByte) {
  FillDefaultPalette(Table);
  ExpectEntry(Table[16], 0, 0, 0, 0);
  ExpectEntry(Table[17], 24, 16, 8, 0);
  ExpectEntry(Table[16 + 11], 264 & 255, 176, 88, 0);
  ExpectEntry(Table[239], (223 * 24) & 255, (223 * 16) & 255, (223 * 8) & 255, 0);
}

TEST_F(DefaultPalette, RoundsTiesToEven) {
  RedSlope = 0.5;
  GreenSlope = 1.5;
  BlueSlope = 2.5;
  FillDefaultPalette(Table);
  ExpectEntry(Table[16 + 5], 12, 8, 2, 0);   // 12.5, 7.5, 2.5
  ExpectEntry(Table[16 + 7], 18, 10, 4, 0);  // 17.5, 10.5, 3.5
}

TEST_F(DefaultPalette, HundredthScale) {
  ColorScale = 0.01;
  FillDefaultPalette(Table);
  ExpectEntry(Table[16 + 223], 54, 36, 18, 0);  // 53.52, 35.68, 17.84
}

TEST_F(DefaultPalette, LoadedPaletteKeepsFractalEntries) {
  PaletteLoaded = -1;
  InsideColor = 0x00112233;
  FillDefaultPalette(Table);
  for (int i = 16; i <= 239; ++i) ExpectEntry(Table[i], 0xA5, 0xA5, 0xA5, 0xA5);
  ExpectEntry(Table[240], 0x11, 0x22, 0x33, 0);
}

TEST_F(DefaultPalette, InsideColourAndItsInverse) {
  InsideColor = 0x00112233;  // blue 0x11, green 0x22, red 0x33
  FillDefaultPalette(Table);
  ExpectEntry(Table[240], 0x11, 0x22, 0x33, 0);
  ExpectEntry(Table[15], 0xEE, 0xDD, 0xCC, 0);
}

TEST_F(DefaultPalette, SystemEntriesAreNotWritten) {
  FillDefaultPalette(Table);
  for (int i = 0; i <= 14; ++i) ExpectEntry(Table[i], 0xA5, 0xA5, 0xA5, 0xA5);
  for (int i = 241; i <= 255; ++i) ExpectEntry(Table[i], 0xA5, 0xA5, 0xA5, 0xA5);
}

}  // namespace
