// The Julia preview on the real main window and preview window: the window's size, pin
// and cursor, J in either window and the two menu items, the image and caption that a
// mouse move draws (and the moves that draw nothing), and the nudge after a render.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "explorer/app/ExplorerState.h"
#include "explorer/render/JuliaPreview.h"
#include "tests/explorer/MainWindowFixture.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/render/RowIteration.h"
#include "tests/support/TextFit.h"
#include "explorer/juliapreview/JuliaPreviewWindow.h"
#include "display/DXTimer.h"
#include "forms/windows/Menus.h"

namespace {

class JuliaPreview : public MainWindowFixture {
protected:
  void SetUp() override {
    OpenWindow(640, 480);
    Form1 = form;
    Form6 = New<TForm6>(Application);
  }
  void TearDown() override {
    Form6->Free();
    Form6 = nullptr;
    Form1 = nullptr;
    UseMultiThreading = -1;
    JuliaMode = 0;
    MainWindowFixture::TearDown();
  }

  void Key(HWND window, WORD vk) {
    PostMessageA(window, WM_KEYDOWN, vk, 1);
    PostMessageA(window, WM_KEYUP, vk, 0xC0000001);
  }

  void Move(int x, int y, WPARAM keys = 0) {
    PostMessageA(Display(), WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
  }

  void ShowPreview() {
    Key(Display(), 'J');
    ASSERT_TRUE(Settle());
    ASSERT_TRUE(Form6->Visible());
  }

  // The caption a move at display point (x, y) gives.
  static std::string CaptionAt(int x, int y) {
    return " re: " + PreviewCoordinateText(x * PixelStepX + ViewLeft) +
           "  im: " + PreviewCoordinateText(ViewTop - y * PixelStepY);
  }
};

TEST_F(JuliaPreview, WindowTakesAQuarterOfTheScreenPinnedWithGreyLevels) {
  ShowPreview();
  const TPreviewSize size = PreviewClientSize(Screen->Width());
  EXPECT_EQ(Form6->ClientWidth(), size.Width);
  EXPECT_EQ(Form6->ClientHeight(), size.Height);
  EXPECT_EQ(double(PreviewStep), 4.0 / size.Width);
  EXPECT_EQ(Form6->Caption(), "Julia set preview");
  TDIB* bitmap = Form6->Dxp1->DIB();
  EXPECT_EQ(bitmap->Width(), size.Width);
  EXPECT_EQ(bitmap->Height(), size.Height);
  EXPECT_EQ(bitmap->BitCount(), 8);
  for (int i : {0, 1, 127, 224, 255}) {
    const RGBQUAD q = bitmap->BitmapInfo()->bmiColors[i];
    EXPECT_TRUE(q.rgbRed == i && q.rgbGreen == i && q.rgbBlue == i) << "entry " << i;
  }
  EXPECT_EQ(bitmap->ScanLine(size.Height / 2)[size.Width / 2], 0) << "shown black";

  // The border neither sizes the window nor shows a sizing cursor.
  HWND window = Form6->Handle();
  RECT before;
  GetWindowRect(window, &before);
  SetWindowPos(window, nullptr, 0, 0, before.right - before.left + 60,
               before.bottom - before.top + 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(Settle());
  RECT after;
  GetWindowRect(window, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  for (int hit : {HTLEFT, HTRIGHT, HTTOP, HTBOTTOM, HTBOTTOMRIGHT, HTBORDER}) {
    // A cursor no default handling would set: whatever replaced it came from the message.
    SetCursor(LoadCursor(nullptr, IDC_CROSS));
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(hit, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_CROSS)) << "hit " << hit;
  }
  // The caption keeps the default handling, which sets the arrow.
  SetCursor(LoadCursor(nullptr, IDC_CROSS));
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(JuliaPreview, JInEitherWindowAndBothItemsToggleIt) {
  struct Step {
    const char* What;
    std::function<void()> Act;
    bool Visible;
  };
  const std::vector<Step> steps = {
      {"J on the display", [&] { Key(Display(), 'J'); }, true},
      {"J in the preview", [&] { Key(Form6->Handle(), 'J'); }, false},
      {"the Settings item", [&] { form->JuliaSetPreviewJ1->Click(); }, true},
      {"the popup item", [&] { form->JuliaSetPreviewJ2->Click(); }, false},
  };
  for (const Step& s : steps) {
    s.Act();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Form6->Visible(), s.Visible) << s.What;
    EXPECT_EQ(form->JuliaSetPreviewJ1->Checked(), s.Visible) << s.What;
    EXPECT_EQ(form->JuliaSetPreviewJ2->Checked(), s.Visible) << s.What;
  }
  // Keys in the preview are the main window's: an arrow there moves the view.
  ShowPreview();
  const long double left = ViewLeft;
  Key(Form6->Handle(), VK_LEFT);
  ASSERT_TRUE(Settle());
  EXPECT_NE(ViewLeft, left);
  // Closing the preview by itself unchecks the main menu's item.
  Form6->Close();
  ASSERT_TRUE(Settle());
  EXPECT_FALSE(form->JuliaSetPreviewJ1->Checked());
}

TEST_F(JuliaPreview, JDoesNothingWhileTheFrameTimerRuns) {
  form->DXTimer1->SetEnabled(true);
  Key(Display(), 'J');
  ASSERT_TRUE(Settle());
  EXPECT_FALSE(Form6->Visible());
  form->DXTimer1->SetEnabled(false);
}

TEST_F(JuliaPreview, MoveDrawsTheJuliaSetOfThePointUnderTheMouse) {
  ShowPreview();
  Move(200, 150);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Form6->Caption(), CaptionAt(200, 150));
  const auto misfits = TextMisfits(Form6);
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);

  // The same image drawn apart, from the light grey fill, with the render's kernel.
  TDIB* bitmap = Form6->Dxp1->DIB();
  const int w = bitmap->Width(), h = bitmap->Height();
  std::vector<std::uint8_t> expected(size_t(w) * h, 0xE0);
  TPreviewImage image;
  image.FirstRow = expected.data();
  image.RowStride = w;
  image.Width = w;
  image.Height = h;
  RenderJuliaPreviewImage(image, ChooseKernel(), 200 * PixelStepX + ViewLeft,
                          ViewTop - 150 * PixelStepY, PreviewStep, RenderBailout);
  int differ = 0, grey = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t v = bitmap->ScanLine(y)[x];
      if (v != expected[size_t(y) * w + x]) ++differ;
      if (v != 0xE0) ++grey;
    }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(grey, w * h / 4) << "most points escape";

  // And the window shows it.
  HDC dc = GetDC(Form6->Handle());
  for (POINT p : {POINT{0, 0}, POINT{w / 3, h / 2}, POINT{w - 1, h - 1}, POINT{w / 2, h / 2}}) {
    const std::uint8_t v = bitmap->ScanLine(p.y)[p.x];
    EXPECT_EQ(GetPixel(dc, p.x, p.y), RGB(v, v, v)) << p.x << "," << p.y;
  }
  ReleaseDC(Form6->Handle(), dc);
}

TEST_F(JuliaPreview, MovesWithAButtonOrKeyInAJuliaSetOrDuringASingleThreadRenderDrawNothing) {
  ShowPreview();
  Move(100, 100);
  ASSERT_TRUE(Settle());
  const std::string caption = CaptionAt(100, 100);
  ASSERT_EQ(Form6->Caption(), caption);
  for (WPARAM keys : {WPARAM(MK_LBUTTON), WPARAM(MK_MBUTTON), WPARAM(MK_RBUTTON),
                      WPARAM(MK_SHIFT), WPARAM(MK_CONTROL)}) {
    Move(300, 200, keys);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Form6->Caption(), caption) << "keys " << keys;
  }
  // A single-thread render runs on the frame timer; the move comes while it does.
  UseMultiThreading = 0;
  Key(Display(), VK_RIGHT);
  Move(300, 200);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Form6->Caption(), caption) << "single-thread render";
  UseMultiThreading = -1;

  JuliaMode = -1;
  Move(310, 210);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Form6->Caption(), caption) << "Julia set";
}

TEST_F(JuliaPreview, FollowsEachFinishedRender) {
  ShowPreview();
  PointerAt(250, 180);
  Key(Display(), VK_LEFT);
  ASSERT_TRUE(Settle());
  // Under X11 the pointer's warp one pixel right and back can come back out of order, so
  // the last move may report the pixel beside the pointer; either is the new view's.
  auto followed = [&] {
    for (int x : {250, 251, 249})
      if (Form6->Caption() == CaptionAt(x, 180)) return true;
    return false;
  };
  ASSERT_TRUE(PumpUntil(followed, 5000)) << Form6->Caption() << " / " << CaptionAt(250, 180);
}

}  // namespace
