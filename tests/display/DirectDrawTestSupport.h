// Helpers of the DirectDraw tests: a shown form whose window DirectDraw cooperates
// with, and pixel access to a surface through its lock.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include <cstdint>
#include <cstring>

#include "tests/support/GuiTest.h"
#include "display/DirectDraw.h"
#include "display/DirectDrawSurface.h"
#include "forms/windows/Forms.h"

class TDirectDrawTestForm : public TForm {
public:
  explicit TDirectDrawTestForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetCaption("DirectDraw test");
    SetPosition(poDesigned);
    SetBounds(20, 20, 360, 280);
    loader.Finish();
  }
};

// A form and a DirectDraw object cooperating with it in a window.
struct WindowedDirectDraw {
  explicit WindowedDirectDraw(bool directX7Mode = false) {
    form = New<TDirectDrawTestForm>(nullptr);
    form->Show();
    PumpFor(20);
    ddraw = new TDirectDraw(nullptr, directX7Mode);
    ddraw->GetIDDraw()->SetCooperativeLevel(form->Handle(), DDSCL_NORMAL);
  }
  ~WindowedDirectDraw() {
    if (ddraw) ddraw->Free();
    form->Free();
  }
  WindowedDirectDraw(const WindowedDirectDraw&) = delete;
  WindowedDirectDraw& operator=(const WindowedDirectDraw&) = delete;

  TDirectDrawTestForm* form;
  TDirectDraw* ddraw;
};

// The raw pixel at (x, y) of a 32-bit surface, read through the wrapper's lock.
inline uint32_t PixelAt(TDirectDrawSurface* surface, int x, int y) {
  DDSURFACEDESC d{};
  if (!surface->Lock(d)) return 0xDEADBEEF;
  uint32_t value = 0;
  std::memcpy(&value, static_cast<uint8_t*>(d.lpSurface) + y * d.lPitch + x * 4, sizeof value);
  surface->Unlock();
  return value & 0x00FFFFFF;
}

inline void SetPixelAt(TDirectDrawSurface* surface, int x, int y, uint32_t value) {
  DDSURFACEDESC d{};
  if (!surface->Lock(d)) return;
  std::memcpy(static_cast<uint8_t*>(d.lpSurface) + y * d.lPitch + x * 4, &value, sizeof value);
  surface->Unlock();
}

// Whether DirectDraw itself takes a lock on the surface now (it refuses while the
// wrapper's lock is held).
inline bool DirectDrawCanLock(IDirectDrawSurface* surface) {
  DDSURFACEDESC d{};
  d.dwSize = sizeof d;
  if (surface->Lock(nullptr, &d, DDLOCK_DONOTWAIT, nullptr) != DD_OK) return false;
  surface->Unlock(d.lpSurface);
  return true;
}
