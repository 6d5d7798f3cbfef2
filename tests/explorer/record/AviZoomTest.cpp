// The zoom flight's arithmetic as tables: one step in on several surfaces, a step out
// after a step in, steps too large for the surface, the flight's silent precision rule
// with its two thresholds, and the record window's text rules (zoom steps, client
// width, frame rate and size). Runs with the explorer's x87 control word.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "explorer/record/AviZoom.h"
#include "tests/explorer/ViewArithmeticFixture.h"

namespace {

using AviZoomArithmetic = ViewArithmetic;

struct StepCase {
  int K, W, H;
  long double Columns, Rows;  // pixel steps lost at each side and at the top and bottom
};

class AviStepIn : public AviZoomArithmetic, public ::testing::WithParamInterface<StepCase> {};

TEST_P(AviStepIn, ShrinksByKColumnsAndMatchingRowsAboutTheCentre) {
  const StepCase c = GetParam();
  const TPlaneView v = DefaultView();
  const TNavGeometry g = GeometryFor(v, c.W, c.H);
  const TPlaneView in = AviZoomIn(v, c.K, g);
  EXPECT_EQ(in.Width, v.Width - 2 * c.Columns * g.StepX);
  EXPECT_EQ(in.Height, v.Height - 2 * c.Rows * g.StepY);
  EXPECT_EQ(in.Left, v.Left + c.Columns * g.StepX);
  EXPECT_EQ(in.Top, v.Top - c.Rows * g.StepY);
  // The centre stays where it was.
  EXPECT_NEAR(double(in.Left + in.Width / 2), double(v.Left + v.Width / 2), 1e-15);
  EXPECT_NEAR(double(in.Top - in.Height / 2), double(v.Top - v.Height / 2), 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Surfaces, AviStepIn,
                         ::testing::Values(StepCase{8, 640, 480, 8, 6}, StepCase{4, 640, 480, 4, 3},
                                           StepCase{64, 640, 480, 64, 48},
                                           StepCase{8, 320, 192, 8, 4.8L},
                                           StepCase{16, 1024, 576, 16, 9}));

class AviRoundTrip : public AviZoomArithmetic, public ::testing::WithParamInterface<StepCase> {};

// From the default view a step out after a step in gives the view back bit for bit.
TEST_P(AviRoundTrip, AStepOutAfterAStepInRestoresTheView) {
  const StepCase c = GetParam();
  const TPlaneView v = DefaultView();
  const TPlaneView in = AviZoomIn(v, c.K, GeometryFor(v, c.W, c.H));
  TAviZoomFactors f;
  // The render between the steps gives the step out the new pixel steps.
  const TPlaneView out = AviZoomOut(in, c.K, GeometryFor(in, c.W, c.H), f);
  EXPECT_EQ(f.X, static_cast<long double>(c.W) / (c.W - 2 * c.K));
  EXPECT_EQ(out.Width, v.Width);
  EXPECT_EQ(out.Height, v.Height);
  EXPECT_EQ(out.Left, v.Left);
  EXPECT_EQ(out.Top, v.Top);
}

INSTANTIATE_TEST_SUITE_P(Surfaces, AviRoundTrip,
                         ::testing::Values(StepCase{8, 640, 480, 8, 6}, StepCase{32, 640, 480, 32, 24},
                                           StepCase{8, 320, 192, 8, 4.8L},
                                           StepCase{99, 800, 600, 99, 74.25L}));

// Not every view comes back bit for bit: the step out uses the pixel step of the render
// in between, the new height divided by the surface height, and that quotient is rounded
// to 64 bits. What is lost stays far below a pixel: under 1e-13 pixel steps.
TEST_F(AviZoomArithmetic, AnyViewComesBackToWithinAFractionOfAPixel) {
  const int steps[] = {4, 8, 16, 32, 64, 99};
  const int sizes[][2] = {{640, 480}, {800, 600}, {320, 192}, {1024, 576}, {256, 192}};
  unsigned seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  for (int i = 0; i < 3000; ++i) {
    const int k = steps[next() % 6];
    const int* s = sizes[next() % 5];
    const long double h = std::ldexp(static_cast<long double>(next() % 100000 + 1) / 100000, -int(next() % 40));
    const TPlaneView v{-static_cast<long double>(next() % 1000) / 500, static_cast<long double>(next() % 1000) / 700,
                       h * s[0] / s[1], h};
    const TPlaneView in = AviZoomIn(v, k, GeometryFor(v, s[0], s[1]));
    TAviZoomFactors f;
    const TPlaneView out = AviZoomOut(in, k, GeometryFor(in, s[0], s[1]), f);
    const long double px = v.Height / s[1];
    for (long double d : {out.Width - v.Width, out.Height - v.Height, out.Left - v.Left, out.Top - v.Top})
      ASSERT_LT(std::fabs(d) / px, 1e-13L) << "k " << k << " on " << s[0] << " x " << s[1] << ", height "
                                           << double(h);
  }
}

TEST_F(AviZoomArithmetic, ManyStepsInThenAsManyOutComeBack) {
  const TPlaneView v = DefaultView();
  TPlaneView view = v;
  for (int i = 0; i < 50; ++i) view = AviZoomIn(view, 8, GeometryFor(view, 640, 480));
  EXPECT_LT(view.Width, v.Width / 3);
  TAviZoomFactors f;
  for (int i = 0; i < 50; ++i) view = AviZoomOut(view, 8, GeometryFor(view, 640, 480), f);
  EXPECT_NEAR(double(view.Width), double(v.Width), 1e-15);
  EXPECT_NEAR(double(view.Left), double(v.Left), 1e-15);
}

TEST_F(AviZoomArithmetic, AZeroDivisorLeavesThatAxisUnchanged) {
  const TPlaneView v = DefaultView();
  TNavGeometry g = GeometryFor(v, 640, 480);
  g.RenderWidth = 16;  // 16 - 2 x 8 = 0
  TAviZoomFactors f;
  const TPlaneView out = AviZoomOut(v, 8, g, f);
  EXPECT_EQ(f.X, 0);
  EXPECT_EQ(out.Width, v.Width);
  EXPECT_EQ(out.Left, v.Left);
  EXPECT_GT(out.Height, v.Height);
}

TEST_F(AviZoomArithmetic, AStepMustLeaveSomeOfTheSurface) {
  const struct {
    int K, W, H;
    bool Fits;
  } cases[] = {{8, 640, 480, true},   {319, 640, 480, true}, {320, 640, 480, false},
               {400, 640, 480, false}, {99, 256, 192, true},  {0, 640, 480, false},
               {8, 16, 12, false},     {8, 17, 12, true},     {8, 0, 0, false}};
  for (const auto& c : cases)
    EXPECT_EQ(AviZoomStepFits(c.K, c.W, c.H), c.Fits) << c.K << " on " << c.W << " x " << c.H;
}

struct PrecisionCase {
  const char* What;
  long double Width, Height;
  TKernelSwitches Before;
  int HasSSE2;
  TKernelSwitches After;
};

TEST_F(AviZoomArithmetic, SilentPrecisionRuleMovesSseToSse2ToX87) {
  const TKernelSwitches sse{0, -1, 0}, sse2{-1, 0, 0}, now3d{0, 0, -1}, x87{0, 0, 0};
  const PrecisionCase cases[] = {
      {"SSE stays above 1e-4", 2e-4L, 1.5e-4L, sse, 1, sse},
      {"exactly 1e-4 is not below it", 1.3e-4L, 1e-4, sse, 1, sse},
      {"SSE gives way to SSE2 just below 1e-4", 9.9e-5L, 7.5e-5L, sse, 1, sse2},
      {"where the interactive rule (7e-5) would not yet act", 8e-5L, 8e-5L, sse, 1, sse2},
      {"the height alone decides as well", 1.0L, 5e-5L, sse, 1, sse2},
      {"3DNow! gives way too", 5e-5L, 3.75e-5L, now3d, 1, sse2},
      {"without SSE2 the x87 kernel", 5e-5L, 3.75e-5L, sse, 0, x87},
      {"SSE2 stays above 5e-13", 6e-13L, 5.1e-13L, sse2, 1, sse2},
      {"SSE2 gives way to x87 below 5e-13", 4.9e-13L, 3.7e-13L, sse2, 1, x87},
      {"where the interactive rule (9e-14) would not yet act", 1e-13L, 1e-13L, sse2, 1, x87},
      {"SSE far down goes straight to x87", 4e-13L, 3e-13L, sse, 1, x87},
      {"SSE between 5e-12 and 5e-13 goes to x87", 1e-12L, 1e-12L, sse, 1, x87},
      {"nothing comes back on when zooming out", 3.2L, 2.4L, x87, 1, x87},
      {"a view turned by half a turn counts by its size", -9e-5L, -6.75e-5L, sse, 1, sse2},
  };
  for (const PrecisionCase& c : cases) {
    const TKernelSwitches after =
        ApplyGuardSteps(c.Before, AviPrecisionSteps(c.Width, c.Height, c.Before, c.HasSSE2));
    EXPECT_EQ(after.UseSSE2, c.After.UseSSE2) << c.What;
    EXPECT_EQ(after.UseSSE, c.After.UseSSE) << c.What;
    EXPECT_EQ(after.Use3DNow, c.After.Use3DNow) << c.What;
  }
}

TEST(AviRecordTexts, ZoomStepsOutsideOneToNinetyNineAreRefused) {
  const struct {
    const char* Text;
    bool Accepted;
  } cases[] = {{"8", true},    {"1", true},   {"99", true}, {"64", true}, {"0", false},
               {"100", false}, {"abc", false}, {"", false},  {"-4", false}, {"4x", false},
               {" 8", false}};
  for (const auto& c : cases) EXPECT_EQ(ZoomStepsAccepted(c.Text), c.Accepted) << '"' << c.Text << '"';
}

TEST(AviRecordTexts, ClientHeightIsThreeQuartersOfTheWidthRoundedToEven) {
  const struct {
    const char* Text;
    bool Number;
    int Height;
  } cases[] = {{"640", true, 480}, {"641", true, 481}, {"642", true, 482}, {"646", true, 484},
               {"2", true, 2},     {"6", true, 4},     {"0", true, 0},     {"abc", false, 0},
               {"", false, 0},     {"64.5", false, 0}};
  for (const auto& c : cases) {
    std::int32_t h = -1;
    EXPECT_EQ(ClientHeightForWidth(c.Text, h), c.Number) << c.Text;
    if (c.Number) {
      EXPECT_EQ(h, c.Height) << c.Text;
    }
  }
}

TEST(AviRecordTexts, FrameRatesFitEightBitsAndAreNeverZero) {
  const struct {
    const char* Text;
    bool Accepted;
    int Fps;
  } cases[] = {{"30", true, 30}, {"1", true, 1},     {"255", true, 255}, {"256", false, 0},
               {"0", false, 0},  {"-30", false, 0},  {"abc", false, 0},  {"", false, 0},
               {"30 ", false, 0}, {"99999999999", false, 0}};
  for (const auto& c : cases) {
    std::uint8_t fps = 0;
    EXPECT_EQ(ParseFrameRate(c.Text, fps), c.Accepted) << c.Text;
    if (c.Accepted) {
      EXPECT_EQ(fps, c.Fps) << c.Text;
    }
  }
}

TEST(AviRecordTexts, FrameSidesAreWholeNumbersFromOne) {
  const struct {
    const char* Text;
    bool Accepted;
  } cases[] = {{"640", true}, {"322", true}, {"1", true}, {"0", false}, {"-8", false}, {"x", false}};
  for (const auto& c : cases) {
    std::int32_t side = 0;
    EXPECT_EQ(ParseFrameSide(c.Text, side), c.Accepted) << c.Text;
  }
}

}  // namespace
