// TDirectDrawSurface: a DirectDraw surface made on a TDirectDraw, with its counted
// lock, blits, colour fill and colour keys, loss recovery, and loading from and
// copying to bitmaps; and TDirectDrawSurfaceCanvas, GDI drawing through the surface's
// device context. The interface, lock and blits are in DirectDrawSurface.cpp, the
// canvas and the bitmap transfers in DirectDrawSurfaceGraphics.cpp.
#pragma once

#include <atomic>

#include "display/DirectDraw.h"
#include "forms/graphics/Graphics.h"

class TDirectDrawClipper;
class TDirectDrawPalette;
class TDirectDrawSurface;

// The surface's one canvas, shared by the threads that draw on the surface (the palette
// animation's frame-rate text) and copy from it (image saving, AVI frames): one thread
// at a time uses it, from its first use (TDirectDrawSurface::Canvas or any drawing) to
// its Release; another thread waits meanwhile.
class TDirectDrawSurfaceCanvas : public TCanvas {
public:
  explicit TDirectDrawSurfaceCanvas(TDirectDrawSurface* surface);
  ~TDirectDrawSurfaceCanvas() override;

  // Makes the calling thread the canvas's user, waiting while another thread is.
  void Acquire();
  // Gives the device context back to the surface and the canvas free to other threads.
  // Callers do so after their GDI drawing, before the surface is locked, flipped or
  // blitted again. Only the thread that uses the canvas releases it.
  void Release();

  HDC DC() const { return dc_; }
  TDirectDrawSurface* Surface() const { return surface_; }

protected:
  void HandleNeeded() override { Acquire(); }
  void CreateHandle() override;

private:
  TDirectDrawSurface* surface_;
  HDC dc_ = nullptr;
  CRITICAL_SECTION turn_;
  std::atomic<DWORD> user_{0};  // the thread using the canvas, 0 for none
};

class TDirectDrawSurface : public TDirectX {
public:
  // An empty wrapper: no surface until CreateSurface, SetSize or SetIDDSurface.
  explicit TDirectDrawSurface(TDirectDraw* ddraw);
  ~TDirectDrawSurface() override;

  // nil empties; a graphic or a picture is loaded; another surface is duplicated.
  void Assign(TPersistent* source) override;

  // Every change of the held surface passes here. Holding a locked surface, it is
  // unlocked first, so nothing is left locked behind the wrapper's back.
  void SetIDDSurface(IDirectDrawSurface* surface);
  // A new surface after Description; it starts with source colour key 0. The result
  // is on the owner's DXResult and on this one's.
  bool CreateSurface(DDSURFACEDESC& description);
  // An off-screen plain surface of this size, in video memory when there is room and
  // otherwise (from then on at once) in system memory. A size of 0 or less empties the
  // wrapper; raises EDirectDrawSurfaceError "%s cannot be made" when no memory takes it.
  void SetSize(int width, int height);

  // Locks the whole surface, counted: only the outermost pair reaches DirectDraw, and
  // nested locks return the same description. Safe between threads: the count is
  // interlocked and the outermost lock and unlock are serialised.
  bool Lock(DDSURFACEDESC& description);
  void Unlock();
  LONG LockCount() const { return lockCount_; }

  bool Blt(const RECT* destRect, const RECT* srcRect, DWORD flags, const DDBLTFX* effects,
           TDirectDrawSurface* source);
  // Colour fill with a raw pixel value in the surface's format.
  bool Fill(DWORD color);
  bool Restore();
  // IDirectDrawSurface::IsLost (DDERR_SURFACELOST when lost); an empty wrapper has
  // nothing to lose and answers DD_OK.
  HRESULT IsLost();
  void SetClipper(TDirectDrawClipper* clipper);
  void SetPalette(TDirectDrawPalette* palette);
  void SetColorKey(DWORD flags, const DDCOLORKEY& key);
  // Source colour key with both bounds Color.
  void TransparentColor(DWORD color);

  int Width() const { return static_cast<int>(surfaceDesc_.dwWidth); }
  int Height() const { return static_cast<int>(surfaceDesc_.dwHeight); }
  RECT ClientRect() const { return Rect(0, 0, Width(), Height()); }
  int BitCount() const { return static_cast<int>(surfaceDesc_.ddpfPixelFormat.dwRGBBitCount); }

  // The canvas, acquired for the calling thread (see TDirectDrawSurfaceCanvas).
  TDirectDrawSurfaceCanvas* Canvas();
  void LoadFromGraphic(TGraphic* graphic);
  // Width or Height 0 take SrcRect's.
  void LoadFromGraphicRect(TGraphic* graphic, int width, int height, const RECT& srcRect);

  TDirectDraw* DDraw() const { return ddraw_; }
  bool HasClipper() const { return hasClipper_; }
  bool SystemMemory() const { return systemMemory_; }
  const DDSURFACEDESC& SurfaceDesc() const { return surfaceDesc_; }
  const DDSURFACEDESC& LockedDesc() const { return lockedDesc_; }

  // The interfaces, nil when absent.
  IDirectDrawSurface* IDDSurface() const { return surface_.Get(); }
  IDirectDrawSurface4* IDDSurface4() const { return surface4_.Get(); }
  IDirectDrawSurface7* IDDSurface7() const { return surface7_.Get(); }
  // The same, raising EDirectDrawSurfaceError "%s not made" when absent.
  IDirectDrawSurface* GetIDDSurface() const;
  IDirectDrawSurface4* GetIDDSurface4() const;
  IDirectDrawSurface7* GetIDDSurface7() const;

protected:
  // A surface wrapper copies itself into a TDIB (24 bits, the surface's size).
  void AssignTo(TPersistent* dest) override;

private:
  friend class TDirectDrawSurfaceCanvas;
  void ReleaseSurface();

  TDirectDraw* ddraw_;
  TDirectDrawSurfaceCanvas* canvas_ = nullptr;
  bool hasClipper_ = false;
  bool systemMemory_ = false;
  Microsoft::WRL::ComPtr<IDirectDrawSurface> surface_;
  Microsoft::WRL::ComPtr<IDirectDrawSurface4> surface4_;
  Microsoft::WRL::ComPtr<IDirectDrawSurface7> surface7_;
  DDSURFACEDESC surfaceDesc_{};
  DDSURFACEDESC lockedDesc_{};
  volatile LONG lockCount_ = 0;
  CRITICAL_SECTION lockGuard_;
};

// A surface's canvas for one block of GDI drawing, given back on every way out of it:
// the canvas is shared with the palette animation's thread.
class TSurfaceCanvasScope {
public:
  explicit TSurfaceCanvasScope(TDirectDrawSurface* surface) : canvas_(surface->Canvas()) {}
  ~TSurfaceCanvasScope() { canvas_->Release(); }
  TSurfaceCanvasScope(const TSurfaceCanvasScope&) = delete;
  TSurfaceCanvasScope& operator=(const TSurfaceCanvasScope&) = delete;

  TDirectDrawSurfaceCanvas* Canvas() const { return canvas_; }

private:
  TDirectDrawSurfaceCanvas* canvas_;
};

// The surface interface of Surface, nil also when Surface itself is nil.
inline IDirectDrawSurface* IDDSurfaceOf(const TDirectDrawSurface* surface) {
  return surface ? surface->IDDSurface() : nullptr;
}
inline IDirectDrawSurface4* IDDSurface4Of(const TDirectDrawSurface* surface) {
  return surface ? surface->IDDSurface4() : nullptr;
}
inline IDirectDrawSurface7* IDDSurface7Of(const TDirectDrawSurface* surface) {
  return surface ? surface->IDDSurface7() : nullptr;
}
