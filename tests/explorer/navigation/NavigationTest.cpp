// The navigation arithmetic as tables: the snapped, aspect-locked selection, zooming in
// and out of it, the pan, keypad steps and arrows, and the precision rule, interactive and
// silent. Runs with the explorer's x87 control word, as the main thread does.
#include <gtest/gtest.h>

#include <cmath>

#include "explorer/navigation/Navigation.h"
#include "tests/explorer/ViewArithmeticFixture.h"

namespace {

using Nav = ViewArithmetic;

void ExpectView(const TPlaneView& v, long double left, long double top, long double width,
                long double height, long double tolerance = 1e-15L) {
  EXPECT_NEAR(double(v.Left), double(left), double(tolerance)) << "left";
  EXPECT_NEAR(double(v.Top), double(top), double(tolerance)) << "top";
  EXPECT_NEAR(double(v.Width), double(width), double(tolerance)) << "width";
  EXPECT_NEAR(double(v.Height), double(height), double(tolerance)) << "height";
}

struct SnapCase {
  const char* What;
  int StartX, StartY, MouseX, SW, SH;
  int EndX, EndY;
};

const SnapCase SnapCases[] = {
    {"17 pixels right snap to 16, 12 down", 100, 100, 117, 640, 480, 116, 112},
    {"a drag to the left also extends upward", 100, 100, 83, 640, 480, 84, 88},
    {"less than 4 pixels keeps the start", 100, 100, 103, 640, 480, 100, 100},
    {"3 pixels to the left keep the start", 100, 100, 97, 640, 480, 100, 100},
    {"4 pixels give the smallest 4:3 step", 100, 100, 104, 640, 480, 104, 103},
    {"16:9 surface: 16 across, 9 down", 0, 0, 16, 1280, 720, 16, 9},
    {"a tie of 2.5 rows goes to 2", 0, 0, 4, 640, 400, 4, 2},
    {"a tie of 7.5 rows goes to 8", 0, 0, 12, 640, 400, 12, 8},
    {"a tie of -2.5 rows goes to -2", 10, 10, 6, 640, 400, 6, 8},
};

class Snap : public Nav, public ::testing::WithParamInterface<SnapCase> {};

// The mouse row is no input of the snap: the window test drags with rows that disagree.
TEST_P(Snap, FarCornerFollowsTheMouseColumnOnly) {
  const SnapCase& c = GetParam();
  TSelPoint e = SnapSelectionEnd({c.StartX, c.StartY}, c.MouseX, c.SW, c.SH);
  EXPECT_EQ(e.X, c.EndX);
  EXPECT_EQ(e.Y, c.EndY);
}

INSTANTIATE_TEST_SUITE_P(Cases, Snap, ::testing::ValuesIn(SnapCases));

TEST_F(Nav, OnlySelectionsLongerThanTwoPixelsBothWaysZoom) {
  EXPECT_TRUE(SelectionZooms({10, 10}, {14, 13}));   // 4 x 3, the smallest on 4:3
  EXPECT_TRUE(SelectionZooms({10, 10}, {6, 7}));     // leftward
  EXPECT_FALSE(SelectionZooms({10, 10}, {13, 12}));  // 3 x 2
  EXPECT_FALSE(SelectionZooms({10, 10}, {30, 12}));
  EXPECT_FALSE(SelectionZooms({10, 10}, {12, 30}));
  EXPECT_FALSE(SelectionZooms({10, 10}, {10, 10}));
}

TEST_F(Nav, ZoomIntoACentredHalfShowsTheMiddleQuarter) {
  const TPlaneView v = DefaultView();
  const TNavGeometry g = GeometryFor(v, 640, 480);
  TPlaneView z = ZoomIntoSelection(v, {160, 120}, {480, 360}, g);
  ExpectView(z, -1.6L, 0.6L, 1.6L, 1.2L);
}

TEST_F(Nav, ZoomIntoALeftwardSelectionGivesANegativeView) {
  const TPlaneView v = DefaultView();
  const TNavGeometry g = GeometryFor(v, 640, 480);
  TSelPoint s{300, 200};
  TSelPoint e = SnapSelectionEnd(s, 200, 640, 480);  // (200, 125)
  TPlaneView z = ZoomIntoSelection(v, s, e, g);
  EXPECT_LT(z.Width, 0);
  EXPECT_LT(z.Height, 0);
  ExpectView(z, -2.4L + 300 * 0.005L, 1.2L - 200 * 0.005L, -100 * 0.005L, -75 * 0.005L);
}

TEST_F(Nav, CtrlZoomOutOfACentredHalfDoublesAboutTheCentre) {
  const TPlaneView v = DefaultView();
  const TNavGeometry g = GeometryFor(v, 640, 480);
  TPlaneView z = ZoomOutOfSelection(v, {160, 120}, {480, 360}, g);
  ExpectView(z, -4.0L, 2.4L, 6.4L, 4.8L, 1e-14L);
  EXPECT_NEAR(double(z.Left + z.Width / 2), double(v.Left + v.Width / 2), 1e-15);
  EXPECT_NEAR(double(z.Top - z.Height / 2), double(v.Top - v.Height / 2), 1e-15);
}

TEST_F(Nav, ZoomOutWithTheSameRectangleUndoesZoomIn) {
  const TPlaneView v = DefaultView();
  TSelPoint s{96, 40}, e = SnapSelectionEnd(s, 420, 640, 480);
  TPlaneView in = ZoomIntoSelection(v, s, e, GeometryFor(v, 640, 480));
  TPlaneView out = ZoomOutOfSelection(in, s, e, GeometryFor(in, 640, 480));
  ExpectView(out, v.Left, v.Top, v.Width, v.Height, 1e-15L);
}

TEST_F(Nav, PanMovesThePictureWithTheDrag) {
  const TPlaneView v = DefaultView();
  const TNavGeometry g = GeometryFor(v, 640, 480);
  TPlaneView p = PanView(v, {100, 100}, 110, 90, g);  // 10 right, 10 up
  ExpectView(p, v.Left - 10 * g.StepX, v.Top - 10 * g.StepY, v.Width, v.Height);
  EXPECT_EQ(p.Width, v.Width);
  EXPECT_EQ(p.Height, v.Height);
}

TEST_F(Nav, KeypadStepScalesByWMinus8OverWAboutTheCentre) {
  const TPlaneView v = DefaultView();
  TPlaneView in = KeypadZoomIn(v, GeometryFor(v, 640, 480));
  EXPECT_NEAR(double(in.Width / v.Width), 632.0 / 640.0, 1e-15);
  EXPECT_NEAR(double(in.Height / v.Height), 632.0 / 640.0, 1e-15);
  EXPECT_NEAR(double(in.Left + in.Width / 2), double(v.Left + v.Width / 2), 1e-15);
  EXPECT_NEAR(double(in.Top - in.Height / 2), double(v.Top - v.Height / 2), 1e-15);
}

struct KeypadCase {
  int W, H;
};

class KeypadRoundTrip : public Nav, public ::testing::WithParamInterface<KeypadCase> {};

TEST_P(KeypadRoundTrip, PlusThenMinusRestoresTheView) {
  const TPlaneView v = DefaultView();
  TPlaneView in = KeypadZoomIn(v, GeometryFor(v, GetParam().W, GetParam().H));
  // The render restarts between the steps: the minus step sees the new pixel steps.
  TPlaneView out = KeypadZoomOut(in, GeometryFor(in, GetParam().W, GetParam().H));
  ExpectView(out, v.Left, v.Top, v.Width, v.Height, 1e-17L);
}

INSTANTIATE_TEST_SUITE_P(Sizes, KeypadRoundTrip,
                         ::testing::Values(KeypadCase{640, 480}, KeypadCase{800, 600},
                                           KeypadCase{1280, 720}, KeypadCase{256, 192}));

TEST_F(Nav, ArrowsMoveTwoPixels) {
  const TPlaneView v = DefaultView();
  const TNavGeometry g = GeometryFor(v, 640, 480);
  const struct {
    TArrow Arrow;
    long double DLeft, DTop;
  } cases[] = {{TArrow::Left, 2, 0}, {TArrow::Right, -2, 0}, {TArrow::Up, 0, -2},
               {TArrow::Down, 0, 2}};
  for (const auto& c : cases) {
    TPlaneView m = MoveView(v, c.Arrow, g);
    EXPECT_EQ(m.Left, v.Left + c.DLeft * g.StepX);
    EXPECT_EQ(m.Top, v.Top + c.DTop * g.StepY);
    EXPECT_EQ(m.Width, v.Width);
    EXPECT_EQ(m.Height, v.Height);
  }
}

TEST_F(Nav, PlanePointUnderTheCursor) {
  const TPlaneView v = DefaultView();
  long double re, im;
  PlanePointAt(v, {320, 240}, GeometryFor(v, 640, 480), re, im);
  EXPECT_NEAR(double(re), -0.8, 1e-15);
  EXPECT_NEAR(double(im), 0.0, 1e-15);
}

TEST_F(Nav, SafeDivGivesZeroForAZeroDivisor) {
  EXPECT_EQ(SafeDiv(640, 0), 0.0L);
  EXPECT_EQ(SafeDiv(640, 320), 2.0L);
  EXPECT_EQ(SafeDiv(-3, 2), -1.5L);
}

TEST_F(Nav, DefaultViewHoldsTheDoublesWidened) {
  const TPlaneView v = DefaultView();
  EXPECT_EQ(v.Left, static_cast<long double>(-2.4));
  EXPECT_NE(v.Left, -2.4L);  // the extended nearest to -2.4 is another number
  EXPECT_EQ(v.Height, static_cast<long double>(2.4));
}

TEST_F(Nav, CentringOffsetsTruncate) {
  TSelPoint o = CentringOffsets(1920, 1080, 1440, 1080);
  EXPECT_EQ(o.X, 240);
  EXPECT_EQ(o.Y, 0);
  o = CentringOffsets(1281, 1024, 1280, 960);
  EXPECT_EQ(o.X, 0);
  EXPECT_EQ(o.Y, 32);
}

struct GuardCase {
  const char* What;
  long double Width, Height;
  TKernelSwitches Before;
  int HasSSE2;
  bool SinglesOff, Sse2On, Sse2Off;
  TKernelSwitches After;
};

constexpr TKernelSwitches X87{0, 0, 0}, Sse{0, -1, 0}, Now3D{0, 0, -1}, Sse2{-1, 0, 0};

const GuardCase GuardCases[] = {
    {"a wide view changes nothing", 1e-3L, 1e-3L, Sse, 1, false, false, false, Sse},
    {"narrow SSE view moves to SSE2", 6e-5L, 1e-3L, Sse, 1, true, true, false, Sse2},
    {"narrow height alone counts", 1e-3L, 6e-5L, Now3D, 1, true, true, false, Sse2},
    {"negative sizes are taken as magnitudes", -6e-5L, -6e-5L, Sse, 1, true, true, false, Sse2},
    {"without SSE2 the x87 kernel remains", 6e-5L, 6e-5L, Now3D, 0, true, false, false, X87},
    {"the limit itself is not below it", (long double)0.00007, 1e-3L, Sse, 1, false, false, false,
     Sse},
    {"just below the limit", (long double)0.00007 * (1 - 1e-15L), 1e-3L, Sse, 1, true, true, false,
     Sse2},
    {"SSE2 already on stays silent", 6e-5L, 6e-5L, Sse2, 1, false, false, false, Sse2},
    {"the x87 kernel is never switched", 1e-20L, 1e-20L, X87, 1, false, false, false, X87},
    {"too narrow for SSE2 to go on", 4e-12L, 4e-12L, Sse, 1, true, false, false, X87},
    {"5e-12 itself is not above it", (long double)5e-12, 1e-3L, Sse, 1, true, false, false, X87},
    {"SSE2 off below 9e-14", 8e-14L, 1e-3L, Sse2, 1, false, false, true, X87},
    {"9e-14 itself keeps SSE2", (long double)9e-14, 1e-3L, Sse2, 1, false, false, false, Sse2},
    {"a single kernel below 9e-14 only goes off", 8e-14L, 8e-14L, Sse, 1, true, false, false, X87},
};

class Guard : public Nav, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(Guard, StepsAndSwitches) {
  const GuardCase& c = GetParam();
  TGuardSteps s = PrecisionGuardSteps(c.Width, c.Height, c.Before, c.HasSSE2);
  EXPECT_EQ(s.SinglesOff, c.SinglesOff);
  EXPECT_EQ(s.Sse2On, c.Sse2On);
  EXPECT_EQ(s.Sse2Off, c.Sse2Off);
  TKernelSwitches k = ApplyGuardSteps(c.Before, s);
  EXPECT_EQ(k.UseSSE2, c.After.UseSSE2);
  EXPECT_EQ(k.UseSSE, c.After.UseSSE);
  EXPECT_EQ(k.Use3DNow, c.After.Use3DNow);
}

INSTANTIATE_TEST_SUITE_P(Cases, Guard, ::testing::ValuesIn(GuardCases));

struct StartupCase {
  const char* What;
  long double Width, Height;
  TKernelSwitches Before;
  int HasSSE2;
  TKernelSwitches After;
};

const StartupCase StartupCases[] = {
    {"the default view keeps SSE", 3.2L, 2.4L, Sse, 1, Sse},
    {"a 1e-6 view moves SSE to SSE2", 1e-6L, 0.75e-6L, Sse, 1, Sse2},
    {"a 1e-6 view without SSE2 leaves x87", 1e-6L, 0.75e-6L, Now3D, 0, X87},
    {"no single kernel: SSE2 even for a wide view", 3.2L, 2.4L, X87, 1, Sse2},
    {"a view too narrow for SSE2", 1e-13L, 1e-13L, Sse, 1, X87},
};

class Startup : public Nav, public ::testing::WithParamInterface<StartupCase> {};

TEST_P(Startup, SilentRule) {
  const StartupCase& c = GetParam();
  TKernelSwitches k = StartupPrecision(c.Width, c.Height, c.Before, c.HasSSE2);
  EXPECT_EQ(k.UseSSE2, c.After.UseSSE2);
  EXPECT_EQ(k.UseSSE, c.After.UseSSE);
  EXPECT_EQ(k.Use3DNow, c.After.Use3DNow);
}

INSTANTIATE_TEST_SUITE_P(Cases, Startup, ::testing::ValuesIn(StartupCases));

}  // namespace
