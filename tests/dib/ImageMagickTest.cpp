// Cross-checks with ImageMagick, which no one here wrote: BMPs that `convert` writes in
// every depth and compression it offers are read by the codec, and BMPs the codec writes
// are read by `convert`; the pixels must agree. Native only; ImageMagick by full path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "tests/dib/BmpTestFile.h"
#include "dib/core/PixelConvert.h"

namespace {

const std::string kConvert = "/usr/bin/convert";
constexpr int32_t kWidth = 17, kHeight = 11;

std::string Work(const std::string& name) { return std::string(QV_WORK_DIR) + "/" + name; }

void Convert(const std::string& args) {
  const std::string cmd = kConvert + " " + args + " 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
}

class ImageMagick : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(std::system(("mkdir -p '" + std::string(QV_WORK_DIR) + "'").c_str()), 0);
    // A noisy picture, so that every pixel tells.
    std::mt19937 rng(7);
    std::string ppm = "P6 " + std::to_string(kWidth) + " " + std::to_string(kHeight) + " 255\n";
    std::vector<uint8_t> bytes(ppm.begin(), ppm.end());
    for (int i = 0; i < kWidth * kHeight * 3; ++i) bytes.push_back(static_cast<uint8_t>(rng()));
    WriteFileBytes(Work("source.ppm"), bytes);
  }

  // Pixels of an image file as ImageMagick decodes them: 8-bit RGB, top row first.
  static std::vector<uint8_t> ImageMagickRgb(const std::string& file) {
    const std::string out = file + ".rgb";
    Convert("'" + file + "' -depth 8 'rgb:" + out + "'");
    return ReadFileBytes(out);
  }

  // Pixels of a decoded image in the same form.
  static std::vector<uint8_t> CodecRgb(const DecodedBmp& d) {
    const bmp::DibLayout& l = d.info.layout;
    bmp::PixelView v{const_cast<uint8_t*>(d.pixels.data()), l.width, l.height, l.rowWidth,
                     l.bitCount, d.info.format, d.info.colorTable};
    std::vector<uint8_t> rgb;
    for (int32_t y = l.height - 1; y >= 0; --y) {
      const uint8_t* row = d.pixels.data() + static_cast<size_t>(y) * l.rowWidth;
      for (int32_t x = 0; x < l.width; ++x) {
        uint8_t r, g, b;
        bmp::GetRgb(v, row, x, r, g, b);
        rgb.insert(rgb.end(), {r, g, b});
      }
    }
    return rgb;
  }

  static void ExpectClose(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                          int tolerance, const std::string& what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    int worst = 0;
    for (size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
    EXPECT_LE(worst, tolerance) << what;
  }
};

// ImageMagick writes 16-bit files only with a V5 header; the same file with the header
// cut to its first 40 bytes and the masks kept after it is the 40-byte bit-field form.
std::vector<uint8_t> V5ToInfoHeader(const std::vector<uint8_t>& v5) {
  std::vector<uint8_t> out(v5.begin(), v5.begin() + 14 + 40 + 12);
  const uint32_t off = v5[10] | v5[11] << 8 | v5[12] << 16 | static_cast<uint32_t>(v5[13]) << 24;
  out[14] = 40;
  out.insert(out.end(), v5.begin() + off, v5.end());
  const uint32_t newOff = 14 + 40 + 12;
  for (int i = 0; i < 4; ++i) out[10 + i] = static_cast<uint8_t>(newOff >> (8 * i));
  return out;
}

TEST_F(ImageMagick, FilesItWritesReadWithTheSamePixels) {
  const struct { const char* name; const char* args; int bits; uint32_t compression; bool v5; int tolerance; } cases[] = {
      {"rgb24", "bmp3:", 24, bmp::kRgb, false, 0},
      {"os2_rgb24", "bmp2:", 24, bmp::kRgb, false, 0},
      {"pal8", "-colors 200 -type palette -compress None bmp3:", 8, bmp::kRgb, false, 0},
      {"rle8", "-colors 200 -type palette -compress RLE bmp3:", 8, bmp::kRle8, false, 0},
      {"rle8_few_colours", "-colors 5 -type palette -compress RLE bmp3:", 8, bmp::kRle8, false, 0},
      {"pal4", "-colors 16 -type palette bmp3:", 4, bmp::kRgb, false, 0},
      {"os2_pal4", "-colors 16 -type palette bmp2:", 4, bmp::kRgb, false, 0},
      {"os2_pal8", "-colors 200 -type palette -compress None bmp2:", 8, bmp::kRgb, false, 0},
      {"pal1", "-colors 2 -type palette bmp3:", 1, bmp::kRgb, false, 0},
      {"rgb565", "-define bmp:subtype=RGB565 bmp:", 16, bmp::kBitFields, true, 4},
      {"rgb555", "-define bmp:subtype=RGB555 bmp:", 15, bmp::kBitFields, true, 4},
  };
  for (const auto& c : cases) {
    const std::string file = Work(std::string("im_") + c.name + ".bmp");
    Convert("'" + Work("source.ppm") + "' " + c.args + "'" + file + "'");
    std::vector<uint8_t> bytes = ReadFileBytes(file);
    if (c.v5) bytes = V5ToInfoHeader(bytes);
    DecodedBmp d;
    const bmp::Status s = DecodeBmpFile(bytes, d);
    ASSERT_TRUE(s.ok()) << c.name << ": " << bmp::Describe(s.code).name;
    // ImageMagick's RLE8 rows also code the row's padding bytes, which lie past the
    // row's end: the decoder drops them and says so.
    EXPECT_TRUE(d.decode.ok() || d.decode.code == bmp::Code::RleRunPastRow) << c.name;
    EXPECT_EQ(d.info.layout.bitCount, c.bits) << c.name;
    EXPECT_EQ(d.info.header.compression, c.compression) << c.name;
    ExpectClose(CodecRgb(d), ImageMagickRgb(file), c.tolerance, c.name);
  }
}

TEST_F(ImageMagick, ItsV5HeaderIsRefused) {
  const std::string file = Work("im_v5.bmp");
  Convert("'" + Work("source.ppm") + "' 'bmp:" + file + "'");
  DecodedBmp d;
  EXPECT_EQ(DecodeBmpFile(ReadFileBytes(file), d).code, bmp::Code::HeaderSize);
}

// Library-written files at every bit count, the indexed ones also RLE-compressed.
TEST_F(ImageMagick, ReadsTheFilesTheCodecWrites) {
  // Indexed sources from ImageMagick's own quantised files; direct colour from 24 bits.
  const struct { const char* source; int bits; bool compress; int tolerance; } cases[] = {
      {"-colors 2 -type palette bmp3:", 1, false, 0},
      {"-colors 16 -type palette bmp3:", 4, false, 0},
      {"-colors 16 -type palette bmp3:", 4, true, 0},
      {"-colors 200 -type palette -compress None bmp3:", 8, false, 0},
      {"-colors 200 -type palette -compress None bmp3:", 8, true, 0},
      {"bmp3:", 15, false, 1},
      {"bmp3:", 16, false, 1},
      {"bmp3:", 24, false, 0},
      {"bmp3:", 32, false, 0},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string what = std::to_string(c.bits) + (c.compress ? " RLE" : "");
    const std::string src = Work("lib_src" + std::to_string(n) + ".bmp");
    Convert("'" + Work("source.ppm") + "' " + c.source + "'" + src + "'");
    DecodedBmp in;
    ASSERT_TRUE(DecodeBmpFile(ReadFileBytes(src), in).ok()) << what;
    const bmp::DibLayout& il = in.info.layout;

    bmp::DibLayout l;
    ASSERT_TRUE(bmp::MakeLayout(kWidth, kHeight, c.bits, bmp::FormatForBitCount(c.bits), c.compress, l).ok());
    std::vector<uint8_t> pixels(l.size, 0);
    const bmp::PixelView from{in.pixels.data(), il.width, il.height, il.rowWidth, il.bitCount,
                              in.info.format, in.info.colorTable};
    const bmp::PixelView to{pixels.data(), l.width, l.height, l.rowWidth, l.bitCount,
                            bmp::FormatForBitCount(c.bits), in.info.colorTable};
    ASSERT_TRUE(bmp::ConvertPixels(from, to)) << what;
    DecodedBmp expected;
    expected.info = in.info;
    expected.info.layout = l;
    expected.info.format = to.format;
    expected.pixels = pixels;
    if (c.compress) {
      pixels = c.bits == 8 ? bmp::EncodeRle8(pixels.data(), l.width, l.height, l.rowWidth)
                           : bmp::EncodeRle4(pixels.data(), l.width, l.height, l.rowWidth);
      l.size = static_cast<uint32_t>(pixels.size());
    }
    const std::string out = Work("lib_out" + std::to_string(n++) + ".bmp");
    WriteFileBytes(out, EncodeBmpFile(l, in.info.colorTable, pixels.data()));
    ExpectClose(ImageMagickRgb(out), CodecRgb(expected), c.tolerance, what);
  }
}

}  // namespace
