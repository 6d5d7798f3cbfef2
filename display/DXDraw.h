// The display control TCustomDXDraw / TDXDraw: a window control that owns a DirectDraw
// object, a primary surface, the back surface in which all drawing happens, a clipper
// and a 256-entry palette, initialises itself when its form is first shown and raises
// events around every step. How the back surface reaches the screen is the driver's
// (DXDrawDriver.h); the options are in DXDrawOptions.h, the colour tables' conversion
// in DXDrawColorTable.h.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "display/DXDrawColorTable.h"
#include "display/DXDrawDisplay.h"
#include "display/DXDrawOptions.h"
#include "display/DXDrivers.h"
#include "display/DirectDraw.h"
#include "display/DirectDrawClipper.h"
#include "display/DirectDrawPalette.h"
#include "display/DirectDrawSurface.h"
#include "forms/windows/Controls.h"
#include "forms/core/Events.h"

class TCustomForm;
class TControlSubClass;
class TDXDrawDriver;
struct TDXDraw3DObjects;

class TCustomDXDraw : public TCustomControl, public TDXDrawDisplayOwner {
public:
  explicit TCustomDXDraw(TComponent* owner);
  ~TCustomDXDraw() override;
  void BeforeDestruction() override;

  // Creates the driver, the DirectDraw object and the surfaces; raises OnInitializing,
  // OnInitialize, OnInitializeSurface and (when the surfaces restore) OnRestoreSurface,
  // in that order. A failure finalises before it leaves.
  void Initialize();
  // Raises OnFinalizeSurface and OnFinalize and releases everything; OnFinalize runs
  // and the control ends finalised even when the first handler raises.
  void Finalize();

  // Presents the back surface (after repairing lost surfaces); safe from other threads
  // as long as the main thread neither finalises nor resizes meanwhile.
  void Flip();
  bool CanDraw();
  // Re-creates the back surface (at least 1 x 1) while initialised, raising the
  // surface events even for the current size; otherwise only remembers the size.
  void SetSize(int width, int height);
  void Restore();
  bool RestoreIfLost();
  void SetCooperativeLevel();
  void FlipToGDISurface();
  // The DirectDraw driver of the next initialisation (nil: the primary display driver).
  void SetDriver(GUID* guid);
  static TDirectXDrivers* Drivers();

  // Writes Table into the palette (system colours kept unless doAllowPalette256).
  void SetColorTable(const RGBQUAD table[256]);
  // Shows ColorTable, after the vertical blank when doWaitVBlank asks for it and the
  // driver's palette does not wait by itself.
  void UpdatePalette();

  // The colours shown through the palette, and the defaults shown while the surfaces
  // are being restored. Both start as the screen's system palette.
  RGBQUAD ColorTable[256] = {};
  RGBQUAD DefColorTable[256] = {};

  bool AutoInitialize() const { return autoInitialize_; }
  void SetAutoInitialize(bool value) { autoInitialize_ = value; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TDXDrawOptions Options() const { return TDXDrawOptions::FromBits(options_.load()); }
  void SetOptions(TDXDrawOptions value);
  TDXDrawOptions NowOptions() const { return TDXDrawOptions::FromBits(nowOptions_.load()); }

  // The back surface's size while it exists, else the remembered size.
  int GetSurfaceWidth();
  int GetSurfaceHeight();
  int SurfaceWidth() { return GetSurfaceWidth(); }
  int SurfaceHeight() { return GetSurfaceHeight(); }
  void SetSurfaceWidth(int value);
  void SetSurfaceHeight(int value);

  TDXDrawDisplay* Display() const { return display_; }
  void SetDisplay(TDXDrawDisplay* value);

  TDirectDraw* DDraw() const { return ddraw_; }
  TDirectDrawSurface* Primary() const { return primary_; }
  TDirectDrawSurface* Surface() const { return surface_; }
  TDirectDrawClipper* Clipper() const { return clipper_; }
  TDirectDrawPalette* Palette() const { return palette_; }
  TDXDrawDriver* Driver() const { return driver_; }
  GUID* DriverGUID() const { return driverGUID_; }
  TCustomForm* ParentForm() const { return parentForm_; }
  // Whether ParentForm is the active window; also from the animation threads.
  bool FormActive() const { return parentForm_ && formActive_.load(); }
  TControlSubClass* SubClass() const { return subClass_; }

  bool Initialized() const { return initialized_.load(); }
  bool InitializeCalled() const { return initializeCalled_; }
  bool NeedFinalize() const { return needFinalize_; }
  bool Calling() const { return calling_.load(); }
  bool InitializeEventRaised() const { return initializeEventRaised_; }
  bool SurfaceEventRaised() const { return surfaceEventRaised_; }

  // The Direct3D path's objects, nil while it has set up nothing.
  TDXDraw3DObjects* Direct3D() const { return direct3D_; }

  TNotifyEvent OnFinalize;
  TNotifyEvent OnFinalizeSurface;
  TNotifyEvent OnInitialize;
  TNotifyEvent OnInitializeSurface;
  TNotifyEvent OnInitializing;
  TNotifyEvent OnRestoreSurface;

  // What the display setting reads of its control.
  TDirectDraw* DisplayDDraw() const override { return ddraw_; }
  GUID* DisplayDriverGUID() const override { return driverGUID_; }

  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  // A foreground palette notification restores the surfaces and is handled.
  bool PaletteChanged(bool foreground) override;

protected:
  virtual void DoFinalize();
  virtual void DoFinalizeSurface();
  virtual void DoInitialize();
  virtual void DoInitializeSurface();
  virtual void DoInitializing();
  virtual void DoRestoreSurface();

  void Loaded() override;
  void Paint() override;
  void WMCreate(TMessage& m) override;

private:
  friend class TDXDrawDriver;
  friend class TDXDrawDriverBlt;
  friend class TDXDrawDriverFlip;

  // The form hook: every message of ParentForm's window passes here first.
  static void FormWndProc(void* data, TMessage& message, const TWndMethod& previous);
  // Flip with the vertical-blank wait allowed or not for this one presentation, so
  // that painting never has to rewrite NowOptions under the animation threads.
  void Present(bool allowVBlankWait);
  void SetNowOptions(TDXDrawOptions value) { nowOptions_.store(static_cast<std::uint32_t>(value.Bits())); }
  void IncludeNowOption(TDXDrawOption option);
  void ExcludeNowOption(TDXDrawOption option);
  void FinalizeSurfaceEvent();
  void InitializeSurfaceEvent();

  bool autoInitialize_ = true;
  bool autoSize_ = false;
  bool initializeEventRaised_ = false;
  bool surfaceEventRaised_ = false;
  TCustomForm* parentForm_ = nullptr;
  // Read by the animation threads (Flip, CanDraw, UpdatePalette) while the main thread
  // may restore: whole, ordered reads and writes.
  std::atomic<bool> initialized_{false};
  bool initializeCalled_ = false;
  bool needFinalize_ = false;
  std::atomic<bool> calling_{false};
  TControlSubClass* subClass_ = nullptr;
  // Read and written by the animation threads too (Flip, SetOptions): whole words.
  std::atomic<std::uint32_t> nowOptions_{0};
  std::atomic<std::uint32_t> options_{0};
  TDXDrawDriver* driver_ = nullptr;
  GUID* driverGUID_ = nullptr;
  GUID driverGUIDStorage_{};
  TDirectDraw* ddraw_ = nullptr;
  TDXDrawDisplay* display_ = nullptr;
  TDirectDrawClipper* clipper_ = nullptr;
  TDirectDrawPalette* palette_ = nullptr;
  TDirectDrawSurface* primary_ = nullptr;
  TDirectDrawSurface* surface_ = nullptr;
  int surfaceWidth_ = 320;
  int surfaceHeight_ = 240;
  TDXDraw3DObjects* direct3D_ = nullptr;
  // ParentForm's activation as its window procedure last saw it; readable from any
  // thread, unlike the active window, which belongs to the thread that asks.
  std::atomic<bool> formActive_{false};
};

class TDXDraw : public TCustomDXDraw {
public:
  using TCustomDXDraw::TCustomDXDraw;
};
