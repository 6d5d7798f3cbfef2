// Pixel stores: PutPixel's byte layout for every bit count with odd and negative pitches,
// the lock flag, and the IterBuffer rules of the render worker and of the redraw.
#include <cstring>

#include "explorer/render/Coloring.h"
#include "tests/explorer/render/ColoringFixture.h"

namespace {

struct LayoutCase {
  std::uint32_t Bits;
  std::int32_t Pitch;
  std::uint32_t StoredBytes;  // 0: the bit count stores nothing
};

const LayoutCase LayoutCases[] = {
    {8, 7, 1},   {8, -7, 1},  {16, 11, 2}, {16, -11, 2}, {24, 13, 3}, {24, -13, 3},
    {32, 19, 4}, {32, -19, 4}, {15, 11, 0}, {4, 7, 0},   {0, 19, 0},
};

class PutPixelLayout : public ColoringFixture, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(PutPixelLayout, StoresTheLowBytesInOrderAtRowTimesPitch) {
  const LayoutCase& c = GetParam();
  Lock(c.Bits, 0, c.Pitch);
  std::vector<std::uint8_t> expected = Memory;
  const std::int32_t x = 2, y = 1;
  // Row 0 is at the start of the memory for a positive pitch and at its last row otherwise.
  const std::int32_t rowBytes = c.Pitch < 0 ? -c.Pitch : c.Pitch;
  const std::int32_t row = c.Pitch < 0 ? Height - 1 - y : y;
  const std::uint8_t value[4] = {0x44, 0x33, 0x22, 0x11};
  std::memcpy(&expected[row * rowBytes + x * c.StoredBytes], value, c.StoredBytes);
  PutPixel(x, y, 0x11223344);
  EXPECT_EQ(Memory, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PutPixelLayout, ::testing::ValuesIn(LayoutCases));

TEST_F(ColoringFixture, PutPixelStoresNothingWhileUnlocked) {
  const std::vector<std::uint8_t> before = Memory;
  SurfaceLocked = 0;
  PutPixel(1, 1, 0x11223344);
  EXPECT_EQ(Memory, before);
}

TEST_F(ColoringFixture, PutPixelStoresNothingWithoutAPixelPointer) {
  LockedSurfaceDesc.Pixels = nullptr;  // a lock that failed
  PutPixel(1, 1, 0x11223344);          // must not crash
  SUCCEED();
}

TEST_F(ColoringFixture, WorkerKeepsTheCountInIterBufferEvenWhileUnlocked) {
  SurfaceLocked = 0;
  StoreRenderedPixel(3, 2, 42, Table);
  EXPECT_EQ(IterBuffer[2 * Width + 3], 42);
  EXPECT_EQ(Pixel(3, 2), Untouched());
}

struct LimitCase {
  std::int32_t Count;
  std::int32_t Stored;
};

// RenderMaxIterations is 150; the SSE kernels report inside points as 151.
const LimitCase LimitCases[] = {{1, 1}, {149, 149}, {150, 0}, {151, 0}, {0x7FFFFFFF, 0}};

TEST_F(ColoringFixture, CountsFromTheLimitUpAreStoredAsInside) {
  InsideColor = 0x00010203;
  for (const LimitCase& c : LimitCases) {
    IterBuffer[0] = -1;
    StoreRenderedPixel(0, 0, c.Count, Table);
    EXPECT_EQ(IterBuffer[0], c.Stored) << "count " << c.Count;
    if (c.Stored == 0) {
      EXPECT_EQ(Pixel(0, 0), 0x00030201u) << "count " << c.Count;
    }
  }
}

struct InsideCase {
  const char* What;
  std::uint32_t Bits, GreenMask;
  std::int32_t Loaded;
};

// Surfaces on which the packed inside value is 0 with the fixture's black InsideColor,
// once the table's entry 240 is made black too.
const InsideCase BlackInsideCases[] = {
    {"32 bits, gradient", 32, 0, 0},      {"32 bits, table", 32, 0, -1},
    {"24 bits, gradient", 24, 0, 0},      {"16 bits 5-6-5, table", 16, 0x7E0, -1},
    {"16 bits 5-5-5, gradient", 16, 0x3E0, 0},
};

class BlackInside : public ColoringFixture, public ::testing::WithParamInterface<InsideCase> {};

TEST_P(BlackInside, WorkersLeaveThePixelAndTheRedrawWritesIt) {
  const InsideCase& c = GetParam();
  Lock(c.Bits, c.GreenMask, 4 * Width + 1);
  PaletteLoaded = c.Loaded;
  Table[InsideEntry] = {0, 0, 0, 0xEE};
  StoreRenderedPixel(2, 1, RenderMaxIterations, Table);
  EXPECT_EQ(Pixel(2, 1), Untouched());
  EXPECT_EQ(IterBuffer[1 * Width + 2], 0);
  RecolorPixelFromBuffer(2, 1, Table);
  EXPECT_EQ(Pixel(2, 1), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, BlackInside, ::testing::ValuesIn(BlackInsideCases));

TEST_F(ColoringFixture, WorkersStoreAnInsideValueThatIsNotZero) {
  Lock(8, 0, Width);  // on 8 bits the inside value is index 240, even for a black colour
  StoreRenderedPixel(1, 1, RenderMaxIterations, Table);
  EXPECT_EQ(Pixel(1, 1), 240u);
}

TEST_F(ColoringFixture, RedrawColoursEachElementOfIterBuffer) {
  PaletteOffset = 5;
  Lock(8, 0, Width + 2);
  IterBuffer = {0, 1, 218, 219, 0, 0, 0, 0, 0, 0, 0, 0};
  for (std::int32_t x = 0; x < Width; ++x) RecolorPixelFromBuffer(x, 0, Table);
  EXPECT_EQ(Pixel(0, 0), 240u);
  EXPECT_EQ(Pixel(1, 0), 22u);   // 16 + 6
  EXPECT_EQ(Pixel(2, 0), 239u);  // 16 + 223
  EXPECT_EQ(Pixel(3, 0), 16u);   // 16 + 0
  EXPECT_EQ(Pixel(0, 1), Untouched());
}

}  // namespace
