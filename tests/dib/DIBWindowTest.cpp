// TDIB on the desktop: CF_DIB through the real clipboard, and a picture painted into a
// real window at the paint box's placement, its pixels read back from the screen.
#include <gtest/gtest.h>

#include <memory>

#include "BmpTestFile.h"
#include "dib/DIB.h"
#include "dib/DIBErrors.h"
#include "dib/PaintBoxGeometry.h"
#include "forms/Clipboard.h"
#include "forms/Picture.h"

namespace {

struct Freer {
  void operator()(TObject* o) const { o->Free(); }
};
using DIBPtr = std::unique_ptr<TDIB, Freer>;

// Left half red, right half blue, 8 bits with a palette.
DIBPtr TwoColourPicture(int w, int h) {
  DIBPtr d(New<TDIB>());
  d->SetSize(w, h, 8);
  d->ColorTable[1] = RGBQUAD{0, 0, 255, 0};
  d->ColorTable[2] = RGBQUAD{255, 0, 0, 0};
  d->UpdatePalette();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) d->ScanLine(y)[x] = static_cast<uint8_t>(x < w / 2 ? 1 : 2);
  return d;
}

TEST(DIBClipboard, CfDibRoundTrip) {
  DIBPtr d = TwoColourPicture(6, 3);
  Clipboard()->Assign(d.get());
  ASSERT_TRUE(Clipboard()->HasFormat(CF_DIB));
  TPicture picture;
  picture.Assign(Clipboard());
  auto* back = dynamic_cast<TDIB*>(picture.Graphic());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Width(), 6);
  EXPECT_EQ(back->BitCount(), 8);
  EXPECT_EQ(back->ScanLine(2)[5], 2);
  EXPECT_EQ(back->ColorTable[1].rgbRed, 255);
  DIBPtr direct(New<TDIB>());
  direct->Assign(Clipboard());
  EXPECT_EQ(direct->ScanLine(0)[0], 1);
}

// Clipboard data is untrusted: a header claiming more than the block holds is refused.
TEST(DIBClipboard, MalformedDataIsRefusedAndChangesNothing) {
  const std::vector<uint8_t> bad = Bytes().info(1000, 1000, 24).fill(16, 0).v;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bad.size());
  ASSERT_NE(block, nullptr);
  memcpy(GlobalLock(block), bad.data(), bad.size());
  GlobalUnlock(block);
  Clipboard()->SetAsHandle(CF_DIB, block);
  Clipboard()->Close();
  DIBPtr d = TwoColourPicture(2, 2);
  TDIBSharedImage* before = d->Image();
  EXPECT_THROW(d->Assign(Clipboard()), EReadError);
  EXPECT_EQ(d->Image(), before);
}

struct Painter {
  TDIB* dib;
  TPaintBoxOptions options;
  bool painted = false;
};

LRESULT CALLBACK PaintProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* painter = reinterpret_cast<Painter*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (msg == WM_PAINT && painter) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT client;
    GetClientRect(wnd, &client);
    const TPaintBoxPlacement p = PlacePicture(painter->options, client.right, client.bottom,
                                              painter->dib->Width(), painter->dib->Height());
    TCanvas canvas;
    canvas.SetHandle(dc);
    if (p.Scaled) {
      canvas.StretchDraw(Bounds(p.Left, p.Top, p.Width, p.Height), painter->dib);
    } else {
      canvas.Draw(p.Left, p.Top, painter->dib);
    }
    canvas.SetHandle(nullptr);
    EndPaint(wnd, &ps);
    painter->painted = true;
    return 0;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

TEST(DIBWindow, PaintsAtThePaintBoxPlacementOnScreen) {
  DIBPtr d = TwoColourPicture(40, 30);
  Painter painter{d.get(), {}};
  painter.options.Center = painter.options.Stretch = painter.options.KeepAspect = true;

  WNDCLASSA wc{};
  wc.lpfnWndProc = PaintProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "DIBPaintTestWindow";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND wnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "paint", WS_POPUP, 60, 60, 200, 100,
                             nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(wnd, nullptr);
  SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&painter));
  ShowWindow(wnd, SW_SHOW);
  UpdateWindow(wnd);
  const DWORD deadline = GetTickCount() + 5000;
  MSG msg;
  while (!painter.painted && GetTickCount() < deadline) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  ASSERT_TRUE(painter.painted);
  // 40 x 30 fitted into 200 x 100 is 133 x 100, centred at x = 33.
  HDC screen = GetDC(nullptr);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  auto at = [&](int x, int y) { return GetPixel(screen, origin.x + x, origin.y + y) & 0xFFFFFF; };
  EXPECT_EQ(at(10, 50), 0xFFFFFFu);   // background left of the picture
  EXPECT_EQ(at(40, 50), 0x0000FFu);   // red half
  EXPECT_EQ(at(160, 50), 0xFF0000u);  // blue half
  EXPECT_EQ(at(190, 50), 0xFFFFFFu);  // background right of it
  ReleaseDC(nullptr, screen);
  DestroyWindow(wnd);
  UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

}  // namespace
