// The Julia preview's image, row by row through the kernel calls of the chosen packing.
// The window, the mouse mapping, the caption and the presentation are the main window's
// (explorer/juliapreview/MainJuliaPreview.cpp).
#include "explorer/render/JuliaPreview.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "explorer/render/RowIteration.h"
#include "kernels/itercore.h"

namespace {

// The counts of the n points x, x + step, ... on imaginary y, for the Julia constant c.
void PreviewGroup(TRenderKernel kernel, long double x, long double y, long double step,
                  long double cRe, long double cIm, long double bailout, std::int32_t* counts) {
  const std::uint32_t limit = PreviewMaxIterations;
  switch (kernel) {
    case TRenderKernel::SSE2:
      iterate_SSE2(&counts[0], &counts[1], double(cRe), double(cRe), double(cIm), double(x),
                   double(x + step), double(y), double(bailout), limit);
      break;
    case TRenderKernel::SSE:
      iterate_SSE(&counts[0], &counts[1], &counts[2], &counts[3], float(cRe), float(cRe),
                  float(cRe), float(cRe), float(cIm), float(x), float(x + step),
                  float(x + 2 * step), float(x + 3 * step), float(y), float(bailout), limit);
      break;
    case TRenderKernel::ThreeDNow:
      iterate_3DNOW(&counts[0], &counts[1], float(cRe), float(cRe), float(cIm), float(x),
                    float(x + step), float(y), float(bailout), limit);
      break;
    case TRenderKernel::FPU:
      counts[0] = static_cast<std::int32_t>(iterate_FPU(cRe, cIm, x, y, bailout, limit));
      break;
  }
}

}  // namespace

TPreviewSize PreviewClientSize(std::int32_t screenWidth) {
  TPreviewSize size;
  size.Width = screenWidth / 4;
  size.Height = static_cast<std::int32_t>(std::nearbyint(size.Width * 0.75));
  return size;
}

void RenderJuliaPreviewImage(const TPreviewImage& image, TRenderKernel kernel, long double cRe,
                             long double cIm, long double step, long double bailout) {
  const std::int32_t n = PointsPerCall(kernel);
  const std::int32_t calls = image.Width / n;
  const long double startX = -2.0L - n * step;
  long double y = 1.5L;
  std::int32_t counts[4];
  for (std::int32_t r = 0; r < image.Height; ++r) {
    std::uint8_t* line = image.FirstRow + r * image.RowStride;
    y -= step;
    long double x = startX;
    for (std::int32_t i = 0; i < calls; ++i) {
      x += n * step;
      PreviewGroup(kernel, x, y, step, cRe, cIm, bailout, counts);
      // The SSE kernels report limit + 1 for a point that never escaped, the others the
      // limit: both keep the fill colour.
      for (std::int32_t k = 0; k < n; ++k)
        if (counts[k] < PreviewMaxIterations) line[i * n + k] = PreviewGrey(counts[k]);
    }
  }
}

std::string PreviewCoordinateText(long double value) {
  // Twelve significant digits fit a double; rounding to them first makes the sixth
  // decimal of a value with many integer digits the rounded one.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.11e", double(value));
  const double rounded = std::strtod(buffer, nullptr);
  std::snprintf(buffer, sizeof buffer, std::fabs(rounded) >= 1e12 ? "%.11E" : "%.6f", rounded);
  return buffer;
}
