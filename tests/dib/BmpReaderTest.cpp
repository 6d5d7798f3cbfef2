// The BMP reader against crafted headers and files: header versions, bit counts and
// masks, top-down rows, colour tables and pixel-data offsets, and the faults it refuses.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "tests/dib/BmpTestFile.h"

using bmp::Code;

namespace {

struct Case {
  const char* name;
  std::vector<uint8_t> file;  // with the 14-byte file header unless `dib`
  Code expected;
  bool dib = false;
  std::function<void(const DecodedBmp&)> check = nullptr;
};

void ExpectPixels(const DecodedBmp& d, std::initializer_list<uint8_t> bytes) {
  ASSERT_EQ(d.pixels.size(), bytes.size());
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), d.pixels.begin()));
}

// A 2x2 24-bit file whose rows are given top row first when topDown.
std::vector<uint8_t> Rgb2x2(int32_t height) {
  Bytes b;
  b.file(54).info(2, height, 24);
  b.raw({1, 2, 3, 4, 5, 6, 0, 0}).raw({7, 8, 9, 10, 11, 12, 0, 0});
  return b.v;
}

std::vector<Case> Cases() {
  std::vector<Case> c;
  c.push_back({"no bytes at all", {}, Code::Ok, true,
               [](const DecodedBmp& d) { EXPECT_TRUE(d.info.empty); }});
  c.push_back({"two bytes of header size", {40, 0}, Code::HeaderSize, true});
  c.push_back({"file header cut short", Bytes().u16(0x4D42).u16(0).v, Code::FileType});
  c.push_back({"file type not BM", Bytes().u16(0x4142).u32(0).u32(0).u32(54).info(1, 1, 24).v,
               Code::FileType});
  c.push_back({"108-byte header", Bytes().file(122).u32(108).fill(104, 0).v, Code::HeaderSize});
  c.push_back({"124-byte header", Bytes().file(138).u32(124).fill(120, 0).v, Code::HeaderSize});
  c.push_back({"OS/2 header with 3-byte colour entries",
               Bytes().file(26 + 6).u32(12).u16(3).u16(1).u16(1).u16(1)
                   .raw({10, 20, 30, 40, 50, 60}).raw({0xA0, 0, 0, 0}).v,
               Code::Ok, false, [](const DecodedBmp& d) {
                 EXPECT_EQ(d.info.layout.bitCount, 1);
                 EXPECT_EQ(d.info.layout.width, 3);
                 EXPECT_EQ(d.info.layout.headerSize, 40 + 8);
                 EXPECT_EQ(d.info.colorTable[1].blue, 40);
                 EXPECT_EQ(d.info.colorTable[1].red, 60);
                 EXPECT_EQ(d.info.colorTable[1].reserved, 0);
                 ExpectPixels(d, {0xA0, 0, 0, 0});
               }});
  c.push_back({"16-bit BI_RGB is 5-5-5", Bytes().file(54).info(1, 1, 16).u32(0x7C00).v,
               Code::Ok, false, [](const DecodedBmp& d) {
                 EXPECT_EQ(d.info.layout.bitCount, 15);
                 EXPECT_TRUE(d.info.format.sameMasks(bmp::Format555()));
                 EXPECT_EQ(d.info.layout.compression, bmp::kRgb);
                 EXPECT_EQ(d.info.layout.headerSize, 40);
               }});
  c.push_back({"16-bit 5-6-5 bit fields",
               Bytes().file(66).info(1, 1, 16, 3).u32(0xF800).u32(0x7E0).u32(0x1F).u32(0xF800).v,
               Code::Ok, false, [](const DecodedBmp& d) {
                 EXPECT_EQ(d.info.layout.bitCount, 16);
                 EXPECT_FALSE(d.info.remap);
                 EXPECT_EQ(d.info.layout.headerSize, 52);
                 ExpectPixels(d, {0x00, 0xF8, 0, 0});
               }});
  c.push_back({"16-bit 5-5-5 bit fields load as 15 bits",
               Bytes().file(66).info(1, 1, 16, 3).u32(0x7C00).u32(0x3E0).u32(0x1F).u32(0x7C00).v,
               Code::Ok, false, [](const DecodedBmp& d) {
                 EXPECT_EQ(d.info.layout.bitCount, 15);
                 ExpectPixels(d, {0x00, 0x7C, 0, 0});
               }});
  c.push_back({"16-bit 5-6-5 masks with blue highest are moved into place",
               Bytes().file(66).info(1, 1, 16, 3).u32(0x1F).u32(0x7E0).u32(0xF800).u32(0x001F).v,
               Code::Ok, false, [](const DecodedBmp& d) {
                 EXPECT_EQ(d.info.layout.bitCount, 16);
                 ExpectPixels(d, {0x00, 0xF8, 0, 0});  // the red field, now on top
               }});
  c.push_back({"16-bit 4-4-4 bit fields",
               Bytes().file(66).info(1, 1, 16, 3).u32(0xF00).u32(0xF0).u32(0xF).u32(0).v,
               Code::PixelFormat});
  c.push_back({"32-bit bit fields in the standard order",
               Bytes().file(66).info(1, 1, 32, 3).u32(0xFF0000).u32(0xFF00).u32(0xFF)
                   .raw({1, 2, 3, 0}).v,
               Code::Ok, false, [](const DecodedBmp& d) {
                 EXPECT_EQ(d.info.layout.bitCount, 32);
                 EXPECT_EQ(d.info.layout.compression, bmp::kRgb);
                 ExpectPixels(d, {1, 2, 3, 0});
               }});
  c.push_back({"32-bit bit fields with red lowest put each channel where its mask says",
               Bytes().file(66).info(1, 1, 32, 3).u32(0xFF).u32(0xFF00).u32(0xFF0000)
                   .raw({0x11, 0x22, 0x33, 0x44}).v,
               Code::Ok, false, [](const DecodedBmp& d) {
                 // red 0x11, green 0x22, blue 0x33 stored as blue, green, red
                 ExpectPixels(d, {0x33, 0x22, 0x11, 0});
               }});
  c.push_back({"32-bit 10-bit bit fields are narrowed to 8 bits",
               Bytes().file(66).info(1, 1, 32, 3).u32(0x3FF00000).u32(0xFFC00).u32(0x3FF)
                   .u32(0x3FF00000 | (0x200 << 10) | 0x001).v,
               Code::Ok, false, [](const DecodedBmp& d) { ExpectPixels(d, {0x00, 0x80, 0xFF, 0}); }});
  c.push_back({"top-down rows end up bottom-up", Rgb2x2(-2), Code::Ok, false,
               [](const DecodedBmp& d) {
                 EXPECT_TRUE(d.info.topDown);
                 EXPECT_EQ(d.info.layout.height, 2);
                 ExpectPixels(d, {7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0});
               }});
  c.push_back({"colours used 16 at 8 bits",
               Bytes().file(54 + 64).info(1, 1, 8, 0, 0, 16).fill(64, 0x7F).raw({15, 0, 0, 0}).v,
               Code::Ok, false, [](const DecodedBmp& d) {
                 EXPECT_EQ(d.info.colorTable[15].red, 0x7F);
                 EXPECT_EQ(d.info.colorTable[16].red, 0);
                 EXPECT_EQ(d.info.layout.headerSize, 40 + 1024);
                 ExpectPixels(d, {15, 0, 0, 0});
               }});
  c.push_back({"a gap after the colour table is skipped by the data offset",
               Bytes().file(54 + 8 + 6).info(1, 1, 1).fill(8, 0xFF).fill(6, 0xEE)
                   .raw({0x80, 0, 0, 0}).v,
               Code::Ok, false, [](const DecodedBmp& d) { ExpectPixels(d, {0x80, 0, 0, 0}); }});
  c.push_back({"a data offset inside the colour table is not used",
               Bytes().file(54).info(1, 1, 1).fill(8, 0xFF).raw({0x80, 0, 0, 0}).v, Code::Ok, false,
               [](const DecodedBmp& d) { ExpectPixels(d, {0x80, 0, 0, 0}); }});
  c.push_back({"more than 256 colour entries: the surplus is skipped",
               Bytes().file(0).info(1, 1, 8, 0, 0, 258).fill(1024, 1).fill(8, 2).raw({9, 0, 0, 0}).v,
               Code::Ok, false, [](const DecodedBmp& d) { ExpectPixels(d, {9, 0, 0, 0}); }});
  c.push_back({"width 0", Bytes().file(54).info(0, 1, 24).v, Code::Dimensions});
  c.push_back({"negative width", Bytes().file(54).info(-4, 1, 24).v, Code::Dimensions});
  c.push_back({"height 0", Bytes().file(54).info(4, 0, 24).v, Code::Dimensions});
  c.push_back({"height -2^31", Bytes().file(54).info(4, INT32_MIN, 24).v, Code::Dimensions});
  c.push_back({"size beyond 32 bits", Bytes().file(54).info(0x10000, 0x10000, 32).v,
               Code::Dimensions});
  c.push_back({"row width beyond 32 bits", Bytes().file(54).info(INT32_MAX, 1, 32).v,
               Code::Dimensions});
  // Byte counts that pass 4 GiB leave a small remainder in 32 bits, which the bytes that
  // follow would satisfy: only 64-bit arithmetic refuses them where size_t has 32 bits.
  c.push_back({"65536 x 16385 x 32 bits: 4 GiB + 256 KiB, 256 KiB of it there",
               Bytes().file(54).info(0x10000, 0x4001, 32).fill(0x40000, 0).v, Code::Dimensions});
  c.push_back({"21846 x 65537 x 24 bits, rows of 65540 bytes: 4 GiB + 320 KiB",
               Bytes().file(54).info(21846, 65537, 24).fill(327684, 0).v, Code::Dimensions});
  c.push_back({"2^30 + 256 colour entries: 4 GiB of them past the kept 256",
               Bytes().file(0).info(1, 1, 8, 0, 0, 0x40000100).fill(1024, 1).raw({9, 0, 0, 0}).v,
               Code::Truncated});
  c.push_back({"a data offset 16 bytes short of 4 GiB",
               Bytes().file(0xFFFFFFF0u).info(1, 1, 24).raw({1, 2, 3, 0}).v, Code::Truncated});
  c.push_back({"10000 x 10000 x 24, beyond the cap of files",
               Bytes().file(54).info(10000, 10000, 24).v, Code::Dimensions});
  c.push_back({"compression 4", Bytes().file(54).info(1, 1, 24, 4).v, Code::Compression});
  c.push_back({"bit count 12", Bytes().file(54).info(1, 1, 12).v, Code::BitCount});
  c.push_back({"bit fields at 24 bits", Bytes().file(66).info(1, 1, 24, 3).fill(16, 0).v,
               Code::BitFieldsBitCount});
  c.push_back({"RLE8 at 4 bits", Bytes().file(118).info(1, 1, 4, 1, 2).fill(64, 0).raw({0, 1}).v,
               Code::RleBitCount});
  c.push_back({"RLE8 top-down", Bytes().file(1078).info(1, -1, 8, 1, 2).fill(1024, 0).raw({0, 1}).v,
               Code::RleTopDown});
  c.push_back({"RLE8 image byte count 0", Bytes().file(1078).info(1, 1, 8, 1, 0).fill(1024, 0).v,
               Code::RleImageSize});
  c.push_back({"RLE8 image byte count beyond the data",
               Bytes().file(1078).info(1, 1, 8, 1, 100).fill(1024, 0).raw({0, 1}).v,
               Code::Truncated});
  c.push_back({"pixels cut short", Bytes().file(54).info(2, 2, 24).fill(10, 0).v, Code::Truncated});
  c.push_back({"colour table cut short", Bytes().file(54).info(2, 2, 8).fill(10, 0).v,
               Code::Truncated});
  return c;
}

class CraftedBmp : public testing::TestWithParam<Case> {};

TEST_P(CraftedBmp, ReadsAsExpected) {
  const Case& c = GetParam();
  DecodedBmp d;
  const bmp::Status s = c.dib ? DecodeDib(c.file.data(), c.file.size(), -1, d)
                              : DecodeBmpFile(c.file, d);
  ASSERT_EQ(bmp::Describe(s.code).name, std::string(bmp::Describe(c.expected).name)) << c.name;
  if (s.ok() && c.check) c.check(d);
}

INSTANTIATE_TEST_SUITE_P(Headers, CraftedBmp, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& i) {
                           std::string n;
                           for (const char* p = i.param.name; *p; ++p)
                             n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return n;
                         });

TEST(BmpStatus, MessagesNameThePartsFaults) {
  EXPECT_STREQ(bmp::Describe(Code::HeaderSize).message, "DIB is invalid");
  EXPECT_STREQ(bmp::Describe(Code::BitCount).message, "Bitcount in invalid (%d)");
  EXPECT_STREQ(bmp::Describe(Code::PixelFormat).message, "PixelFormat in invalid");
  EXPECT_EQ(bmp::Describe(Code::Truncated).kind, bmp::FaultKind::ReadError);
  EXPECT_EQ(bmp::Describe(Code::BitCount).kind, bmp::FaultKind::InvalidOperation);
}

TEST(BmpLayout, RowWidthIsTheBmpStride) {
  EXPECT_EQ(bmp::RowWidth(1, 1), 4u);
  EXPECT_EQ(bmp::RowWidth(3, 24), 12u);
  EXPECT_EQ(bmp::RowWidth(17, 15), 36u);  // 15-bit pixels take two bytes each
  EXPECT_EQ(bmp::RowWidth(17, 16), 36u);
}

TEST(BmpLayout, BitCountTwelveIsRefusedWithItsValue) {
  bmp::DibLayout l;
  const bmp::Status s = bmp::MakeLayout(4, 4, 12, bmp::Format888(), false, l);
  EXPECT_EQ(s.code, Code::BitCount);
  EXPECT_EQ(s.value, 12);
}

// The layout itself allows any image whose byte counts fit an int; the cap for files is
// the reader's.
TEST(BmpLayout, SizeIsLimitedByTheByteCountsOnly) {
  bmp::DibLayout l;
  ASSERT_TRUE(bmp::MakeLayout(10000, 10000, 24, bmp::Format888(), false, l).ok());
  EXPECT_EQ(l.size, 300000000u);
  EXPECT_EQ(bmp::MakeLayout(46340, 46340, 8, bmp::Format888(), false, l).code, Code::Ok);
  EXPECT_EQ(bmp::MakeLayout(46341, 46341, 8, bmp::Format888(), false, l).code, Code::ImageTooLarge);
  EXPECT_EQ(bmp::MakeLayout(0x7FFFFFFF, 1, 32, bmp::Format888(), false, l).code, Code::ImageTooLarge);
  // 4 GiB + 256 KiB and exactly 4 GiB, which 32 bits would take for 256 KiB and for none.
  EXPECT_EQ(bmp::MakeLayout(0x10000, 0x4001, 32, bmp::Format888(), false, l).code, Code::ImageTooLarge);
  EXPECT_EQ(bmp::MakeLayout(0x10000, 0x10000, 8, bmp::Format888(), false, l).code, Code::ImageTooLarge);
  EXPECT_EQ(bmp::Describe(Code::ImageTooLarge).kind, bmp::FaultKind::OutOfMemory);
}

TEST(BmpLayout, FormatMustFitTheBitCount) {
  bmp::DibLayout l;
  EXPECT_EQ(bmp::MakeLayout(4, 4, 16, bmp::Format555(), false, l).code, Code::PixelFormat);
  EXPECT_EQ(bmp::MakeLayout(4, 4, 24, bmp::Format565(), false, l).code, Code::PixelFormat);
  EXPECT_TRUE(bmp::MakeLayout(4, 4, 15, bmp::Format555(), false, l).ok());
}

// What the library writes, read back: 16 bits as bit fields, 15 as BI_RGB 16 bits,
// compression only at 4 and 8 bits.
TEST(BmpLayout, HeaderBlocksReadBack) {
  const struct { int bits; bool compressed; uint32_t compression; int headerSize; } rows[] = {
      {1, false, bmp::kRgb, 48},      {4, true, bmp::kRle4, 104}, {8, true, bmp::kRle8, 1064},
      {15, false, bmp::kRgb, 40},     {16, false, bmp::kBitFields, 52},
      {24, true, bmp::kRgb, 40},      {32, false, bmp::kRgb, 40},
  };
  bmp::RgbQuad table[256];
  bmp::FillGreyscaleColorTable(table);
  for (const auto& row : rows) {
    bmp::DibLayout l;
    ASSERT_TRUE(bmp::MakeLayout(5, 3, row.bits, bmp::FormatForBitCount(row.bits), row.compressed, l).ok());
    EXPECT_EQ(l.compression, row.compression) << row.bits;
    EXPECT_EQ(l.headerSize, row.headerSize) << row.bits;
    std::vector<uint8_t> pixels(l.size, 0);
    if (l.compressed) {
      pixels = row.bits == 8 ? bmp::EncodeRle8(std::vector<uint8_t>(l.rowWidth * 3).data(), 5, 3, l.rowWidth)
                             : bmp::EncodeRle4(std::vector<uint8_t>(l.rowWidth * 3).data(), 5, 3, l.rowWidth);
      l.size = static_cast<uint32_t>(pixels.size());
    }
    DecodedBmp d;
    ASSERT_TRUE(DecodeBmpFile(EncodeBmpFile(l, table, pixels.data()), d).ok()) << row.bits;
    EXPECT_EQ(d.info.layout.bitCount, row.bits);
    EXPECT_EQ(d.info.layout.compression, row.compression);
    EXPECT_EQ(d.info.header.height, 3);
    if (row.bits <= 8) {
      EXPECT_EQ(d.info.colorTable[1].red, 1);
    }
  }
}

// Malformed files, each named for the code it must give: "<code>.<what>.bmp".
class MalformedBmp : public testing::TestWithParam<std::string> {};

TEST_P(MalformedBmp, GivesTheCodeItIsNamedFor) {
  const std::string name = GetParam();
  const std::string expected = name.substr(0, name.find('.'));
  DecodedBmp d;
  bmp::Status s = DecodeBmpFile(ReadFileBytes(TestDataDir() + "/bmp/malformed/" + name), d);
  if (s.ok()) s = d.decode;
  EXPECT_EQ(bmp::Describe(s.code).name, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedBmp,
    testing::Values(MALFORMED_BMP_FILES),
    [](const testing::TestParamInfo<std::string>& i) {
      std::string n;
      for (char ch : i.param) n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return n;
    });

}  // namespace
