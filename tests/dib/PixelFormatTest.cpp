// Pixel formats and colour tables: mask widths, packing with scaling, the colour-table
// converters and cube, and conversions between bit counts (15 bits included).
#include <gtest/gtest.h>

#include "dib/core/BmpHeaders.h"
#include "dib/core/PixelConvert.h"
#include "dib/core/PixelFormat.h"

namespace {

TEST(MaskBitCount, CountsTheRunFromTheLowestSetBit) {
  EXPECT_EQ(bmp::MaskBitCount(0xF800), 5);
  EXPECT_EQ(bmp::MaskBitCount(0x7E0), 6);
  EXPECT_EQ(bmp::MaskBitCount(0xFF0000), 8);
  EXPECT_EQ(bmp::MaskBitCount(0), 0);
  EXPECT_EQ(bmp::MaskBitCount(0xFF000000), 8);
  EXPECT_EQ(bmp::MaskBitCount(0x80000000), 0);  // only bits 0 to 30 start a run
}

TEST(DIBPixelFormat, FromMasksTakesOnlyWidths) {
  const bmp::DIBPixelFormat f = bmp::DIBPixelFormat::FromMasks(0xFF, 0xFF00, 0xFF0000);
  EXPECT_EQ(f.RBitMask, 0xFF0000u);
  EXPECT_EQ(f.GBitMask, 0xFF00u);
  EXPECT_EQ(f.BBitMask, 0xFFu);
  EXPECT_EQ(f.RShift, 16);
  const bmp::DIBPixelFormat g = bmp::Format565();
  EXPECT_EQ(g.RBitMask, 0xF800u);
  EXPECT_EQ(g.GBitMask, 0x7E0u);
  EXPECT_EQ(g.RShift, 11);
  EXPECT_EQ(g.GShift, 5);
  EXPECT_EQ(bmp::Format555().RBitMask, 0x7C00u);
}

TEST(PackPixel, KeepsTheTopBitsOfEachChannel) {
  EXPECT_EQ(bmp::PackPixel(bmp::Format888(), 1, 2, 3), 0x010203u);
  EXPECT_EQ(bmp::PackPixel(bmp::Format565(), 255, 255, 255), 0xFFFFu);
  EXPECT_EQ(bmp::PackPixel(bmp::Format565(), 0x80, 0x80, 0x80), 0x8410u);
  EXPECT_EQ(bmp::PackPixel(bmp::Format555(), 255, 0, 0x08), 0x7C01u);
  EXPECT_EQ(bmp::PackPixel(bmp::Format555(), 0x07, 0x07, 0x07), 0u);
}

TEST(UnpackPixel, ReplicatesFieldsUpToFullChannels) {
  const struct { bmp::DIBPixelFormat f; uint32_t pixel; uint8_t r, g, b; } cases[] = {
      {bmp::Format565(), 0xFFFF, 255, 255, 255},
      {bmp::Format565(), 0x0000, 0, 0, 0},
      {bmp::Format565(), 0x8410, 0x84, 0x82, 0x84},
      {bmp::Format555(), 0x7C00, 255, 0, 0},
      {bmp::Format555(), 0x0001, 0, 0, 0x08},
      {bmp::Format888(), 0x123456, 0x12, 0x34, 0x56},
  };
  for (const auto& c : cases) {
    uint8_t r, g, b;
    bmp::UnpackPixel(c.f, c.pixel, r, g, b);
    EXPECT_EQ(r, c.r) << std::hex << c.pixel;
    EXPECT_EQ(g, c.g) << std::hex << c.pixel;
    EXPECT_EQ(b, c.b) << std::hex << c.pixel;
  }
}

TEST(UnpackPixel, PackOfUnpackIsTheSamePixel) {
  for (const bmp::DIBPixelFormat& f : {bmp::Format555(), bmp::Format565()}) {
    for (uint32_t p = 0; p < 0x10000; p += 7) {
      const uint32_t pixel = p & (f.RBitMask | f.GBitMask | f.BBitMask);
      uint8_t r, g, b;
      bmp::UnpackPixel(f, pixel, r, g, b);
      ASSERT_EQ(bmp::PackPixel(f, r, g, b), pixel);
    }
  }
}

TEST(ColorTables, ConvertersSwapRedAndBlueAndClearTheFourthByte) {
  bmp::PaletteEntry entries[256] = {};
  entries[3] = bmp::PaletteEntry{10, 20, 30, 4};
  bmp::RgbQuad table[256];
  bmp::PaletteEntriesToRGBQuads(entries, table);
  EXPECT_EQ(table[3].blue, 30);
  EXPECT_EQ(table[3].green, 20);
  EXPECT_EQ(table[3].red, 10);
  EXPECT_EQ(table[3].reserved, 0);
  bmp::PaletteEntry back[256];
  bmp::RGBQuadsToPaletteEntries(table, back);
  EXPECT_EQ(back[3].red, 10);
  EXPECT_EQ(back[3].blue, 30);
  EXPECT_EQ(back[3].flags, 0);
  EXPECT_EQ(bmp::MakeRGBQuad(1, 2, 3), 0x010203u);
}

TEST(ColorTables, CubeAndGreyscale) {
  bmp::RgbQuad t[256];
  bmp::FillColorCube(t, 3, 3, 2);
  EXPECT_EQ(t[255].red, 255);
  EXPECT_EQ(t[255].green, 255);
  EXPECT_EQ(t[255].blue, 255);
  EXPECT_EQ(t[0].red + t[0].green + t[0].blue, 0);
  EXPECT_EQ(t[0xE0].red, 255);
  EXPECT_EQ(t[0xE0].green, 0);
  EXPECT_EQ(t[0x1C].green, 255);
  EXPECT_EQ(t[0x03].blue, 255);
  bmp::FillColorCube(t, 1, 2, 1);
  EXPECT_EQ(t[15].red, 255);
  EXPECT_EQ(t[2].green, 85);
  bmp::FillGreyscaleColorTable(t);
  EXPECT_EQ(t[77].red, 77);
  EXPECT_EQ(t[77].blue, 77);
}

struct Image {
  std::vector<uint8_t> bytes;
  bmp::PixelView view;
  Image(int32_t w, int32_t h, int32_t bits, const bmp::RgbQuad* table = nullptr)
      : bytes(bmp::RowWidth(w, bits) * h, 0),
        view{nullptr, w, h, static_cast<int32_t>(bmp::RowWidth(w, bits)), bits,
             bmp::FormatForBitCount(bits), table} {
    view.pixels = bytes.data();
  }
  uint8_t* row(int32_t y) { return bytes.data() + static_cast<size_t>(y) * view.rowWidth; }
};

TEST(ConvertPixels, IndicesCarryOverToWiderIndexedImages) {
  Image src(5, 2, 4), dst(5, 2, 8);
  for (int x = 0; x < 5; ++x) bmp::SetIndex(src.row(1), x, 4, static_cast<uint8_t>(x + 10));
  ASSERT_TRUE(bmp::ConvertPixels(src.view, dst.view));
  for (int x = 0; x < 5; ++x) EXPECT_EQ(dst.row(1)[x], x + 10);
  Image one(9, 1, 1);
  bmp::SetIndex(one.row(0), 8, 1, 1);
  Image four(9, 1, 4);
  ASSERT_TRUE(bmp::ConvertPixels(one.view, four.view));
  EXPECT_EQ(bmp::GetIndex(four.row(0), 8, 4), 1);
  EXPECT_EQ(bmp::GetIndex(four.row(0), 7, 4), 0);
}

TEST(ConvertPixels, NarrowingToIndicesIsLeftToTheCaller) {
  Image src(2, 2, 24), dst(2, 2, 8);
  EXPECT_FALSE(bmp::ConvertPixels(src.view, dst.view));
  Image src8(2, 2, 8), dst4(2, 2, 4);
  EXPECT_FALSE(bmp::ConvertPixels(src8.view, dst4.view));
}

// Every direct-colour bit count, to and from each other, starting from 8-bit indices.
TEST(ConvertPixels, DirectColourRoundTripsKeepFullChannels) {
  bmp::RgbQuad table[256] = {};
  table[1] = bmp::RgbQuad{0xFF, 0x00, 0xFF, 0};  // magenta
  table[2] = bmp::RgbQuad{0x00, 0xFF, 0x00, 0};  // green
  Image src(3, 1, 8, table);
  src.row(0)[0] = 1;
  src.row(0)[1] = 2;
  for (int32_t a : {15, 16, 24, 32}) {
    for (int32_t b : {15, 16, 24, 32}) {
      Image mid(3, 1, a), out(3, 1, b);
      ASSERT_TRUE(bmp::ConvertPixels(src.view, mid.view));
      ASSERT_TRUE(bmp::ConvertPixels(mid.view, out.view));
      uint8_t r, g, bl;
      bmp::GetRgb(out.view, out.row(0), 0, r, g, bl);
      EXPECT_EQ(r, 0xFF) << a << " to " << b;
      EXPECT_EQ(g, 0) << a << " to " << b;
      EXPECT_EQ(bl, 0xFF) << a << " to " << b;
      bmp::GetRgb(out.view, out.row(0), 1, r, g, bl);
      EXPECT_EQ(g, 0xFF) << a << " to " << b;
      bmp::GetRgb(out.view, out.row(0), 2, r, g, bl);
      EXPECT_EQ(r + g + bl, 0) << a << " to " << b;
    }
  }
}

}  // namespace
