// The navigation arithmetic declared in Navigation.h. Every formula keeps the order of
// its terms: the results are compared bit for bit with what the same extended-precision
// expressions give, so that a zoom in and out returns to the same view.
#include "explorer/navigation/Navigation.h"

#include <cmath>
#include <cstdlib>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the view arithmetic needs the x87 extended format");

long double SafeDiv(long double a, long double b) { return b == 0 ? 0.0L : a / b; }

std::int32_t RoundToEven(long double v) {
  const long double r = std::rint(v);  // the current rounding mode: nearest, ties to even
  if (!(std::fabs(r) < 2147483648.0L)) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

TSelPoint SnapSelectionEnd(TSelPoint start, std::int32_t mouseX, std::int32_t surfaceWidth,
                           std::int32_t surfaceHeight) {
  TSelPoint end;
  // C++ division truncates toward zero, as the snapping requires.
  const std::int64_t dx = (std::int64_t(mouseX) - start.X) / 4 * 4;
  end.X = static_cast<std::int32_t>(start.X + dx);
  // A surface has at least one column; a zero width would leave the height unknown.
  const long double aspect =
      surfaceWidth == 0 ? 0.0L : static_cast<long double>(surfaceHeight) / surfaceWidth;
  end.Y = static_cast<std::int32_t>(start.Y + std::int64_t(RoundToEven(aspect * dx)));
  return end;
}

bool SelectionZooms(TSelPoint start, TSelPoint end) {
  return std::llabs(std::int64_t(end.X) - start.X) > 2 &&
         std::llabs(std::int64_t(end.Y) - start.Y) > 2;
}

TPlaneView ZoomIntoSelection(const TPlaneView& v, TSelPoint s, TSelPoint e,
                             const TNavGeometry& g) {
  const long double sx = g.StepX, sy = g.StepY;
  const long double L = v.Left, T = v.Top;
  TPlaneView r;
  r.Width = (e.X * sx + L) - (s.X * sx + L);
  r.Height = (T - s.Y * sy) - (T - e.Y * sy);
  r.Left = s.X * sx + L;
  r.Top = T - s.Y * sy;
  return r;
}

TPlaneView ZoomOutOfSelection(const TPlaneView& v, TSelPoint s, TSelPoint e,
                              const TNavGeometry& g) {
  const long double sx = g.StepX, sy = g.StepY;
  const long double L = v.Left, T = v.Top, VW = v.Width, VH = v.Height;
  const std::int32_t W = g.RenderWidth, H = g.RenderHeight;
  const long double kx = SafeDiv(W, static_cast<long double>(e.X - s.X));
  const long double ky = SafeDiv(H, static_cast<long double>(e.Y - s.Y));
  TPlaneView r;
  r.Width = (L + VW + (W - e.X) * sx * kx) - (L - s.X * sx * kx);
  r.Height = (T + s.Y * sy * ky) - (T - VH - (H - e.Y) * sy * ky);
  r.Left = L - s.X * sx * kx;
  r.Top = T + s.Y * sy * ky;
  return r;
}

TPlaneView PanView(const TPlaneView& v, TSelPoint start, std::int32_t x, std::int32_t y,
                   const TNavGeometry& g) {
  TPlaneView r = v;
  r.Left = v.Left + (start.X - x) * g.StepX;
  r.Top = v.Top - (start.Y - y) * g.StepY;
  return r;
}

namespace {

// 8 SH / SW and 4 SH / SW, each one extended division of an integer product.
long double EightRows(const TNavGeometry& g) {
  return SafeDiv(8.0L * g.SurfaceHeight, static_cast<long double>(g.SurfaceWidth));
}
long double FourRows(const TNavGeometry& g) {
  return SafeDiv(4.0L * g.SurfaceHeight, static_cast<long double>(g.SurfaceWidth));
}

}  // namespace

TPlaneView KeypadZoomIn(const TPlaneView& v, const TNavGeometry& g) {
  const long double a = EightRows(g);
  TPlaneView r;
  r.Width = v.Width - 8 * g.StepX;
  r.Height = v.Height - a * g.StepY;
  r.Left = v.Left + 4 * g.StepX;
  r.Top = v.Top - FourRows(g) * g.StepY;
  return r;
}

TPlaneView KeypadZoomOut(const TPlaneView& v, const TNavGeometry& g) {
  const long double a = EightRows(g);
  const long double kx = SafeDiv(g.RenderWidth, g.RenderWidth - 8.0L);
  const long double ky = SafeDiv(g.RenderHeight, g.RenderHeight - a);
  TPlaneView r;
  r.Width = v.Width + 8 * g.StepX * kx;
  r.Height = v.Height + a * g.StepY * ky;
  r.Left = v.Left - 4 * g.StepX * kx;
  r.Top = v.Top + FourRows(g) * g.StepY * ky;
  return r;
}

TPlaneView MoveView(const TPlaneView& v, TArrow arrow, const TNavGeometry& g) {
  TPlaneView r = v;
  switch (arrow) {
    case TArrow::Left: r.Left = v.Left + 2 * g.StepX; break;
    case TArrow::Right: r.Left = v.Left - 2 * g.StepX; break;
    case TArrow::Up: r.Top = v.Top - 2 * g.StepY; break;
    case TArrow::Down: r.Top = v.Top + 2 * g.StepY; break;
  }
  return r;
}

void PlanePointAt(const TPlaneView& v, TSelPoint p, const TNavGeometry& g, long double& re,
                  long double& im) {
  re = p.X * g.StepX + v.Left;
  im = v.Top - p.Y * g.StepY;
}

TPlaneView JuliaStartView() { return TPlaneView{-2.0L, 1.5L, 4.0L, 3.0L}; }

TPlaneView DefaultView() {
  // The doubles nearest to -2.4, 1.2, 3.2 and 2.4, widened: not the nearest extendeds.
  return TPlaneView{static_cast<long double>(-2.4), static_cast<long double>(1.2),
                    static_cast<long double>(3.2), static_cast<long double>(2.4)};
}

TSelPoint CentringOffsets(std::int32_t displayWidth, std::int32_t displayHeight,
                          std::int32_t surfaceWidth, std::int32_t surfaceHeight) {
  return TSelPoint{(displayWidth - surfaceWidth) / 2, (displayHeight - surfaceHeight) / 2};
}

namespace {

bool EitherBelow(long double w, long double h, double limit) {
  const long double l = limit;
  return std::fabs(w) < l || std::fabs(h) < l;
}

bool BothAbove(long double w, long double h, double limit) {
  const long double l = limit;
  return std::fabs(w) > l && std::fabs(h) > l;
}

}  // namespace

TGuardSteps PrecisionStepsWithin(long double w, long double h, const TKernelSwitches& k,
                                 std::int32_t hasSSE2, double singleLimit, double doubleLimit) {
  TGuardSteps steps;
  bool sse2 = k.UseSSE2 != 0;
  if (EitherBelow(w, h, singleLimit) && (k.Use3DNow != 0 || k.UseSSE != 0)) {
    steps.SinglesOff = true;
    if (hasSSE2 != 0 && BothAbove(w, h, DoubleSwitchOnLimit)) {
      steps.Sse2On = true;
      sse2 = true;
    }
  }
  if (EitherBelow(w, h, doubleLimit) && sse2) steps.Sse2Off = true;
  return steps;
}

TGuardSteps PrecisionGuardSteps(long double w, long double h, const TKernelSwitches& k,
                                std::int32_t hasSSE2) {
  return PrecisionStepsWithin(w, h, k, hasSSE2, SinglePrecisionLimit, DoublePrecisionLimit);
}

TKernelSwitches ApplyGuardSteps(TKernelSwitches k, const TGuardSteps& steps) {
  if (steps.SinglesOff) k.UseSSE = k.Use3DNow = 0;
  if (steps.Sse2On) k.UseSSE2 = -1;
  if (steps.Sse2Off) k.UseSSE2 = 0;
  return k;
}

TKernelSwitches StartupPrecision(long double w, long double h, TKernelSwitches k,
                                 std::int32_t hasSSE2) {
  if (EitherBelow(w, h, SinglePrecisionLimit)) k.UseSSE = k.Use3DNow = 0;
  if (k.UseSSE == 0 && k.Use3DNow == 0 && hasSSE2 != 0 && BothAbove(w, h, DoubleSwitchOnLimit))
    k.UseSSE2 = -1;
  return k;
}
