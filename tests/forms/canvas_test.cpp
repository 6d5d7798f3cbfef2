// The canvas on a memory bitmap: each pen mode draws with its own raster operation.
#include <gtest/gtest.h>

#include <windows.h>

#include "forms/graphics/Graphics.h"

namespace {

TEST(Canvas, PenModesDrawWithTheirRasterOperations) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 1);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(dc && bitmap);
  HGDIOBJ old = SelectObject(dc, bitmap);
  // On a background of 0x00F0F0 a pen of 0x0000FF leaves:
  struct Case {
    TPenMode mode;
    COLORREF result;
  } cases[] = {
      {pmCopy, 0x0000FF},  {pmNotCopy, 0xFFFF00}, {pmBlack, 0x000000}, {pmWhite, 0xFFFFFF},
      {pmNop, 0x00F0F0},   {pmNot, 0xFF0F0F},     {pmXor, 0x00F00F},   {pmMask, 0x0000F0},
      {pmMerge, 0x00F0FF}, {pmNotXor, 0xFF0FF0},
  };
  for (const Case& c : cases) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush()->SetColor(0x00F0F0);
    canvas.FillRect(RECT{0, 0, 8, 1});
    canvas.Pen()->SetColor(0x0000FF);
    canvas.Pen()->SetMode(c.mode);
    canvas.MoveTo(0, 0);
    canvas.LineTo(8, 0);
    EXPECT_EQ(GetPixel(dc, 3, 0) & 0xFFFFFF, c.result) << c.mode;
    canvas.SetHandle(nullptr);
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
