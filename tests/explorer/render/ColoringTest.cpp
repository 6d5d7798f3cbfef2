// The colouring rule through the render worker's pixel store: table colours and gradient
// colours on every surface depth, the palette offset, rounding ties, the extended products
// and the difference between the workers' signed and the redraw's unsigned counts.
#include <cmath>
#include <limits>

#include "explorer/render/Coloring.h"
#include "tests/explorer/render/ColoringFixture.h"
#include "explorer/render/PixelPacking.h"

namespace {

struct ColorCase {
  const char* What;
  std::uint32_t Bits;
  std::uint32_t GreenMask;
  std::int32_t Loaded;
  std::int32_t Offset;
  double Red, Green, Blue;  // slopes
  std::int32_t Count;
  std::uint32_t Expected;   // the stored pixel
};

// Table entry i holds blue i, green 255 - i, red i xor 0x5A (ColoringFixture).
const ColorCase ColorCases[] = {
    {"offset -2 and count 1 give entry 47 (8 bits)", 8, 0, 0, -2, 8, 16, 24, 1, 47},
    {"offset -2 and count 1 give entry 47 (32 bits)", 32, 0, -1, -2, 8, 16, 24, 1, 0x0075D02F},
    {"count 32 with slopes 8, 16, 24 wraps every channel to 0", 32, 0, 0, 0, 8, 16, 24, 32, 0},
    {"count 33 gives red 8, green 16, blue 24", 32, 0, 0, 0, 8, 16, 24, 33, 0x00081018},
    {"24 bits pack like 32", 24, 0, 0, 0, 8, 16, 24, 33, 0x081018},
    {"ties 2.5, 7.5, 12.5 go to 2, 8, 12", 32, 0, 0, 0, 0.5, 1.5, 2.5, 5, 0x0002080C},
    {"ties 3.5, 10.5, 17.5 go to 4, 10, 18", 32, 0, 0, 0, 0.5, 1.5, 2.5, 7, 0x00040A12},
    {"green mask 0x7E0 packs 5-6-5", 16, 0x7E0, 0, 0, 8, 16, 24, 33, 0x0883},
    {"green mask 0x3E0 packs 5-5-5", 16, 0x3E0, 0, 0, 8, 16, 24, 33, 0x0443},
    {"any green mask but 0x7E0 packs 5-5-5", 16, 0, 0, 0, 8, 16, 24, 33, 0x0443},
    {"a table colour packed 5-6-5", 16, 0x7E0, -1, 0, 8, 16, 24, 33, 0x6E66},
    {"8 bits ignore the slopes", 8, 0, 0, 0, 0.3, 7, 99, 100, 116},
    {"8 bits ignore PaletteLoaded", 8, 0, -1, 0, 0.3, 7, 99, 100, 116},
    {"offset wraps past the top of the 32-bit range", 8, 0, 0, 0x7FFFFFFF, 8, 16, 24, 2,
     16 + 0x80000001u % 224},
};

class ColorRule : public ColoringFixture, public ::testing::WithParamInterface<ColorCase> {};

TEST_P(ColorRule, StoresThePackedEscapedValue) {
  const ColorCase& c = GetParam();
  Lock(c.Bits, c.GreenMask, 4 * Width + 3);
  PaletteLoaded = c.Loaded;
  PaletteOffset = c.Offset;
  RedSlope = c.Red;
  GreenSlope = c.Green;
  BlueSlope = c.Blue;
  StoreRenderedPixel(1, 2, c.Count, Table);
  EXPECT_EQ(Pixel(1, 2), c.Expected) << std::hex << "pixel " << Pixel(1, 2);
  EXPECT_EQ(IterBuffer[2 * Width + 1], c.Count);
}

INSTANTIATE_TEST_SUITE_P(Cases, ColorRule, ::testing::ValuesIn(ColorCases));

struct ChannelCase {
  long double N;
  double Slope, Scale;
  int Expected;
};

// The low byte of the nearest integer, ties to even; out of range and NaN give 0.
const ChannelCase ChannelCases[] = {
    {5, 0.5, 1.0, 2},
    {7, 0.5, 1.0, 4},
    {-5, 0.5, 1.0, 254},  // -2.5 -> -2
    {-7, 0.5, 1.0, 252},  // -3.5 -> -4
    {-1, 1.0, 1.0, 255},
    {300, 1.0, 0.01, 3},
    {1, 1e300, 1.0, 0},
    {1, std::numeric_limits<double>::quiet_NaN(), 1.0, 0},
    {1, std::numeric_limits<double>::infinity(), 1.0, 0},
};

TEST(GradientChannel, RoundsTheExtendedProductTiesToEven) {
  ScopedControlWord cw(ExplorerControlWord);
  for (const ChannelCase& c : ChannelCases)
    EXPECT_EQ(GradientChannel(c.N, c.Slope, c.Scale, GradientOrder::SlopeFirst), c.Expected)
        << double(c.N) << " x " << c.Slope << " x " << c.Scale;
}

// 250 x 0.01 is 2.5 plus 5.2e-17 (0.01 is a little above 0.01 as a double): with 64 bits
// the excess survives and the result rounds up to 3; with 53 bits it is lost, the product
// becomes the tie 2.5 and rounds to 2. Render threads must run with the explorer's word.
TEST(GradientChannel, NeedsTheExplorerControlWord) {
  {
    ScopedControlWord cw(ExplorerControlWord);
    EXPECT_EQ(GradientChannel(250, 1.0, 0.01, GradientOrder::SlopeFirst), 3);
  }
  {
    ScopedControlWord cw(WindowsControlWord);
    EXPECT_EQ(GradientChannel(250, 1.0, 0.01, GradientOrder::SlopeFirst), 2);
  }
}

TEST_F(ColoringFixture, WorkersTakeANegativeCountSignedAndTheRedrawUnsigned) {
  PaletteOffset = -10;  // count 3 -> n' = -7, or 4294967289 unsigned
  RedSlope = 1;
  GreenSlope = 2;
  BlueSlope = 3;
  ColorScale = 0.01;
  StoreRenderedPixel(0, 0, 3, Table);  // -0.07, -0.14, -0.21 all round to 0
  EXPECT_EQ(Pixel(0, 0), 0u);
  IterBuffer[1] = 3;
  RecolorPixelFromBuffer(1, 0, Table);  // 42949672.89, 85899345.78, 128849018.67
  EXPECT_EQ(Pixel(1, 0), 0x0029527Bu) << std::hex << Pixel(1, 0);
}

TEST_F(ColoringFixture, InsideValueComesFromEntry240OrInsideColor) {
  InsideColor = 0x00332211;  // blue 0x33, green 0x22, red 0x11
  EXPECT_EQ(PackedInsideValue(PixelPacking::Rgb, Table), 0x00112233u);
  EXPECT_EQ(PackedInsideValue(PixelPacking::Rgb565, Table), 0x1106u);
  EXPECT_EQ(PackedInsideValue(PixelPacking::PaletteIndex, Table), 240u);
  PaletteLoaded = -1;  // entry 240: blue 240, green 15, red 240 xor 0x5A = 0xAA
  EXPECT_EQ(PackedInsideValue(PixelPacking::Rgb, Table), 0x00AA0FF0u);
  EXPECT_EQ(PackedInsideValue(PixelPacking::Rgb555, Table), 0x543Eu);
  EXPECT_EQ(PackedInsideValue(PixelPacking::PaletteIndex, Table), 240u);
}

struct PackCase {
  std::uint32_t Color;
  std::uint32_t Swapped, P565, P555;
};

const PackCase PackCases[] = {
    {0x00000000, 0x00000000, 0x0000, 0x0000},
    {0xFFFFFFFF, 0x00FFFFFF, 0xFFFF, 0x7FFF},
    {0x000000FF, 0x00FF0000, 0xF800, 0x7C00},  // red
    {0x0000FF00, 0x0000FF00, 0x07E0, 0x03E0},  // green
    {0x00FF0000, 0x000000FF, 0x001F, 0x001F},  // blue
    {0x00070307, 0x00070307, 0x0000, 0x0000},  // below every channel's first step
};

TEST(PixelPacking, PacksEachChannel) {
  for (const PackCase& c : PackCases) {
    EXPECT_EQ(SwapRB(c.Color), c.Swapped) << std::hex << c.Color;
    EXPECT_EQ(ColorTo565(c.Color), c.P565) << std::hex << c.Color;
    EXPECT_EQ(ColorTo555(c.Color), c.P555) << std::hex << c.Color;
  }
}

TEST(PixelPacking, Mod224TakesTheCountUnsigned) {
  EXPECT_EQ(Mod224(0), 0u);
  EXPECT_EQ(Mod224(223), 223u);
  EXPECT_EQ(Mod224(224), 0u);
  EXPECT_EQ(Mod224(std::uint32_t(-1)), 31u);
}

}  // namespace
