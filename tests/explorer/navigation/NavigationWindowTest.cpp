// Navigation on the real main window: a table of posted mouse, wheel and key messages
// and the view they leave, whether the render restarted, and the precision guard's
// warnings answered through the responder.
#include <vector>

#include "tests/support/GuiTest.h"
#include "explorer/app/ExplorerState.h"
#include "tests/explorer/MainWindowFixture.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "display/DXTimer.h"
#include "forms/windows/Menus.h"

namespace {

struct TViewValues {
  long double Left, Top, Width, Height;
};

TViewValues Now() { return {ViewLeft, ViewTop, ViewWidth, ViewHeight}; }

void ExpectView(const TViewValues& v, long double left, long double top, long double width,
                long double height, double tolerance) {
  EXPECT_NEAR(double(v.Left), double(left), tolerance) << "left";
  EXPECT_NEAR(double(v.Top), double(top), tolerance) << "top";
  EXPECT_NEAR(double(v.Width), double(width), tolerance) << "width";
  EXPECT_NEAR(double(v.Height), double(height), tolerance) << "height";
}

class Navigation : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    OpenWindow(640, 480);
    start = Now();
    starts = renderStarts;
  }

  void Post(UINT msg, WPARAM wp, int x, int y) {
    PostMessageA(Display(), msg, wp, MAKELPARAM(x, y));
  }

  void Key(WORD vk) {
    PostMessageA(Display(), WM_KEYDOWN, vk, 1);
    PostMessageA(Display(), WM_KEYUP, vk, 0xC0000001);
  }

  void Wheel(int delta) {
    POINT p{320, 240};
    ClientToScreen(Display(), &p);
    PostMessageA(Display(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(p.x, p.y));
  }

  // A left drag from (x1, y1) to the mouse at (x2, y2), released with the given keys.
  void Drag(int x1, int y1, int x2, int y2, WPARAM releaseKeys = 0) {
    PointerAt(x2, y2);
    Post(WM_LBUTTONDOWN, MK_LBUTTON | releaseKeys, x1, y1);
    Post(WM_MOUSEMOVE, MK_LBUTTON | releaseKeys, x2, y2);
    Post(WM_LBUTTONUP, releaseKeys, x2, y2);
  }

  int Restarts() const { return renderStarts - starts; }

  TViewValues start;
  int starts = 0;
};

TEST_F(Navigation, DragSnapsTheCornerAndZoomsIn) {
  PointerAt(117, 40);
  Post(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
  Post(WM_MOUSEMOVE, MK_LBUTTON, 117, 40);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(SelEnd.X, 116);
  EXPECT_EQ(SelEnd.Y, 112);
  EXPECT_EQ(SelectionActive, -1);
  EXPECT_TRUE(form->DXTimer1->Enabled());
  Post(WM_LBUTTONUP, 0, 117, 40);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(SelectionActive, 0);
  EXPECT_EQ(Restarts(), 1);
  const long double s = start.Height / 480;
  ExpectView(Now(), start.Left + 100 * s, start.Top - 100 * s, 16 * s, 12 * s, 1e-15);
}

TEST_F(Navigation, TinySelectionKeepsTheViewButRestarts) {
  Drag(100, 100, 103, 102);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Restarts(), 1);
  ExpectView(Now(), start.Left, start.Top, start.Width, start.Height, 0);
}

TEST_F(Navigation, CtrlReleaseZoomsOutAboutTheCentre) {
  Drag(160, 120, 480, 360, MK_CONTROL);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Restarts(), 1);
  ExpectView(Now(), start.Left - start.Width / 2, start.Top + start.Height / 2, 2 * start.Width,
             2 * start.Height, 1e-14);
}

TEST_F(Navigation, DragToTheLeftGivesANegativeView) {
  Drag(300, 200, 200, 400);
  ASSERT_TRUE(Settle());
  EXPECT_LT(ViewWidth, 0);
  EXPECT_LT(ViewHeight, 0);
}

TEST_F(Navigation, KeypadPlusThenMinusRestoresTheView) {
  Key(VK_ADD);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Restarts(), 1);
  EXPECT_NEAR(double(ViewWidth / start.Width), 632.0 / 640.0, 1e-15);
  Key(VK_SUBTRACT);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Restarts(), 2);
  ExpectView(Now(), start.Left, start.Top, start.Width, start.Height, 1e-15);
}

TEST_F(Navigation, WheelNotchesZoomAndOtherDeltasDoNothing) {
  Wheel(120);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Restarts(), 1);
  EXPECT_NEAR(double(ViewWidth / start.Width), 632.0 / 640.0, 1e-15);
  Wheel(60);
  Wheel(240);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Restarts(), 1);
  Wheel(-120);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Restarts(), 2);
  ExpectView(Now(), start.Left, start.Top, start.Width, start.Height, 1e-15);
}

TEST_F(Navigation, MiddleButtonPans) {
  PointerAt(110, 90);
  Post(WM_MBUTTONDOWN, MK_MBUTTON, 100, 100);
  Post(WM_MOUSEMOVE, MK_MBUTTON, 110, 90);
  Post(WM_MBUTTONUP, 0, 110, 90);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Restarts(), 1);
  const long double s = start.Height / 480;
  ExpectView(Now(), start.Left - 10 * s, start.Top - 10 * s, start.Width, start.Height, 1e-15);
}

TEST_F(Navigation, RightButtonCancelsTheSelectionWithoutARestart) {
  PointerAt(300, 300);
  Post(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
  Post(WM_MOUSEMOVE, MK_LBUTTON, 300, 300);
  Post(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 300, 300);
  Post(WM_RBUTTONUP, MK_LBUTTON, 300, 300);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(SelectionActive, 0);
  EXPECT_FALSE(form->DXTimer1->Enabled());
  Post(WM_LBUTTONUP, 0, 300, 300);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Restarts(), 0);
  ExpectView(Now(), start.Left, start.Top, start.Width, start.Height, 0);
}

TEST_F(Navigation, ArrowsMoveThePictureTwoPixels) {
  const long double s = start.Height / 480;
  const struct {
    WORD Key;
    long double DLeft, DTop;
  } cases[] = {{VK_LEFT, 2, 0}, {VK_RIGHT, -2, 0}, {VK_UP, 0, -2}, {VK_DOWN, 0, 2}};
  for (const auto& c : cases) {
    const TViewValues before = Now();
    Key(c.Key);
    ASSERT_TRUE(Settle());
    ExpectView(Now(), before.Left + c.DLeft * s, before.Top + c.DTop * s, before.Width,
               before.Height, 1e-15);
  }
  EXPECT_EQ(Restarts(), 4);
  ExpectView(Now(), start.Left, start.Top, start.Width, start.Height, 1e-15);
}

TEST_F(Navigation, SpaceSwitchesToJuliaAndBackRestoringTheSavedView) {
  PointerAt(320, 240);
  Key(VK_SPACE);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(JuliaMode, -1);
  ExpectView(Now(), -2.0L, 1.5L, 4.0L, 3.0L, 0);
  // The Julia constant is the plane point under the cursor: the old view's centre.
  EXPECT_NEAR(double(JuliaC.Re), double(start.Left + start.Width / 2), 1e-15);
  EXPECT_NEAR(double(JuliaC.Im), double(start.Top - start.Height / 2), 1e-15);
  Key(VK_SPACE);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(JuliaMode, 0);
  EXPECT_EQ(ViewLeft, start.Left);
  EXPECT_EQ(ViewTop, start.Top);
  EXPECT_EQ(ViewWidth, start.Width);
  EXPECT_EQ(ViewHeight, start.Height);
  EXPECT_EQ(JuliaC.Re, 0.0L);
  EXPECT_EQ(JuliaC.Im, 0.0L);
  EXPECT_EQ(Restarts(), 2);
}

TEST_F(Navigation, DoubleClickIsSpace) {
  PointerAt(100, 100);
  Post(WM_LBUTTONDBLCLK, MK_LBUTTON, 100, 100);
  Post(WM_LBUTTONUP, 0, 100, 100);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(JuliaMode, -1);
}

TEST_F(Navigation, InvertRectMenuCommandTogglesItsMark) {
  EXPECT_FALSE(form->InvertRectinSelection1->Checked());
  form->InvertRectinSelection1->Click();
  EXPECT_TRUE(form->InvertRectinSelection1->Checked());
  form->InvertRectinSelection1->Click();
  EXPECT_FALSE(form->InvertRectinSelection1->Checked());
}

// Puts a view of the given width (at the surface's 4:3) centred on -0.75 and renders it.
void ShowViewOfWidth(TForm1* form, long double width) {
  ViewWidth = width;
  ViewHeight = width * 0.75L;
  ViewLeft = -0.75L - width / 2;
  ViewTop = ViewHeight / 2;
  form->DXDraw1->SetSize(form->DXDraw1->SurfaceWidth(), form->DXDraw1->SurfaceHeight());
}

TEST_F(Navigation, PrecisionGuardWarnsOnceForSingleAndOnceForDoublePrecision) {
  if (!HasSSE) GTEST_SKIP() << "the single-precision kernel needs SSE";
  TRecordingResponder responder;
  UseSSE2 = 0;
  UseSSE = -1;
  Use3DNow = 0;
  ShowViewOfWidth(form, 7.02e-5L);
  ASSERT_TRUE(Settle());
  Key(VK_ADD);  // 7.02e-5 x 632 / 640 < 7e-5
  ASSERT_TRUE(Settle());
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_EQ(responder.boxes[0].caption, "Quorvel Warning");
  EXPECT_EQ(responder.boxes[0].text,
            "3dnow or sse is switched off since 32 bit floating point data is not enough");
  EXPECT_EQ(responder.boxes[0].flags & MB_ICONMASK, UINT(MB_ICONINFORMATION));
  EXPECT_EQ(Use3DNow, 0);
  EXPECT_EQ(UseSSE, 0);
  EXPECT_EQ(UseSSE2, HasSSE2 ? -1 : 0);

  Key(VK_ADD);
  Drag(100, 100, 300, 300);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(responder.boxes.size(), 1u) << "further zooms stay silent";

  if (!HasSSE2) return;
  ShowViewOfWidth(form, 9.05e-14L);
  ASSERT_TRUE(Settle());
  Key(VK_ADD);
  ASSERT_TRUE(Settle());
  ASSERT_EQ(responder.boxes.size(), 2u);
  EXPECT_EQ(responder.boxes[1].caption, "Quorvel Warning");
  EXPECT_EQ(responder.boxes[1].text,
            "sse2 is switched off since 64 bit floating point data is not enough");
  EXPECT_EQ(UseSSE2, 0);
  Key(VK_ADD);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(responder.boxes.size(), 2u);
}

}  // namespace
