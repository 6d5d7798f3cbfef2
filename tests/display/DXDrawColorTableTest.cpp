// The conversion of the display control's colour table to palette entries, over a
// given system palette and over the screen's (which, on a true-colour screen, is the
// fallback of static colours).
#include <gtest/gtest.h>

#include "display/DXDrawColorTable.h"

namespace {

// Entry i: red i, green 255 - i, blue i / 2.
void RampTable(RGBQUAD table[256]) {
  for (int i = 0; i < 256; ++i)
    table[i] = RGBQUAD{static_cast<BYTE>(i / 2), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0x77};
}

TDXDrawPaletteEntries MarkedSystem() {
  TDXDrawPaletteEntries s{};
  for (int i = 0; i < 256; ++i) s[i] = PALETTEENTRY{1, 2, static_cast<BYTE>(i), PC_EXPLICIT};
  return s;
}

struct EntryCase {
  int index;
  bool allow256;
  bool fromSystem;
  BYTE flags;
};

const EntryCase kEntryCases[] = {
    {0, false, true, 0},    {5, false, true, 0},     {14, false, true, 0},
    {15, false, false, PC_RESERVED}, {16, false, false, PC_RESERVED}, {239, false, false, PC_RESERVED},
    {240, false, false, PC_RESERVED}, {241, false, true, 0}, {255, false, true, 0},
    {0, true, false, 0},    {5, true, false, 0},     {15, true, false, PC_RESERVED},
    {240, true, false, PC_RESERVED}, {241, true, false, 0}, {255, true, false, 0},
};

TEST(ColorTableToPaletteEntries, SystemColoursAndFlagsByEntry) {
  RGBQUAD table[256];
  RampTable(table);
  const TDXDrawPaletteEntries system = MarkedSystem();
  for (const EntryCase& c : kEntryCases) {
    const PALETTEENTRY e = MergeColorTable(table, c.allow256, system)[c.index];
    SCOPED_TRACE(testing::Message() << "entry " << c.index << (c.allow256 ? " with" : " without")
                                    << " doAllowPalette256");
    if (c.fromSystem) {
      EXPECT_EQ(e.peRed, 1);
      EXPECT_EQ(e.peGreen, 2);
      EXPECT_EQ(e.peBlue, c.index);
    } else {
      EXPECT_EQ(e.peRed, table[c.index].rgbRed);
      EXPECT_EQ(e.peGreen, table[c.index].rgbGreen);
      EXPECT_EQ(e.peBlue, table[c.index].rgbBlue);
    }
    EXPECT_EQ(e.peFlags, c.flags);
  }
}

TEST(ColorTableToPaletteEntries, ReservedFlagsCoverEntries15To240) {
  RGBQUAD table[256];
  RampTable(table);
  const TDXDrawPaletteEntries e = MergeColorTable(table, true, TDXDrawPaletteEntries{});
  int reserved = 0;
  for (int i = 0; i < 256; ++i) reserved += e[i].peFlags == PC_RESERVED;
  EXPECT_EQ(reserved, 226);
}

// Xvfb's screen is true colour: no system palette, so the fallback of the 20 static
// colours, with the middle black, never stale memory.
TEST(ScreenSystemPalette, TrueColourScreenGivesTheStaticColours) {
  HDC dc = GetDC(nullptr);
  ASSERT_NE(dc, nullptr);
  const bool palettised = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
  ReleaseDC(nullptr, dc);
  if (palettised) GTEST_SKIP() << "the screen has a system palette";
  PALETTEENTRY stock[20] = {};
  ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, stock), 20u);
  const TDXDrawPaletteEntries s = ScreenSystemPalette();
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(s[i].peRed, stock[i].peRed) << i;
    EXPECT_EQ(s[i].peGreen, stock[i].peGreen) << i;
    EXPECT_EQ(s[i].peBlue, stock[i].peBlue) << i;
    EXPECT_EQ(s[246 + i].peRed, stock[10 + i].peRed) << 246 + i;
    EXPECT_EQ(s[246 + i].peBlue, stock[10 + i].peBlue) << 246 + i;
  }
  EXPECT_EQ(s[255].peRed, 255);
  EXPECT_EQ(s[255].peGreen, 255);
  EXPECT_EQ(s[255].peBlue, 255);
  for (int i = 10; i < 246; ++i) {
    EXPECT_EQ(s[i].peRed | s[i].peGreen | s[i].peBlue | s[i].peFlags, 0) << i;
  }
}

TEST(ColorTableToPaletteEntries, KeepsTheScreensSystemColours) {
  RGBQUAD table[256];
  RampTable(table);
  const TDXDrawPaletteEntries system = ScreenSystemPalette();
  const TDXDrawPaletteEntries e = ColorTableToPaletteEntries(table, false);
  for (int i : {0, 5, 9, 14, 241, 250, 255}) {
    EXPECT_EQ(e[i].peRed, system[i].peRed) << i;
    EXPECT_EQ(e[i].peBlue, system[i].peBlue) << i;
    EXPECT_EQ(e[i].peFlags, 0) << i;
  }
  EXPECT_EQ(e[15].peRed, 15);
  EXPECT_EQ(e[15].peBlue, 7);
  const TDXDrawPaletteEntries all = ColorTableToPaletteEntries(table, true);
  EXPECT_EQ(all[5].peRed, 5);
  EXPECT_EQ(all[5].peGreen, 250);
}

}  // namespace
