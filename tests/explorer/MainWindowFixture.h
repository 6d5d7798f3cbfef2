// The fixture of the in-process tests of the main window: the real TForm1 with its
// display control under wine, started from the default settings, waits for the end of a
// render through the one message pump (GuiTest.h), a counter of render starts, and the
// back surface's pixels.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/render/ProcessorCount.h"
#include "tests/support/GuiTest.h"
#include "tests/support/TestSupport.h"
#include "explorer/render/RenderEngine.h"
#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"
#include "forms/runtime/Application.h"
#include "forms/runtime/Thread.h"

// A locked surface's pixel at (x, y): 0x00RRGGBB on a 32-bit surface, the colour index
// on an 8-bit one.
inline std::uint32_t LockedPixel(const DDSURFACEDESC& desc, int x, int y) {
  const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
  const std::uint8_t* p = static_cast<const std::uint8_t*>(desc.lpSurface) + y * desc.lPitch + bytes * x;
  std::uint32_t v = 0;
  std::memcpy(&v, p, static_cast<std::size_t>(bytes));
  return bytes == 4 ? v & 0xFFFFFF : v;
}

// The back surface's pixels of the top-left width x height, row by row, as LockedPixel
// reads them. Empty when the surface cannot be locked.
inline std::vector<std::uint32_t> SurfacePixels(TDXDraw* dxDraw, int width, int height) {
  std::vector<std::uint32_t> pixels;
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  if (!dxDraw->Surface() || !dxDraw->Surface()->Lock(desc)) return pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(LockedPixel(desc, x, y));
  dxDraw->Surface()->Unlock();
  return pixels;
}

// The back surface's pixel at (x, y) as LockedPixel reads it; 0xDEADBEEF when the
// surface cannot be locked.
inline std::uint32_t SurfacePixel(TDXDraw* dxDraw, int x, int y) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  if (!dxDraw->Surface() || !dxDraw->Surface()->Lock(desc)) return 0xDEADBEEF;
  const std::uint32_t value = LockedPixel(desc, x, y);
  dxDraw->Surface()->Unlock();
  return value;
}

class MainWindowFixture : public ::testing::Test {
protected:
  // Every test starts as the program does without its settings file, with the globals
  // that outlive a window back at their start values.
  void SetUp() override {
    DeleteFileA(TForm1::SettingsFileName().c_str());
    ResetExplorerState();
  }

  // Creates the main window (its create handler runs), sized to a client area of
  // width x height, shown, with its first render done.
  void OpenWindow(int width = 640, int height = 480) {
    form = New<TForm1>(Application);
    form->SetClientWidth(width);
    form->SetClientHeight(height);
    // Count every render start, then let the window's own handler run.
    original_ = form->DXDraw1->OnInitializeSurface;
    form->DXDraw1->OnInitializeSurface = TNotifyEvent(&CountingStart, this);
    form->Show();
    ASSERT_TRUE(WaitForRender()) << "the first render did not finish";
  }

  // The render engine has neither workers nor a single-thread render under way.
  bool RenderIdle() const {
    const TRenderEngine* e = form->Engine();
    return !e->WorkersRunning() && !e->SingleThreadRenderUnderWay();
  }

  bool WaitForRender(DWORD timeoutMs = 30000) {
    return PumpUntil([&] { return renderStarts > 0 && RenderIdle(); }, timeoutMs);
  }

  // Pumps until every message posted so far has been handled and the render is idle.
  bool Settle(DWORD timeoutMs = 30000) {
    const UINT marker = WM_APP + 0x3A;
    settled_ = false;
    PostMessageA(MarkerWindow(), marker, 0, 0);
    return PumpUntil([&] { return settled_ && RenderIdle(); }, timeoutMs);
  }

  HWND Display() { return form->DXDraw1->Handle(); }

  // The system's pointer cannot be moved for good here (the display puts it back), and
  // the system sends moves from where it is: so the window moves instead, until the
  // display's client point (x, y) lies under the pointer, and posted moves agree.
  void PointerAt(int x, int y) {
    POINT pointer{0, 0};
    GetCursorPos(&pointer);
    POINT p{x, y};
    ClientToScreen(Display(), &p);
    form->SetBounds(form->Left() + pointer.x - p.x, form->Top() + pointer.y - p.y, form->Width(),
                    form->Height());
    ASSERT_TRUE(Settle());
  }

  void TearDown() override {
    if (form) {
      form->Close();
      PumpFor(50);
      form->Free();
      form = nullptr;
    }
    if (marker_) DestroyWindow(marker_);
    ProcessorCountOverride = 0;
  }

  TForm1* form = nullptr;
  int renderStarts = 0;

private:
  static void CountingStart(void* data, TObject* sender) {
    auto* self = static_cast<MainWindowFixture*>(data);
    ++self->renderStarts;
    self->original_(sender);
  }

  // A window of the test's own whose message says that everything posted before it has
  // been dispatched (posted messages of one thread keep their order).
  HWND MarkerWindow() {
    if (!marker_) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &MarkerProc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "QvTestMarker";
      RegisterClassA(&wc);
      marker_ = CreateWindowExA(0, "QvTestMarker", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
      SetWindowLongPtrA(marker_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    return marker_;
  }
  static LRESULT CALLBACK MarkerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP + 0x3A) {
      reinterpret_cast<MainWindowFixture*>(GetWindowLongPtrA(w, GWLP_USERDATA))->settled_ = true;
      return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
  }

  TNotifyEvent original_;
  HWND marker_ = nullptr;
  bool settled_ = false;
};
