// The display control's construction, properties, presentation and palette. Its
// initialisation and finalisation are in DXDrawLifecycle.cpp, its form hook and window
// handling in DXDrawWindow.cpp.
#include "display/DXDraw.h"

#include <cstring>

#include "dib/PaletteManager.h"
#include "display/ControlSubClass.h"
#include "display/DXDrawDisplay.h"
#include "display/DXDrawDriver.h"
#include "display/DXDrivers.h"
#include "display/DirectDraw.h"
#include "display/DirectDrawPalette.h"
#include "display/DirectDrawSurface.h"
#include "forms/runtime/Application.h"
#include "forms/windows/Forms.h"

TCustomDXDraw::TCustomDXDraw(TComponent* owner) : TCustomControl(owner) {
  SetOptions(DefaultDXDrawOptions);
  display_ = new TDXDrawDisplay(this);
  const TDXDrawPaletteEntries system = ScreenSystemPalette();
  PaletteEntriesToRGBQuads(system.data(), ColorTable);
  std::memcpy(DefColorTable, ColorTable, sizeof ColorTable);
}

TCustomDXDraw::~TCustomDXDraw() {
  FreeAndNil(display_);
  FreeAndNil(subClass_);
}

void TCustomDXDraw::BeforeDestruction() {
  // A destructor cannot pass the exception of a finalise handler on; the application
  // shows it as it shows those of other handlers.
  try {
    Finalize();
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
  TCustomControl::BeforeDestruction();
}

void TCustomDXDraw::SetOptions(TDXDrawOptions value) {
  options_.store(static_cast<std::uint32_t>(value.Bits()));
  if (!initialized_) {
    SetNowOptions(NormalizedDXDrawOptions(value));
    return;
  }
  // The animation threads set options while the drivers update NowOptions: a change
  // made meanwhile is merged, not overwritten.
  std::uint32_t now = nowOptions_.load();
  while (!nowOptions_.compare_exchange_weak(
      now, static_cast<std::uint32_t>(LiveDXDrawOptions(TDXDrawOptions::FromBits(now), value).Bits()))) {
  }
}

void TCustomDXDraw::IncludeNowOption(TDXDrawOption option) {
  nowOptions_.fetch_or(static_cast<std::uint32_t>(TDXDrawOptions{option}.Bits()));
}

void TCustomDXDraw::ExcludeNowOption(TDXDrawOption option) {
  nowOptions_.fetch_and(~static_cast<std::uint32_t>(TDXDrawOptions{option}.Bits()));
}

void TCustomDXDraw::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  if (value) SetSize(ClientWidth(), ClientHeight());
}

int TCustomDXDraw::GetSurfaceWidth() {
  return IDDSurfaceOf(surface_) ? surface_->Width() : surfaceWidth_;
}

int TCustomDXDraw::GetSurfaceHeight() {
  return IDDSurfaceOf(surface_) ? surface_->Height() : surfaceHeight_;
}

void TCustomDXDraw::SetSurfaceWidth(int value) {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading))
    surfaceWidth_ = value;
  else
    SetSize(value, GetSurfaceHeight());
}

void TCustomDXDraw::SetSurfaceHeight(int value) {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading))
    surfaceHeight_ = value;
  else
    SetSize(GetSurfaceWidth(), value);
}

void TCustomDXDraw::SetDisplay(TDXDrawDisplay* value) { display_->Assign(value); }

void TCustomDXDraw::SetDriver(GUID* guid) { driverGUID_ = KeepDriverGUID(guid, driverGUIDStorage_); }

TDirectXDrivers* TCustomDXDraw::Drivers() { return DirectDrawDriverList(); }

void TCustomDXDraw::Flip() { Present(true); }

void TCustomDXDraw::Present(bool allowVBlankWait) {
  if (initialized_ && !calling_ && RestoreIfLost()) driver_->Flip(allowVBlankWait);
}

bool TCustomDXDraw::CanDraw() {
  return initialized_ && !calling_ && IDDSurfaceOf(surface_) && RestoreIfLost();
}

bool TCustomDXDraw::RestoreIfLost() {
  if (!initialized_ || calling_ || !IDDSurfaceOf(primary_)) return false;
  auto lost = [](TDirectDrawSurface* s) { return s && s->IsLost() == DDERR_SURFACELOST; };
  if (!lost(primary_) && !lost(surface_)) return true;
  Restore();
  auto whole = [](TDirectDrawSurface* s) { return !s || s->IsLost() == DD_OK; };
  return whole(primary_) && whole(surface_);
}

void TCustomDXDraw::SetCooperativeLevel() {
  if (!ddraw_) return;
  const TDXDrawOptions now = NowOptions();
  HWND window = parentForm_ ? parentForm_->Handle() : Handle();
  DWORD level = DDSCL_NORMAL;
  if (now.Contains(doFullScreen)) {
    level = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX;
    if (now.Contains(doNoWindowChange)) level |= DDSCL_NOWINDOWCHANGES;
    if (now.Contains(doAllowReboot)) level |= DDSCL_ALLOWREBOOT;
  }
  ddraw_->SetDXResult(ddraw_->GetIDDraw()->SetCooperativeLevel(window, level));
}

void TCustomDXDraw::FlipToGDISurface() {
  const TDXDrawOptions now = NowOptions();
  if (initialized_ && ddraw_ && now.Contains(doFullScreen) && now.Contains(doFlip))
    ddraw_->SetDXResult(ddraw_->GetIDDraw()->FlipToGDISurface());
}

void TCustomDXDraw::SetColorTable(const RGBQUAD table[256]) {
  if (!initialized_ || !palette_) return;
  const TDXDrawPaletteEntries entries =
      ColorTableToPaletteEntries(table, NowOptions().Contains(doAllowPalette256));
  palette_->SetEntries(0, 256, entries.data());
}

void TCustomDXDraw::UpdatePalette() {
  if (initialized_ && ddraw_ && NowOptions().Contains(doWaitVBlank) &&
      !(ddraw_->DriverCaps().dwPalCaps & DDPCAPS_VSYNC))
    ddraw_->SetDXResult(ddraw_->GetIDDraw()->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr));
  SetColorTable(ColorTable);
}

void TCustomDXDraw::DoFinalize() {
  if (OnFinalize) OnFinalize(this);
}
void TCustomDXDraw::DoFinalizeSurface() {
  if (OnFinalizeSurface) OnFinalizeSurface(this);
}
void TCustomDXDraw::DoInitialize() {
  if (OnInitialize) OnInitialize(this);
}
void TCustomDXDraw::DoInitializeSurface() {
  if (OnInitializeSurface) OnInitializeSurface(this);
}
void TCustomDXDraw::DoInitializing() {
  if (OnInitializing) OnInitializing(this);
}
void TCustomDXDraw::DoRestoreSurface() {
  if (OnRestoreSurface) OnRestoreSurface(this);
}
