// The fixture of the parameters-window and full-screen tests: the main window with its
// first render done and the resident parameters window Form2 beside it, a responder that
// records message boxes (the application shows conversion errors through it), and a
// reader of the back surface's pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/app/ExplorerState.h"
#include "tests/explorer/MainWindowFixture.h"
#include "explorer/parameters/ParametersWindow.h"
#include "display/DirectDrawSurface.h"
#include "forms/dialogs/Responder.h"

class TBoxRecorder : public TUserResponder {
public:
  TBoxRecorder() { previous_ = SetUserResponder(this); }
  ~TBoxRecorder() override { SetUserResponder(previous_); }
  int MessageBox(HWND, const std::string& text, const std::string& caption, UINT) override {
    texts.push_back(text);
    captions.push_back(caption);
    return IDOK;
  }
  std::vector<std::string> texts;
  std::vector<std::string> captions;

private:
  TUserResponder* previous_;
};

class ParametersWindowFixture : public MainWindowFixture {
protected:
  void SetUp() override { MainWindowFixture::SetUp(); }

  void Open(int width = 320, int height = 240) {
    OpenWindow(width, height);
    // The program's globals, as its main block sets them.
    Form1 = form;
    Form2 = New<TForm2>(Application);
    form->ShowParameters();
  }

  void TearDown() override {
    if (Form2) {
      if (Form2->Parent()) Form2->ManualDock(nullptr);
      Form2->Free();
      Form2 = nullptr;
    }
    MainWindowFixture::TearDown();
    ParamsDocked = 0;
    ParamsDockedBeforeFullScreen = 0;
    DockedHeight = 0;
    UseMultiThreading = 0;
    PaletteOffset = 0;
    PaletteLoaded = 0;
    JuliaMode = 0;
    JuliaC = TExtendedComplex{};
    WideScreen43 = false;
  }

  // Clicks a button as the mouse does (BM_CLICK) and lets every posted message run.
  void Click(TWinControl* button) {
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(Settle());
  }

  // The back surface's pixels as 0x00RRGGBB (the index on 8-bit surfaces), row by row.
  std::vector<std::uint32_t> SurfacePixels() {
    std::vector<std::uint32_t> pixels;
    TDirectDrawSurface* surface = form->DXDraw1->Surface();
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    if (!surface || !surface->Lock(desc)) return pixels;
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
    for (DWORD y = 0; y < desc.dwHeight; ++y)
      for (DWORD x = 0; x < desc.dwWidth; ++x) {
        const auto* p = static_cast<const std::uint8_t*>(desc.lpSurface) + y * desc.lPitch + bytes * x;
        std::uint32_t v = 0;
        std::memcpy(&v, p, bytes);
        pixels.push_back(bytes == 4 ? v & 0xFFFFFF : v);
      }
    surface->Unlock();
    return pixels;
  }

  TBoxRecorder boxes;
};
