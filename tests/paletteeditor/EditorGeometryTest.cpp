// The main window's portable parts: its captions and label text, the grid's cells, the
// cell a click selects, the arrow-key moves, and the preview's colour table.
#include <gtest/gtest.h>

#include "tests/paletteeditor/PaletteTestSupport.h"
#include "paletteeditor/core/EditorText.h"
#include "paletteeditor/core/PaletteColours.h"
#include "paletteeditor/core/PaletteGrid.h"
#include "paletteeditor/core/PreviewPicture.h"
#include "paletteeditor/core/PreviewTable.h"

namespace {

TEST(EditorText, Captions) {
  EXPECT_STREQ("Palette Editor v1.2 - [ Untitled ]", pal::EditorWindowCaption);
  EXPECT_STREQ("Palette Editor v1.2", pal::EditorTitle);
  EXPECT_EQ("Palette Editor v1.2 - [ fire.map ]", pal::EditorCaptionFor("fire.map"));
  EXPECT_EQ("Palette Editor v1.2 - [ C:\\p\\fire.map ]", pal::EditorCaptionFor("C:\\p\\fire.map"));
  EXPECT_EQ("Palette Editor v1.2 - [  ]", pal::EditorCaptionFor(""));
}

TEST(EditorText, ActiveColourLabel) {
  pal::PaletteColours p;
  pal::DefaultPalette(p);
  EXPECT_EQ("0 (0x000) = RGB(255,255,255)", pal::ActiveColourText(0, p[0]));
  EXPECT_EQ("5 (0x005) = RGB(250,250,250)", pal::ActiveColourText(5, p[5]));
  EXPECT_EQ("255 (0x0FF) = RGB(1,2,3)", pal::ActiveColourText(255, pal::MakeColour(1, 2, 3)));
  EXPECT_EQ("171 (0x0AB) = RGB(0,128,64)", pal::ActiveColourText(171, pal::MakeColour(0, 128, 64)));
}

TEST(PaletteGrid, ClicksSelectTheCellUnderThem) {
  const struct {
    pal::GridLayout grid;
    int width, height, x, y, want;
  } cases[] = {
      {pal::Grid16x16, 320, 320, 45, 70, 3 * 16 + 2},
      {pal::Grid32x8, 320, 160, 45, 70, 3 * 32 + 4},
      {pal::Grid16x16, 320, 320, 0, 0, 0},
      {pal::Grid16x16, 320, 320, 319, 319, 255},
      {pal::Grid16x16, 320, 320, 320, 0, 16},   // past the last column: the next row
      {pal::Grid16x16, 320, 320, 0, 320, 0},    // past the last row wraps to the first
      {pal::Grid16x16, 240, 240, 3 * 15, 2 * 15, 35},
      {pal::Grid16x16, 248, 248, 31, 15, 1},    // 15.5 rounds to 16 (ties to even)
      {pal::Grid16x16, 232, 232, 29, 0, 2},     // 14.5 rounds to 14
      {pal::Grid16x16, 5, 5, 3, 2, 2 * 16 + 3}, // cells that round to 0 count as 1
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.want, pal::GridCellAt(c.grid, c.width, c.height, c.x, c.y))
        << c.grid.columns << "x" << c.grid.rows << " at " << c.x << "," << c.y;
}

TEST(PaletteGrid, CellRectangles) {
  const pal::CellRect a = pal::GridCellRect(pal::Grid16x16, 320, 320, 50);
  EXPECT_EQ(40, a.left);
  EXPECT_EQ(60, a.top);
  EXPECT_EQ(60, a.right);
  EXPECT_EQ(80, a.bottom);
  const pal::CellRect b = pal::GridCellRect(pal::Grid32x8, 320, 160, 100);
  EXPECT_EQ(40, b.left);
  EXPECT_EQ(60, b.top);
  EXPECT_EQ(50, b.right);
  EXPECT_EQ(80, b.bottom);
  const pal::CellRect c = pal::GridCellRect(pal::Grid16x16, 320, 320, 255);
  EXPECT_EQ(300, c.left);
  EXPECT_EQ(320, c.bottom);
}

TEST(PaletteGrid, ArrowKeysWrap) {
  const struct {
    pal::GridLayout grid;
    int from;
    pal::GridMove move;
    int want;
  } cases[] = {
      {pal::Grid16x16, 250, pal::GridMove::Down, 10},
      {pal::Grid16x16, 0, pal::GridMove::Left, 255},
      {pal::Grid16x16, 255, pal::GridMove::Right, 0},
      {pal::Grid16x16, 5, pal::GridMove::Up, 245},
      {pal::Grid16x16, 40, pal::GridMove::Down, 56},
      {pal::Grid32x8, 5, pal::GridMove::Down, 37},
      {pal::Grid32x8, 5, pal::GridMove::Up, 229},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.want, pal::MoveSelection(c.grid, c.from, c.move)) << c.from << " " << int(c.move);
}

TEST(PreviewTable, PaletteTurnedByTheSelection) {
  const pal::PaletteColours p = TestPalette();
  std::uint8_t table[256][4];
  for (auto& e : table) e[0] = e[1] = e[2] = 0x11, e[3] = 0x77;
  pal::FillPreviewTable(p, 5, pal::PreviewFirstEntryStart, table);
  EXPECT_EQ(0x11, table[0][0]);  // entry 0 keeps the picture's own colour
  EXPECT_EQ(pal::BlueOf(p[6]), table[1][0]);
  EXPECT_EQ(pal::GreenOf(p[6]), table[1][1]);
  EXPECT_EQ(pal::RedOf(p[6]), table[1][2]);
  EXPECT_EQ(pal::RedOf(p[4]), table[255][2]);
  EXPECT_EQ(0x77, table[255][3]);  // the reserved byte is not touched
  pal::FillPreviewTable(p, 0, 0, table);
  EXPECT_EQ(pal::BlueOf(p[0]), table[0][0]);
}

TEST(PreviewPicture, EscapeCountsOfTheWholeSet) {
  const std::vector<std::uint8_t> counts = pal::PreviewPictureCounts();
  ASSERT_EQ(std::size_t(320 * 240), counts.size());
  int inside = 0, maxCount = 0;
  for (std::uint8_t c : counts) {
    inside += c == 0;
    maxCount = std::max<int>(maxCount, c);
  }
  EXPECT_LT(maxCount, 150);
  EXPECT_GT(maxCount, 100);
  EXPECT_GT(inside, 320 * 240 / 10);  // the set covers a good part of the view
  EXPECT_LT(inside, 320 * 240 / 2);
  // The point -1 + 0i (x = 1.4 / 0.01 = 140, y = 120) is inside; the corners escape at once.
  EXPECT_EQ(0, counts[120 * 320 + 140]);
  EXPECT_EQ(1, counts[0]);
}

}  // namespace
