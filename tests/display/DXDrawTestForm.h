// Helpers of the display control's windowed tests: a form holding one TDXDraw (built
// as a form description would), a log of the control's events, a fixture that makes and
// frees the form, and pixel access to the back surface and the screen.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "display/DXDraw.h"
#include "forms/windows/Forms.h"

// Records the control's events by name, in order.
class TDXDrawEventLog : public TObject {
public:
  std::vector<std::string> names;

  void Attach(TCustomDXDraw* d) {
    d->OnInitializing = MakeEvent(this, &TDXDrawEventLog::Initializing);
    d->OnInitialize = MakeEvent(this, &TDXDrawEventLog::Initialize);
    d->OnInitializeSurface = MakeEvent(this, &TDXDrawEventLog::InitializeSurface);
    d->OnRestoreSurface = MakeEvent(this, &TDXDrawEventLog::RestoreSurface);
    d->OnFinalizeSurface = MakeEvent(this, &TDXDrawEventLog::FinalizeSurface);
    d->OnFinalize = MakeEvent(this, &TDXDrawEventLog::Finalize);
  }
  std::string Take() {
    std::string s;
    for (const std::string& n : names) s += (s.empty() ? "" : " ") + n;
    names.clear();
    return s;
  }

private:
  void Initializing(TObject*) { names.push_back("Initializing"); }
  void Initialize(TObject*) { names.push_back("Initialize"); }
  void InitializeSurface(TObject*) { names.push_back("InitializeSurface"); }
  void RestoreSurface(TObject*) { names.push_back("RestoreSurface"); }
  void FinalizeSurface(TObject*) { names.push_back("FinalizeSurface"); }
  void Finalize(TObject*) { names.push_back("Finalize"); }
};

struct TDXDrawFormSetup {
  TDXDrawOptions options{doCenter};
  bool autoInitialize = true;
  bool autoSize = false;
  int surfaceWidth = 320, surfaceHeight = 192;
  int clientWidth = 400, clientHeight = 300;
  TDXDrawEventLog* log = nullptr;
};

// A borderless, topmost form at (40, 40) whose whole client area is the control.
class TDXDrawTestForm : public TForm {
public:
  TDXDraw* DXDraw1;

  TDXDrawTestForm(TComponent* owner, const TDXDrawFormSetup& setup) : TForm(owner) {
    TComponentLoader loader(this);
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetBounds(40, 40, setup.clientWidth, setup.clientHeight);
    SetColor(clWhite);
    DXDraw1 = new TDXDraw(this);
    DXDraw1->SetParent(this);
    DXDraw1->SetAlign(alClient);
    DXDraw1->SetColor(clBlack);
    DXDraw1->SetOptions(setup.options);
    DXDraw1->SetAutoInitialize(setup.autoInitialize);
    DXDraw1->SetAutoSize(setup.autoSize);
    DXDraw1->SetSurfaceWidth(setup.surfaceWidth);
    DXDraw1->SetSurfaceHeight(setup.surfaceHeight);
    if (setup.log) setup.log->Attach(DXDraw1);
    loader.Finish();
  }
};

struct TFormFreer {
  void operator()(TObject* o) const { o->Free(); }
};
using TDXDrawFormPtr = std::unique_ptr<TDXDrawTestForm, TFormFreer>;

// The display window tests' fixture: the test form made from `setup`, with `log`
// attached to its control, freed at the end of the test (or when the next one is made).
class DXDrawFormFixture : public ::testing::Test {
protected:
  // The form, not shown; its control.
  TDXDraw* Make() {
    form.reset();
    setup.log = &log;
    form.reset(New<TDXDrawTestForm>(nullptr, setup));
    return form->DXDraw1;
  }
  // The form, shown (which initialises the control unless autoInitialize is off).
  TDXDraw* MakeShown() {
    TDXDraw* d = Make();
    form->Show();
    return d;
  }

  TDXDrawEventLog log;
  TDXDrawFormSetup setup;
  TDXDrawFormPtr form;
};

// Fills a rectangle of a 32-bit surface through its lock with 0x00RRGGBB.
inline bool FillThroughLock(TDirectDrawSurface* s, RECT r, DWORD xrgb) {
  DDSURFACEDESC d{};
  d.dwSize = sizeof d;
  if (!s->Lock(d)) return false;
  bool ok = d.ddpfPixelFormat.dwRGBBitCount == 32;
  for (LONG y = r.top; ok && y < r.bottom; ++y) {
    auto* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(d.lpSurface) + y * d.lPitch);
    for (LONG x = r.left; x < r.right; ++x) row[x] = xrgb;
  }
  s->Unlock();
  return ok;
}

// The screen's pixel at a point of the control's client area, as 0x00RRGGBB.
inline DWORD ScreenPixel(TControl* c, int x, int y) {
  const POINT p = c->ClientToScreen(POINT{x, y});
  HDC screen = GetDC(nullptr);
  const COLORREF v = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
