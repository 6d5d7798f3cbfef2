// The print window's arithmetic declared in PrintGeometry.h. Products are taken in
// extended precision, as the window's own fields are.
#include "explorer/print/PrintGeometry.h"

#include <algorithm>
#include <cmath>

std::int32_t Nearest(long double v) {
  // nearbyint rounds in the current mode: to nearest, ties to even.
  return static_cast<std::int32_t>(std::nearbyint(v));
}

TPictureSize FirstOpeningSize(std::int32_t pageWidth, std::int32_t pageHeight) {
  TPictureSize size;
  if (pageWidth * Ratio43 > pageHeight) {
    size.Height = pageHeight;
    size.Width = Nearest(pageHeight / Ratio43) & ~3;
  } else {
    size.Width = pageWidth & ~3;
    size.Height = Nearest(pageWidth * Ratio43);
  }
  return size;
}

namespace {

long double PageScale(std::int32_t pageWidth, std::int32_t pageHeight, std::int32_t width,
                      std::int32_t height) {
  return std::min(static_cast<long double>(pageHeight) / height,
                  static_cast<long double>(pageWidth) / width);
}

TIntRect Centred(std::int32_t pageWidth, std::int32_t pageHeight, std::int32_t w, std::int32_t h,
                 std::int32_t offsetX, std::int32_t offsetY) {
  TIntRect r;
  r.Left = (pageWidth - w) / 2 + offsetX;  // C++ division truncates toward zero
  r.Top = (pageHeight - h) / 2 + offsetY;
  r.Right = r.Left + w;
  r.Bottom = r.Top + h;
  return r;
}

}  // namespace

TIntRect NormalPrintRect(std::int32_t pageWidth, std::int32_t pageHeight, std::int32_t bitmapWidth,
                         std::int32_t bitmapHeight, long double fraction) {
  const long double k = PageScale(pageWidth, pageHeight, bitmapWidth, bitmapHeight);
  const auto w = static_cast<std::int32_t>(std::trunc(bitmapWidth * k * fraction));
  const auto h = static_cast<std::int32_t>(std::trunc(bitmapHeight * k * fraction));
  return Centred(pageWidth, pageHeight, w, h, 0, 0);
}

long double PreviewScaleOf(std::int32_t paperWidth, std::int32_t paperHeight) {
  return std::max(paperWidth / 160.0L, paperHeight / 160.0L);
}

std::int32_t ToPreview(long double printerPixels, long double scale, std::int32_t ppi) {
  return Nearest(printerPixels / scale * ppi / 96);
}

TIntRect PreviewPictureRect(std::int32_t pageWidth, std::int32_t pageHeight, std::int32_t offsetX,
                            std::int32_t offsetY, std::int32_t surfaceWidth,
                            std::int32_t surfaceHeight, long double fraction) {
  const long double k = PageScale(pageWidth, pageHeight, surfaceWidth, surfaceHeight);
  const std::int32_t w = Nearest(surfaceWidth * k * fraction);
  const std::int32_t h = Nearest(surfaceHeight * k * fraction);
  return Centred(pageWidth, pageHeight, w, h, offsetX, offsetY);
}

TPrintOrigin PrinterRenderOrigin(std::int32_t pageWidth, std::int32_t pageHeight,
                                 std::int32_t imageWidth, std::int32_t imageHeight,
                                 std::int32_t marginDivisor) {
  TPrintOrigin origin;
  origin.FirstRow = (pageHeight - imageHeight) / 2;
  origin.FirstGroup = (pageWidth - imageWidth) / marginDivisor;
  return origin;
}
