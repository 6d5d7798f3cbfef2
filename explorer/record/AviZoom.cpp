// The zoom flight's arithmetic and the record window's text rules, declared in AviZoom.h.
// The steps keep the order of their terms so that a zoom-out step undoes a zoom-in step.
#include "explorer/record/AviZoom.h"

namespace {

// k rows at the top or bottom that go with k columns at each side: the product in 32-bit
// integers, the quotient extended.
long double Rows(std::int32_t kTimes, const TNavGeometry& g) {
  return static_cast<long double>(kTimes * g.SurfaceHeight) / g.SurfaceWidth;
}

// An optional sign and decimal digits, nothing else, within 32 bits.
bool ParseWholeNumber(const std::string& text, std::int32_t& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size()) return false;
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

}  // namespace

TPlaneView AviZoomIn(const TPlaneView& v, std::int32_t k, const TNavGeometry& g) {
  TPlaneView r = v;
  r.Width = v.Width - 2 * k * g.StepX;
  r.Height = v.Height - Rows(2 * k, g) * g.StepY;
  r.Left = v.Left + k * g.StepX;
  r.Top = v.Top - Rows(k, g) * g.StepY;
  return r;
}

TPlaneView AviZoomOut(const TPlaneView& v, std::int32_t k, const TNavGeometry& g,
                      TAviZoomFactors& f) {
  f.X = SafeDiv(g.RenderWidth, g.RenderWidth - 2.0L * k);
  f.Y = SafeDiv(g.RenderHeight, g.RenderHeight - Rows(2 * k, g));
  TPlaneView r = v;
  r.Width = v.Width + 2 * k * g.StepX * f.X;
  r.Height = v.Height + Rows(2 * k, g) * g.StepY * f.Y;
  r.Left = v.Left - k * g.StepX * f.X;
  r.Top = v.Top + Rows(k, g) * g.StepY * f.Y;
  return r;
}

bool AviZoomStepFits(std::int32_t k, std::int32_t w, std::int32_t h) {
  if (k < 1 || w < 1 || h < 1) return false;
  const std::int64_t twoK = 2 * std::int64_t(k);
  // 2k × SH / SW < SH exactly when 2k < SW: the width decides for both axes.
  return twoK < w;
}

TGuardSteps AviPrecisionSteps(long double w, long double h, const TKernelSwitches& k,
                              std::int32_t hasSSE2) {
  return PrecisionStepsWithin(w, h, k, hasSSE2, AviSinglePrecisionLimit, AviDoublePrecisionLimit);
}

bool ZoomStepsAccepted(const std::string& text) {
  std::int32_t v = 0;
  return ParseWholeNumber(text, v) && v >= 1 && v <= 99;
}

bool ClientHeightForWidth(const std::string& widthText, std::int32_t& height) {
  std::int32_t w = 0;
  if (!ParseWholeNumber(widthText, w)) return false;
  height = RoundToEven(w * 0.75L);
  return true;
}

bool ParseFrameRate(const std::string& text, std::uint8_t& fps) {
  std::int32_t v = 0;
  if (!ParseWholeNumber(text, v) || v < 1 || v > 255) return false;
  fps = static_cast<std::uint8_t>(v);
  return true;
}

bool ParseFrameSide(const std::string& text, std::int32_t& side) {
  std::int32_t v = 0;
  if (!ParseWholeNumber(text, v) || v < 1) return false;
  side = v;
  return true;
}
