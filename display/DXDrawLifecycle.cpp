// The display control's life: initialisation with its event order, finalisation that
// always completes, resizing of the back surface and the restore of lost surfaces.
#include <algorithm>
#include <exception>

#include "display/DXDraw.h"
#include "display/DXDrawDisplay.h"
#include "display/DXDrawDriver.h"
#include "display/DXErrors.h"
#include "display/DirectDrawSurface.h"

void TCustomDXDraw::Initialize() {
  initializeCalled_ = true;
  Finalize();
  if (!parentForm_) throw EDXDrawError(SDXFormNotFound);
  try {
    DoInitializing();
    calling_ = true;
    needFinalize_ = true;
    try {
      if (NowOptions().Contains(doFlip))
        driver_ = new TDXDrawDriverFlip(this);
      else
        driver_ = new TDXDrawDriverBlt(this);
      SetCooperativeLevel();
      if (NowOptions().Contains(doFullScreen) &&
          !display_->SetBestDisplayMode(display_->Width(), display_->Height(), display_->BitCount()))
        throw EDXDrawError(SDXDisplayModeCannotChanged, display_->Width(), display_->Height(),
                           display_->BitCount());
      if (autoSize_) {
        surfaceWidth_ = ClientWidth();
        surfaceHeight_ = ClientHeight();
      }
      driver_->Initialize();
    } catch (...) {
      calling_ = false;
      throw;
    }
    calling_ = false;
    initialized_ = true;
  } catch (...) {
    // The failure that stopped the initialisation is the one the caller hears of.
    try {
      Finalize();
    } catch (...) {
    }
    throw;
  }
  initializeEventRaised_ = true;
  DoInitialize();
  InitializeSurfaceEvent();
  Restore();
}

void TCustomDXDraw::Finalize() {
  if (!needFinalize_) return;
  surfaceWidth_ = GetSurfaceWidth();
  surfaceHeight_ = GetSurfaceHeight();
  display_->ClearModes();
  calling_ = true;
  std::exception_ptr failure;
  try {
    FinalizeSurfaceEvent();
  } catch (...) {
    failure = std::current_exception();
  }
  if (initializeEventRaised_) {
    initializeEventRaised_ = false;
    try {
      DoFinalize();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  needFinalize_ = false;
  initialized_ = false;
  SetOptions(Options());
  TDXDrawDriver* driver = driver_;
  driver_ = nullptr;
  if (driver) driver->Free();  // takes DDraw and everything made on it
  ddraw_ = nullptr;
  calling_ = false;
  if (failure) std::rethrow_exception(failure);
}

void TCustomDXDraw::FinalizeSurfaceEvent() {
  if (!surfaceEventRaised_) return;
  surfaceEventRaised_ = false;
  DoFinalizeSurface();
}

void TCustomDXDraw::InitializeSurfaceEvent() {
  surfaceEventRaised_ = true;
  DoInitializeSurface();
}

void TCustomDXDraw::SetSize(int width, int height) {
  if (calling_) return;
  if (!initialized_) {
    surfaceWidth_ = width;
    surfaceHeight_ = height;
    return;
  }
  try {
    driver_->SetSize(width, height);
  } catch (...) {
    try {
      Finalize();
    } catch (...) {
    }
    throw;
  }
}

void TCustomDXDraw::Restore() {
  // An animation thread's flip can find lost surfaces while the main thread restores
  // them after a palette notification: only one of them restores.
  bool idle = false;
  if (!initialized_ || !calling_.compare_exchange_strong(idle, true)) return;
  try {
    if (driver_->Restore()) {
      primary_->SetPalette(palette_);
      surface_->SetPalette(palette_);
      SetColorTable(DefColorTable);
      try {
        DoRestoreSurface();
      } catch (...) {
        SetColorTable(ColorTable);  // the defaults must not outlast a failed redraw
        throw;
      }
      SetColorTable(ColorTable);
    }
  } catch (...) {
    calling_ = false;
    throw;
  }
  calling_ = false;
}
