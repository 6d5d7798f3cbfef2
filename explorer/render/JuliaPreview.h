// The Julia preview's image: the Julia set of one constant c over the fixed region
// -2 .. 2 (real) by 1.5 downwards (imaginary), as 8-bit grey levels, with the kernel and
// the packing of the main render. Portable; the preview window (explorer/JuliaPreviewWindow.h) owns
// the bitmap, and the main window's mouse move (MainJuliaPreview.cpp) calls this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "explorer/render/RenderState.h"

// The preview's fixed iteration limit, whatever the main render's is.
constexpr std::int32_t PreviewMaxIterations = 150;

// Rows of 8-bit pixels: row r starts at FirstRow + r x RowStride (a bottom-up bitmap has
// a negative stride).
struct TPreviewImage {
  std::uint8_t* FirstRow = nullptr;
  std::ptrdiff_t RowStride = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// The preview's client size on a screen of the given width: a quarter of it, and 0.75 of
// that high (nearest, ties to even), so that the image spans 4 x 3 units of the plane.
struct TPreviewSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};
TPreviewSize PreviewClientSize(std::int32_t screenWidth);

// The grey level of an escape count below the limit: count x 8, wrapping at 256.
inline std::uint8_t PreviewGrey(std::int32_t count) {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(count) * 8u);
}

// Iterates every point of the image (z0 = the pixel's plane point, c shared) and stores
// the grey of each point that escaped below the limit; other pixels, and the last
// (width mod points-per-call) columns, keep what the image held. step is the plane
// distance between two pixels; both coordinates are accumulated step by step in
// extended precision, as the main render does.
void RenderJuliaPreviewImage(const TPreviewImage& image, TRenderKernel kernel, long double cRe,
                             long double cIm, long double step, long double bailout);

// A value of the preview's caption: fixed notation with 6 decimals after rounding to
// 12 significant digits (scientific beyond 12 integer digits).
std::string PreviewCoordinateText(long double value);
