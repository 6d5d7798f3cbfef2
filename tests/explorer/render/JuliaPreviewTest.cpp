// The Julia preview's image: grey levels of escape counts, the columns a packing leaves
// with the fill colour, every pixel against the scalar reference model of each kernel for
// a known constant, and the caption's number text.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/kernels/kernel_model.h"
#include "explorer/render/JuliaPreview.h"
#include "tests/explorer/render/X87ControlWord.h"

namespace {

const std::uint8_t Fill = 0xE0;

// A top-down image filled with the preview's light grey.
struct Image {
  Image(int width, int height) : Pixels(size_t(width) * height, Fill) {
    View.FirstRow = Pixels.data();
    View.RowStride = width;
    View.Width = width;
    View.Height = height;
  }
  std::uint8_t At(int x, int y) const { return Pixels[size_t(y) * View.Width + x]; }
  std::vector<std::uint8_t> Pixels;
  TPreviewImage View;
};

TRenderKernel KernelOf(KernelId id) {
  switch (id) {
    case kSSE2: return TRenderKernel::SSE2;
    case kSSE: return TRenderKernel::SSE;
    case k3DNow: return TRenderKernel::ThreeDNow;
    default: return TRenderKernel::FPU;
  }
}

TEST(JuliaPreviewGrey, CountsWrapAtThirtyTwo) {
  const struct { std::int32_t Count; std::uint8_t Grey; } cases[] = {
      {1, 8}, {2, 16}, {31, 248}, {32, 0}, {33, 8}, {149, 168}};
  for (const auto& c : cases) EXPECT_EQ(PreviewGrey(c.Count), c.Grey) << "count " << c.Count;
}

// Every point of c = 10 escapes in its first iteration (grey 8): what keeps the fill colour
// is only what the packing leaves out.
class JuliaPreviewKernels : public KernelTest {
protected:
  ScopedControlWord ControlWord{ExplorerControlWord};
};

TEST_P(JuliaPreviewKernels, ColumnsBeyondTheLastWholeGroupKeepTheFill) {
  const Kernel& k = GetParam();
  for (int width : {8, 9, 10, 11, 13}) {
    Image image(width, 3);
    RenderJuliaPreviewImage(image.View, KernelOf(k.id), 10.0L, 0.0L, 4.0L / width, 4.0L);
    const int per = k.id == kFPU ? 1 : k.points;
    const int covered = width / per * per;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x)
        EXPECT_EQ(image.At(x, y), x < covered ? 8 : Fill)
            << k.name << " width " << width << " at " << x << "," << y;
  }
}

// c = -0.4 + 0.6i: a connected Julia set with counts from 1 to the limit in a small image;
// every pixel is the grey of the reference model's count for its plane point.
TEST_P(JuliaPreviewKernels, PixelsAreTheReferenceCountsOfTheirPoints) {
  const Kernel& k = GetParam();
  const int width = 64, height = 48;
  const long double step = 4.0L / width, cRe = -0.4L, cIm = 0.6L, bailout = 4.0L;
  Image image(width, height);
  RenderJuliaPreviewImage(image.View, KernelOf(k.id), cRe, cIm, step, bailout);

  const int per = k.id == kFPU ? 1 : k.points;
  int inside = 0, escaped = 0;
  long double y = 1.5L;
  for (int r = 0; r < height; ++r) {
    y -= step;
    long double x = -2.0L - per * step;
    for (int i = 0; i < width / per; ++i) {
      x += per * step;
      Group g{};
      for (int p = 0; p < 4; ++p) {
        g.cr[p] = cRe;
        g.zr[p] = x + (p < per ? p : 0) * step;
      }
      g.ci = cIm;
      g.zi = y;
      g.bailout = bailout;
      g.maxiter = PreviewMaxIterations;
      const Counts counts = k.model(g);
      for (int p = 0; p < per; ++p) {
        const std::uint32_t n = counts[p];
        const std::uint8_t expected = n < 150 ? PreviewGrey(std::int32_t(n)) : Fill;
        (n < 150 ? escaped : inside)++;
        ASSERT_EQ(image.At(i * per + p, r), expected)
            << k.name << " column " << i * per + p << " row " << r << " count " << n;
      }
    }
  }
  EXPECT_GT(inside, 20) << k.name;
  EXPECT_GT(escaped, 100) << k.name;
}

INSTANTIATE_TEST_SUITE_P(AllKernels, JuliaPreviewKernels, ::testing::ValuesIn(kKernels),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JuliaPreviewSize, QuarterOfTheScreenByThreeQuarters) {
  const struct { int Screen, Width, Height; } cases[] = {
      {1920, 480, 360}, {1366, 341, 256}, {1280, 320, 240}, {1024, 256, 192}, {1030, 257, 193},
      {1048, 262, 196} /* 196.5: ties go to the even neighbour */};
  for (const auto& c : cases) {
    const TPreviewSize size = PreviewClientSize(c.Screen);
    EXPECT_EQ(size.Width, c.Width) << c.Screen;
    EXPECT_EQ(size.Height, c.Height) << c.Screen;
  }
}

TEST(JuliaPreviewCaption, FixedWithSixDecimalsOfTwelveDigits) {
  const struct { long double Value; const char* Text; } cases[] = {
      {-0.75L, "-0.750000"},
      {0.1234567L, "0.123457"},
      {0.0L, "0.000000"},
      {-1.2345678901234L, "-1.234568"},
      {123456.78912345L, "123456.789123"},
      {1234567.8912345L, "1234567.891230"},
  };
  for (const auto& c : cases) EXPECT_EQ(PreviewCoordinateText(c.Value), c.Text);
}

}  // namespace
