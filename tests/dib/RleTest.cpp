// RLE8 and RLE4: the encoders' exact output for the documented rows, padding after
// absolute runs, round trips at widths 1 to 9, and the decoder's bounds on bad data.
#include <gtest/gtest.h>

#include <random>

#include "dib/core/BmpHeaders.h"
#include "dib/core/PixelConvert.h"
#include "dib/core/Rle.h"

namespace {

using Row = std::vector<uint8_t>;

Row Encode8(const Row& row) {
  Row padded = row;
  padded.resize((row.size() + 3) / 4 * 4);
  return bmp::EncodeRle8(padded.data(), static_cast<int32_t>(row.size()), 1,
                         static_cast<int32_t>(padded.size()));
}

TEST(Rle8Encoder, CodesTheDocumentedRows) {
  const struct { Row row; Row rle; } cases[] = {
      {{5, 5, 5, 5}, {4, 5, 0, 0, 0, 1}},
      {{1, 2, 3, 4}, {0, 4, 1, 2, 3, 4, 0, 0, 0, 1}},
      {{1, 2, 2}, {1, 1, 1, 2, 1, 2, 0, 0, 0, 1}},
      // an absolute run of 3 is padded to an even length; one of 4 is not
      {{1, 2, 3, 7, 7, 7, 7}, {0, 3, 1, 2, 3, 0, 4, 7, 0, 0, 0, 1}},
      {{9}, {1, 9, 0, 0, 0, 1}},
  };
  for (const auto& c : cases) EXPECT_EQ(Encode8(c.row), c.rle);
}

TEST(Rle8Encoder, RunsStopAt255) {
  const Row rle = Encode8(Row(300, 6));
  const Row head(rle.begin(), rle.begin() + 2);
  EXPECT_EQ(head, (Row{255, 6}));
}

Row Decode(const Row& rle, int32_t width, int32_t height, int bits, bmp::Status* status = nullptr) {
  const int32_t rowWidth = static_cast<int32_t>(bmp::RowWidth(width, bits));
  Row out(static_cast<size_t>(rowWidth) * height, 0);
  const bmp::Status s =
      bmp::DecodeRle(rle.data(), rle.size(), bmp::RleTarget{out.data(), width, height, rowWidth, bits});
  if (status) *status = s;
  return out;
}

TEST(Rle8Decoder, SkipsThePaddingAfterAnOddAbsoluteRun) {
  const Row rle = {0, 3, 1, 2, 3, 0xEE, 2, 9, 0, 0, 0, 1};
  bmp::Status s;
  EXPECT_EQ(Decode(rle, 5, 1, 8, &s), (Row{1, 2, 3, 9, 9, 0, 0, 0}));
  EXPECT_TRUE(s.ok());
}

TEST(Rle8Decoder, DeltaMovesRightAndUp) {
  const Row rle = {0, 2, 1, 1, 1, 7, 0, 1};
  EXPECT_EQ(Decode(rle, 2, 2, 8), (Row{0, 0, 0, 0, 0, 7, 0, 0}));
}

TEST(Rle4Decoder, RunsAlternateNibblesHighFirst) {
  const Row rle = {5, 0x12, 0, 3, 0x34, 0x50, 0, 1};
  EXPECT_EQ(Decode(rle, 8, 1, 4), (Row{0x12, 0x12, 0x13, 0x45}));
}

// Round trips through the encoders for every small width, on rows that mix runs,
// alternating pairs and noise.
class RleRoundTrip : public testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(RleRoundTrip, GivesBackThePixels) {
  const auto [width, bits] = GetParam();
  const int32_t height = 6;
  const int32_t rowWidth = static_cast<int32_t>(bmp::RowWidth(width, bits));
  std::mt19937 rng(static_cast<unsigned>(width * 31 + bits));
  Row pixels(static_cast<size_t>(rowWidth) * height, 0);
  const int maxIndex = (1 << bits) - 1;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = pixels.data() + static_cast<size_t>(y) * rowWidth;
    for (int32_t x = 0; x < width; ++x) {
      uint8_t v;
      switch (y % 3) {
        case 0: v = static_cast<uint8_t>(x < width / 2 ? 3 : 5); break;         // runs
        case 1: v = static_cast<uint8_t>(x % 2 ? 1 : 2); break;                 // alternating
        default: v = static_cast<uint8_t>(rng() % (maxIndex + 1)); break;       // noise
      }
      bmp::SetIndex(row, x, bits, v);
    }
  }
  const Row rle = bits == 8 ? bmp::EncodeRle8(pixels.data(), width, height, rowWidth)
                            : bmp::EncodeRle4(pixels.data(), width, height, rowWidth);
  ASSERT_EQ(rle.size() % 2, 0u);
  ASSERT_GE(rle.size(), 2u);
  EXPECT_EQ(Row(rle.end() - 2, rle.end()), (Row{0, 1}));
  bmp::Status s;
  EXPECT_EQ(Decode(rle, width, height, bits, &s), pixels) << "width " << width;
  EXPECT_TRUE(s.ok());
}

INSTANTIATE_TEST_SUITE_P(Widths, RleRoundTrip,
                         testing::Combine(testing::Range(1, 10), testing::Values(4, 8)));

TEST(Rle4Encoder, AlternatingPatternBecomesRunsOfTwo) {
  // 1 2 1 2 1 2 1 2: each pair repeats, coded as pairs of two pixels
  const Row pixels = {0x12, 0x12, 0x12, 0x12};
  const Row rle = bmp::EncodeRle4(pixels.data(), 8, 1, 4);
  EXPECT_EQ(rle, (Row{2, 0x12, 2, 0x12, 2, 0x12, 2, 0x12, 0, 0, 0, 1}));
}

TEST(Rle4Encoder, EqualNibblesRunLong) {
  const Row pixels = {0x77, 0x77, 0x77, 0x77};
  EXPECT_EQ(bmp::EncodeRle4(pixels.data(), 8, 1, 4), (Row{8, 0x77, 0, 0, 0, 1}));
}

// Bad data: each is clipped to the image and reported.
TEST(RleDecoder, ClipsAndReportsDataOutsideTheImage) {
  const struct { const char* what; Row rle; bmp::Code code; Row pixels; } cases[] = {
      {"run past the row", {6, 4, 0, 1}, bmp::Code::RleRunPastRow, {4, 4, 4, 4, 0, 0, 0, 0}},
      {"absolute run past the row", {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}, bmp::Code::RleRunPastRow,
       {1, 2, 3, 4, 0, 0, 0, 0}},
      {"delta past the last row", {0, 2, 0, 9, 1, 1, 0, 1}, bmp::Code::RlePastImage,
       Row(8, 0)},
      {"ends of line past the last row", {0, 0, 0, 0, 0, 0, 2, 8, 0, 1},
       bmp::Code::RlePastImage, Row(8, 0)},
      {"absolute run cut off", {0, 9, 1, 2}, bmp::Code::RleDataEnd, Row(8, 0)},
      {"no end of bitmap", {2, 3}, bmp::Code::RleDataEnd, {3, 3, 0, 0, 0, 0, 0, 0}},
      {"half an item", {2}, bmp::Code::RleDataEnd, Row(8, 0)},
      {"delta cut off", {0, 2, 1}, bmp::Code::RleDataEnd, Row(8, 0)},
  };
  for (const auto& c : cases) {
    bmp::Status s;
    EXPECT_EQ(Decode(c.rle, 4, 2, 8, &s), c.pixels) << c.what;
    EXPECT_EQ(s.code, c.code) << c.what;
  }
}

TEST(RleDecoder, ReportsTheFirstFaultAndGoesOn) {
  bmp::Status s;
  const Row out = Decode({6, 4, 0, 0, 2, 5, 0, 1}, 4, 2, 8, &s);
  EXPECT_EQ(out, (Row{4, 4, 4, 4, 5, 5, 0, 0}));
  EXPECT_EQ(s.code, bmp::Code::RleRunPastRow);
}

}  // namespace
