// The print window's arithmetic: first-opening sizes for landscape and portrait pages,
// the aspect locks' rounding, the normal print's rectangle, the preview's scale and
// picture, and where a printer render starts.
#include <gtest/gtest.h>

#include "explorer/print/PrintGeometry.h"

namespace {

TEST(PrintGeometry, NearestTakesHalvesToTheEvenNeighbour) {
  const struct {
    long double v;
    std::int32_t n;
  } cases[] = {{562.5L, 562}, {563.5L, 564}, {1746.75L, 1747}, {-2.5L, -2}, {3105.33L, 3105}};
  for (const auto& c : cases) EXPECT_EQ(Nearest(c.v), c.n) << double(c.v);
}

TEST(PrintGeometry, FirstOpeningSizeIsTheLargest43PictureOnThePage) {
  const struct {
    const char* what;
    std::int32_t pageW, pageH, width, height;
  } cases[] = {
      // A4 at 300 dpi with 18 pt margins, landscape: full height, 4:3 width to a multiple of 4.
      {"landscape", 3358, 2329, 3104, 2329},
      // Portrait: the width to a multiple of 4, three quarters of the unrounded width.
      {"portrait", 2329, 3358, 2328, 1747},
      {"exactly 4:3", 400, 300, 400, 300},
      {"square", 1001, 1001, 1000, 751},
  };
  for (const auto& c : cases) {
    const TPictureSize s = FirstOpeningSize(c.pageW, c.pageH);
    EXPECT_EQ(s.Width, c.width) << c.what;
    EXPECT_EQ(s.Height, c.height) << c.what;
  }
}

TEST(PrintGeometry, NormalPrintIsCentredAndTruncated) {
  const struct {
    const char* what;
    std::int32_t pageW, pageH, bmpW, bmpH;
    long double fraction;
    TIntRect r;
  } cases[] = {
      // k = 2329 / 640; w = trunc(2212.55), h = trunc(1659.41).
      {"portrait page, 95 %", 2329, 3358, 640, 480, 0.95L, {58, 849, 2270, 2508}},
      // 100 % touches the left and right edges of a page narrower than the picture.
      {"portrait page, 100 %", 2329, 3358, 640, 480, 1.0L, {0, 806, 2329, 2552}},
      // A picture wider than the page fills the width and is centred vertically.
      {"wide picture, 100 %", 3358, 2329, 1600, 400, 1.0L, {0, 745, 3358, 1584}},
      {"tall picture, 100 %", 3358, 2329, 300, 600, 1.0L, {1097, 0, 2261, 2329}},
      {"1 %", 2329, 3358, 640, 480, 0.01L, {1153, 1670, 1176, 1687}},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalPrintRect(c.pageW, c.pageH, c.bmpW, c.bmpH, c.fraction), c.r) << c.what;
}

TEST(PrintGeometry, PreviewShowsTheLongerPaperSideAs160Pixels) {
  const long double portrait = PreviewScaleOf(2479, 3508);
  EXPECT_EQ(ToPreview(3508, portrait, 96), 160);
  EXPECT_EQ(ToPreview(2479, portrait, 96), 113);
  EXPECT_EQ(ToPreview(3508, portrait, 120), 200);
  const long double landscape = PreviewScaleOf(3508, 2479);
  EXPECT_EQ(ToPreview(3508, landscape, 96), 160);
  EXPECT_EQ(ToPreview(75, landscape, 96), 3);
}

TEST(PrintGeometry, PreviewPictureSitsOnThePrintableAreaOfThePaper) {
  // As the normal print but with sizes to the nearest and the margin added.
  EXPECT_EQ(PreviewPictureRect(2329, 3358, 75, 75, 640, 480, 0.95L), (TIntRect{133, 924, 2346, 2583}));
  // A surface wider than the page: full share of the width, centred vertically.
  EXPECT_EQ(PreviewPictureRect(2329, 3358, 75, 75, 1600, 400, 1.0L), (TIntRect{75, 1463, 2404, 2045}));
}

TEST(PrintGeometry, PrinterRenderStartsCentredByGroups) {
  const struct {
    const char* what;
    std::int32_t pageW, pageH, w, h, divisor, row, group;
  } cases[] = {
      {"x87: divisor 2", 2329, 3358, 40, 20, 2, 1669, 1144},
      {"SSE2: divisor 4", 2329, 3358, 40, 20, 4, 1669, 572},
      {"SSE: divisor 8", 2329, 3358, 40, 20, 8, 1669, 286},
      // Larger than the page: negative, truncated toward zero.
      {"overhanging", 2329, 3358, 2340, 3361, 4, -1, -2},
  };
  for (const auto& c : cases) {
    const TPrintOrigin o = PrinterRenderOrigin(c.pageW, c.pageH, c.w, c.h, c.divisor);
    EXPECT_EQ(o.FirstRow, c.row) << c.what;
    EXPECT_EQ(o.FirstGroup, c.group) << c.what;
  }
}

}  // namespace
