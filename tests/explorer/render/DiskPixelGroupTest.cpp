// The disk render's portable parts: its packing by the kernel switches and any width, the
// colour of a count (table or gradient, inside, offsets), the 24-bit store, and the colours
// of one pixel group against the kernels called directly.
#include <gtest/gtest.h>

#include <cstdint>

#include "explorer/render/DiskPixelGroup.h"
#include "tests/explorer/render/DiskTestSupport.h"

namespace {

struct DiskPackingCase {
  const char* What;
  std::int32_t SSE2, SSE, ThreeDNow;
  std::int32_t Width;
  TRenderKernel Kernel;
  std::int32_t PerCall, Calls;
};

const DiskPackingCase DiskPackingCases[] = {
    {"x87: one point per call", 0, 0, 0, 1001, TRenderKernel::FPU, 1, 1001},
    {"SSE2: two points, the odd column gets a group", -1, 0, 0, 1001, TRenderKernel::SSE2, 2, 501},
    {"SSE: four points, 1001 columns in 251 groups", 0, -1, 0, 1001, TRenderKernel::SSE, 4, 251},
    {"3DNow!: two points", 0, 0, -1, 640, TRenderKernel::ThreeDNow, 2, 320},
    {"SSE: a multiple of 4 as the print window gives", 0, -1, 0, 1000, TRenderKernel::SSE, 4, 250},
    {"SSE: one column still gets one group", 0, -1, 0, 1, TRenderKernel::SSE, 4, 1},
    {"width 0: no call", 0, -1, 0, 0, TRenderKernel::SSE, 4, 0},
    // Two switches on at once must still give a kernel whose points fit the groups.
    {"SSE with 3DNow!: SSE's four points", 0, -1, -1, 640, TRenderKernel::SSE, 4, 160},
    {"the widest image does not overflow", 0, -1, 0, 2147483647, TRenderKernel::SSE, 4, 536870912},
};

class DiskPacking : public DiskFixture, public ::testing::WithParamInterface<DiskPackingCase> {};

TEST_P(DiskPacking, FollowsTheKernelSwitchesAndCoversEveryColumn) {
  const DiskPackingCase& c = GetParam();
  UseSSE2 = c.SSE2;
  UseSSE = c.SSE;
  Use3DNow = c.ThreeDNow;
  ViewLeft = -2.0L;
  ViewHeight = 3.0L;
  SetDiskRenderSize(c.Width, 300);
  EXPECT_EQ(DiskKernel, c.Kernel);
  EXPECT_EQ(DiskPixelsPerCall, c.PerCall);
  EXPECT_EQ(DiskCallsPerRow, c.Calls);
  EXPECT_EQ(DiskWidth, c.Width);
  EXPECT_EQ(DiskHeight, 300);
  EXPECT_EQ(DiskStepY, 3.0L / 300);
  EXPECT_EQ(DiskStepX, DiskStepY);
  EXPECT_EQ(DiskRowStartX, -2.0L - c.PerCall * DiskStepY);
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskPacking, ::testing::ValuesIn(DiskPackingCases));

struct DiskColorCase {
  const char* What;
  std::int32_t SurfaceBits, Loaded, Offset, Count;
  std::uint32_t Expected;
};

// Table entry e of the fixture's table is red e x 7, green 255 - e, blue e (low bytes).
constexpr std::uint32_t Entry(int e) {
  return std::uint32_t(std::uint8_t(e * 7)) | std::uint32_t(255 - e) << 8 | std::uint32_t(e) << 16;
}

const DiskColorCase DiskColorCases[] = {
    {"gradient: red 8, green 16, blue 24 a count", 32, 0, 0, 1, 0x00181008},
    {"gradient: 256 wraps red to 0", 32, 0, 0, 32, 0x00000000 | (32 * 16 % 256) << 8 | (32 * 24 % 256) << 16},
    {"gradient: 33 gives red 8", 32, 0, 0, 33, 8 | (33 * 16 % 256) << 8 | (33 * 24 % 256) << 16},
    {"gradient: offset added first", 32, 0, 10, 1, 88 | 176 << 8 | (264 % 256) << 16},
    {"gradient: n' = -1 takes the low bytes of -8, -16, -24", 32, 0, -2, 1, 0x00E8F0F8},
    {"gradient inside: InsideColor", 32, 0, 0, 150, 0x00123456},
    {"gradient inside: the SSE kernels' limit + 1", 32, 0, 0, 151, 0x00123456},
    {"loaded palette: entry 16 + n'", 32, -1, 0, 5, Entry(21)},
    {"loaded palette: n' = 224 wraps to entry 16", 32, -1, 124, 100, Entry(16)},
    {"loaded palette: n' = -1 is 4294967295 mod 224 = 31", 32, -1, -2, 1, Entry(47)},
    {"loaded palette inside: entry 240", 32, -1, 0, 150, Entry(240)},
    {"8-bit display without a loaded palette: the table", 8, 0, 0, 5, Entry(21)},
    {"8-bit display inside: entry 240", 8, 0, 0, 200, Entry(240)},
    {"16-bit display: the gradient", 16, 0, 0, 1, 0x00181008},
    {"the offset does not make an inside count escape", 32, 0, -100, 150, 0x00123456},
};

class DiskColors : public DiskFixture, public ::testing::WithParamInterface<DiskColorCase> {};

TEST_P(DiskColors, FollowTheDisksChoiceOfTableOrGradient) {
  const DiskColorCase& c = GetParam();
  ColorTableEntry table[ColorTableSize];
  for (int i = 0; i < ColorTableSize; ++i) table[i] = DiskColorTable[i];
  TakeDiskColors(table, c.SurfaceBits);
  PaletteLoaded = c.Loaded;
  PaletteOffset = c.Offset;
  TakeDiskSettings();
  EXPECT_EQ(DiskColor(c.Count), c.Expected) << std::hex << DiskColor(c.Count);
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskColors, ::testing::ValuesIn(DiskColorCases));

TEST_F(DiskFixture, GradientProductsRoundHalvesToEven) {
  RedSlope = 0.5;
  GreenSlope = 0.5;
  BlueSlope = 0.5;
  TakeDiskSettings();
  EXPECT_EQ(DiskColor(5), 0x00020202u);  // 2.5 -> 2
  EXPECT_EQ(DiskColor(7), 0x00040404u);  // 3.5 -> 4
}

TEST_F(DiskFixture, TheColourTableIsACopyTakenAtTheStart) {
  ColorTableEntry table[ColorTableSize] = {};
  table[21] = ColorTableEntry{1, 2, 3, 0};
  TakeDiskColors(table, 8);
  table[21] = ColorTableEntry{9, 9, 9, 0};  // a later change of the display's table
  EXPECT_EQ(DiskColor(5), 0x00010203u);
}

TEST(StorePixel24, WritesBlueGreenRedAtThreeBytesPerPixel) {
  std::uint8_t line[12];
  for (auto& b : line) b = 0xAA;
  StorePixel24(line, 1, 0x00112233);
  StorePixel24(line, 3, 0xFF445566);  // the top byte is not stored
  const std::uint8_t expected[12] = {0xAA, 0xAA, 0xAA, 0x11, 0x22, 0x33,
                                     0xAA, 0xAA, 0xAA, 0x44, 0x55, 0x66};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(line[i], expected[i]) << "byte " << i;
}

struct GroupCase {
  const char* What;
  TRenderKernel Kernel;
  std::int32_t Julia;
  bool Subpixels;
};

const GroupCase GroupCases[] = {
    {"x87, Mandelbrot", TRenderKernel::FPU, 0, false},
    {"SSE2, Mandelbrot", TRenderKernel::SSE2, 0, false},
    {"SSE, Mandelbrot", TRenderKernel::SSE, 0, false},
    {"x87, Julia", TRenderKernel::FPU, -1, false},
    {"SSE2, Julia with subpixels", TRenderKernel::SSE2, -1, true},
    {"SSE, Mandelbrot with subpixels", TRenderKernel::SSE, 0, true},
    {"x87, Mandelbrot with subpixels", TRenderKernel::FPU, 0, true},
};

class DiskGroup : public DiskFixture, public ::testing::WithParamInterface<GroupCase> {};

// Lanes on the border of the set, where counts change from pixel to pixel.
TEST_P(DiskGroup, ColoursEachLaneByItsOwnPoint) {
  const GroupCase& c = GetParam();
  SelectKernel(c.Kernel);
  JuliaMode = c.Julia;
  JuliaC = c.Julia ? TExtendedComplex{-0.8L, 0.156L} : TExtendedComplex{0.01L, -0.02L};
  ViewHeight = 0.3L;
  SetDiskRenderSize(64, 48);
  for (int g = 0; g < 16; ++g) {
    const long double x = -0.75L + g * 0.0123L, y = 0.1L + g * 0.0071L;
    std::uint32_t colors[4] = {};
    ASSERT_TRUE(DiskGroupColors(x, y, c.Subpixels, colors, nullptr));
    for (int i = 0; i < DiskPixelsPerCall; ++i) {
      const long double re = x + i * DiskStepX;
      const std::int32_t n = ReferencePixelCount(c.Kernel, re, y, c.Subpixels);
      EXPECT_EQ(colors[i], ReferenceColor(n)) << "group " << g << " lane " << i << " count " << n;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskGroup, ::testing::ValuesIn(GroupCases));

class StopAtOnce : public IStopRequest {
public:
  bool StopRequested() const override { return true; }
};

TEST_F(DiskFixture, AGroupAskedToStopStoresNoColour) {
  SetDiskRenderSize(8, 8);
  std::uint32_t colors[4] = {7, 7, 7, 7};
  StopAtOnce stop;
  EXPECT_FALSE(DiskGroupColors(-0.5L, 0.0L, true, colors, &stop));
  EXPECT_EQ(colors[0], 7u);
}

}  // namespace
