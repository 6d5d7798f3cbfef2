// The print window's arithmetic, portable: the size fields' first values from the page
// and their aspect locks, the normal print's rectangle on the page, the page preview's
// scale and the picture's place in it, and where a printer render starts on the page.
// The window that uses it is PrintWindow.h.
#pragma once

#include <cstdint>

// To the nearest whole number, halves to the even neighbour.
std::int32_t Nearest(long double v);

struct TIntRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TIntRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
};

// The aspect locks: "4:3", "16:10" and "16:9", height over width.
constexpr long double Ratio43 = 0.75L;
constexpr long double Ratio1610 = 0.625L;
constexpr long double Ratio169 = 0.5625L;

// The largest 4:3 picture that fits the printable page: on a page wider than 4:3 the
// page height and the 4:3 width with its two low bits cleared, else the page width (two
// low bits cleared) and three quarters of the unrounded page width.
struct TPictureSize {
  std::int32_t Width = 0, Height = 0;
};
TPictureSize FirstOpeningSize(std::int32_t pageWidth, std::int32_t pageHeight);

// The normal print: the picture of bitmapWidth x bitmapHeight scaled by the page's
// smaller ratio times fraction, sizes truncated, centred in the printable page.
TIntRect NormalPrintRect(std::int32_t pageWidth, std::int32_t pageHeight, std::int32_t bitmapWidth,
                         std::int32_t bitmapHeight, long double fraction);

// The page preview: printer pixels per preview pixel at 96 dots per inch (the paper's
// longer side is 160 of them), and a printer length in preview pixels at ppi.
long double PreviewScaleOf(std::int32_t paperWidth, std::int32_t paperHeight);
std::int32_t ToPreview(long double printerPixels, long double scale, std::int32_t ppi);

// The preview's picture in printer pixels of the paper: the surface scaled by the page's
// smaller ratio times fraction (sizes to the nearest), centred in the printable page,
// which sits at (offsetX, offsetY) on the paper.
TIntRect PreviewPictureRect(std::int32_t pageWidth, std::int32_t pageHeight, std::int32_t offsetX,
                            std::int32_t offsetY, std::int32_t surfaceWidth,
                            std::int32_t surfaceHeight, long double fraction);

// Where a printer render puts its first pixel: the first row, (page height - image
// height) div 2, and the first column, ((page width - image width) div divisor) x the
// points per call; negative when the image is larger than the page.
struct TPrintOrigin {
  std::int32_t FirstRow = 0;
  std::int32_t FirstGroup = 0;
};
TPrintOrigin PrinterRenderOrigin(std::int32_t pageWidth, std::int32_t pageHeight,
                                 std::int32_t imageWidth, std::int32_t imageHeight,
                                 std::int32_t marginDivisor);
