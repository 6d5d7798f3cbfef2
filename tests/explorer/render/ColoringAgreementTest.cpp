// One count, three colourings: the screen's (a render worker and the redraw from
// IterBuffer), the disk's and palette animation's. They share one rule and agree, except
// where each is meant to differ: the redraw takes a negative shifted count unsigned, the
// animation forms its gradient products in the other order and stores a table entry with
// its reserved byte, and the disk takes the table whenever the display is 8-bit.
#include <gtest/gtest.h>

#include <cstdint>

#include "explorer/palette/DefaultPalette.h"
#include "explorer/palette/PaletteCycling.h"
#include "explorer/render/ColorSettings.h"
#include "explorer/render/Coloring.h"
#include "explorer/render/DiskPixelGroup.h"
#include "explorer/render/DiskRenderState.h"
#include "explorer/render/PixelPacking.h"
#include "tests/explorer/render/ColoringFixture.h"

namespace {

// The animation does not recolour an 8-bit surface: it rotates the table instead.
constexpr std::uint32_t NotAnimated = 0xFFFFFFFF;

struct AgreementCase {
  const char* what;
  std::int32_t n, offset, loaded;
  double slope;  // all three slopes
  double scale;
  std::uint32_t displayBits;
  // The 32-bit pixel 0xXXRRGGBB that each stores (the disk: its three bytes).
  std::uint32_t worker, redraw, disk, animation;
};

// A slope read from a parameter file that puts count 145574 at 192.5 and a little, where
// the two product orders round to either side of the half at a hundredth scale.
constexpr double OddSlope = 0x1.51d18d9304cedp-1;

// The fixture's table: entry i is blue i, green 255 - i, red i ^ 0x5A, reserved 0xEE.
const AgreementCase AgreementCases[] = {
    {"gradient", 1, 0, 0, 0, 1.0, 32, 0x081018, 0x081018, 0x081018, 0x081018},
    {"gradient at a hundredth", 50, 0, 0, 0, 0.01, 32, 0x04080C, 0x04080C, 0x04080C, 0x04080C},
    {"table entry 17", 1, 0, -1, 0, 1.0, 32, 0x4BEE11, 0x4BEE11, 0x4BEE11, 0xEE4BEE11},
    {"table, n' = -1 is entry 47", 1, -2, -1, 0, 1.0, 32, 0x75D02F, 0x75D02F, 0x75D02F,
     0xEE75D02F},
    {"gradient, n' = -5", 5, -10, 0, 0, 0.01, 32, 0x00FFFF, 0x478FD6, 0x00FFFF, 0x00FFFF},
    {"product order", 145574, 0, 0, OddSlope, 0.01, 32, 0xC1C1C1, 0xC1C1C1, 0xC1C1C1,
     0xC0C0C0},
    {"8-bit display, gradient", 1, 0, 0, 0, 1.0, 8, 0x4BEE11, 0x4BEE11, 0x4BEE11, NotAnimated},
};

class ColoringAgreement : public ColoringFixture {
protected:
  void Use(const AgreementCase& c) {
    PaletteOffset = c.offset;
    PaletteLoaded = c.loaded;
    if (c.slope != 0) RedSlope = GreenSlope = BlueSlope = c.slope;
    ColorScale = c.scale;
    RenderMaxIterations = 0x7FFFFFFF;  // every count of the table escaped
    Lock(c.displayBits, 0, 4 * Width);
    TakeDiskSettings();
    TakeDiskColors(Table, std::int32_t(c.displayBits));
  }

  // What the screen shows for a packed value: on an 8-bit surface the table's colour of
  // the index.
  std::uint32_t Shown(std::uint32_t packed) const {
    return LockedSurfaceDesc.RGBBitCount == 8 ? SwapRB(EntryColor(Table[packed])) : packed;
  }
};

TEST_F(ColoringAgreement, TheRenderersAgreeExceptWhereEachIsMeantToDiffer) {
  for (const AgreementCase& c : AgreementCases) {
    SCOPED_TRACE(c.what);
    Use(c);
    const PixelPacking packing = PackingOf(LockedSurfaceDesc);
    EXPECT_EQ(Shown(PackedEscapedValue(packing, c.n, CountSign::Signed, Table)), c.worker);
    EXPECT_EQ(Shown(PackedEscapedValue(packing, c.n, CountSign::Unsigned, Table)), c.redraw);
    EXPECT_EQ(SwapRB(DiskColor(c.n)), c.disk);
    if (c.animation != NotAnimated) {
      EXPECT_EQ(AnimPixelValue(c.n, CurrentAnimColoring(PaletteOffset, Table)), c.animation);
    }
  }
}

// An inside count (the limit or above) takes the same colour on the screen and on disk:
// InsideColor with the gradient, entry 240 from the table, also whenever the display is
// 8-bit. (The animation never recolours inside pixels: IterBuffer holds 0 for them.)
TEST_F(ColoringAgreement, InsideCountsTakeOneInsideColour) {
  const struct {
    const char* what;
    std::int32_t loaded;
    std::uint32_t displayBits;
    std::uint32_t pixel;
  } cases[] = {
      {"gradient", 0, 32, 0x563412},    // InsideColor 0x00123456
      {"table", -1, 32, 0xAA0FF0},      // entry 240: blue 240, green 15, red 240 ^ 0x5A
      {"8-bit display", 0, 8, 0xAA0FF0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PaletteLoaded = c.loaded;
    InsideColor = 0x00123456;
    RenderMaxIterations = 150;
    Lock(c.displayBits, 0, 4 * Width);
    TakeDiskSettings();
    TakeDiskColors(Table, std::int32_t(c.displayBits));
    EXPECT_EQ(Shown(PackedInsideValue(PackingOf(LockedSurfaceDesc), Table)), c.pixel);
    for (std::int32_t n : {150, 151, 0x7FFFFFFF}) EXPECT_EQ(SwapRB(DiskColor(n)), c.pixel) << n;
  }
}

// The default colour table holds the gradient colour of count i in entry 16 + i, and for
// counts this small the two product orders cannot differ: a picture coloured through the
// table, rendered or animated, shows what the slopes give.
TEST_F(ColoringAgreement, SmallCountsColourAlikeInTheDefaultTableAndInBothOrders) {
  RedSlope = OddSlope;
  GreenSlope = 1.0 / 3;
  for (double scale : {1.0, 0.01}) {
    ColorScale = scale;
    ColorTableEntry table[ColorTableSize] = {};
    FillDefaultPalette(table);
    for (std::int32_t n = 0; n < FractalColorCount; ++n) {
      const std::uint32_t screen = GradientColor(n, CurrentColorSettings(), GradientOrder::SlopeFirst);
      EXPECT_EQ(EntryColor(table[FirstFractalEntry + n]), screen) << n << " at " << scale;
      EXPECT_EQ(GradientColor(n, CurrentColorSettings(), GradientOrder::ScaleFirst), screen)
          << n << " at " << scale;
    }
  }
}

}  // namespace
