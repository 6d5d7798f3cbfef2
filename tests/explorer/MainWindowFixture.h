// The fixture of the in-process tests of the main window: the real TForm1 with its
// display control under wine, a message pump that also runs the frame timer's idle
// work, waits for the end of a render, and a counter of render starts.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "MainForm.h"
#include "ProcessorCount.h"
#include "RenderEngine.h"
#include "display/DXDraw.h"
#include "forms/Application.h"
#include "forms/Thread.h"

// Pumps messages and idle work until done() or the deadline; returns done().
inline bool PumpMainUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Application->ProcessMessages();
    bool idleDone = true;
    if (Application->OnIdle) Application->OnIdle(Application, idleDone);
    if (CheckSynchronize()) idleDone = false;
    if (idleDone) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

inline void PumpMainFor(DWORD ms) {
  const DWORD start = GetTickCount();
  PumpMainUntil([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

class MainWindowFixture : public ::testing::Test {
protected:
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
    return PumpMainUntil([&] { return renderStarts > 0 && RenderIdle(); }, timeoutMs);
  }

  // Pumps until every message posted so far has been handled and the render is idle.
  bool Settle(DWORD timeoutMs = 30000) {
    const UINT marker = WM_APP + 0x3A;
    settled_ = false;
    PostMessageA(MarkerWindow(), marker, 0, 0);
    return PumpMainUntil([&] { return settled_ && RenderIdle(); }, timeoutMs);
  }

  void TearDown() override {
    if (form) {
      form->Close();
      PumpMainFor(50);
      form->Free();
      form = nullptr;
    }
    if (marker_) DestroyWindow(marker_);
    ProcessorCountOverride = 0;
  }

  static std::string ReadFileText(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
      char buffer[4096];
      size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
      std::fclose(f);
    }
    return text;
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
