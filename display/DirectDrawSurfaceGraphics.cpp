// The GDI side of a DirectDraw surface: its canvas over the surface's device context,
// loading from graphics and pictures, copying into a TDIB, and duplication.
#include "dib/DIB.h"
#include "display/DirectDrawSurface.h"
#include "forms/graphics/Picture.h"

using Microsoft::WRL::ComPtr;

TDirectDrawSurfaceCanvas::TDirectDrawSurfaceCanvas(TDirectDrawSurface* surface) : surface_(surface) {
  InitializeCriticalSection(&turn_);
}

TDirectDrawSurfaceCanvas::~TDirectDrawSurfaceCanvas() {
  Release();
  if (surface_->canvas_ == this) surface_->canvas_ = nullptr;
  DeleteCriticalSection(&turn_);
}

void TDirectDrawSurfaceCanvas::Acquire() {
  const DWORD self = GetCurrentThreadId();
  if (user_.load() == self) return;
  EnterCriticalSection(&turn_);
  user_.store(self);
}

void TDirectDrawSurfaceCanvas::CreateHandle() {
  Acquire();
  IDirectDrawSurface* surface = surface_->IDDSurface();
  if (!surface) return;
  HDC dc = nullptr;
  HRESULT hr = surface->GetDC(&dc);
  surface_->SetDXResult(hr);
  if (hr != DD_OK) return;
  dc_ = dc;
  SetHandle(dc);
}

void TDirectDrawSurfaceCanvas::Release() {
  if (user_.load() != GetCurrentThreadId()) return;
  IDirectDrawSurface* surface = surface_->IDDSurface();
  if (dc_) {
    SetHandle(nullptr);
    // Nothing to do about a refusal: the DC is gone either way.
    if (surface) surface->ReleaseDC(dc_);
    dc_ = nullptr;
  }
  user_.store(0);
  LeaveCriticalSection(&turn_);
}

void TDirectDrawSurface::Assign(TPersistent* source) {
  if (!source) {
    SetIDDSurface(nullptr);
  } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    LoadFromGraphic(graphic);
  } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
    if (picture->Graphic())
      LoadFromGraphic(picture->Graphic());
    else
      SetIDDSurface(nullptr);  // an empty picture gives an empty surface
  } else if (auto* other = dynamic_cast<TDirectDrawSurface*>(source)) {
    if (!other->IDDSurface()) {
      SetIDDSurface(nullptr);
      return;
    }
    ComPtr<IDirectDrawSurface> duplicate;
    HRESULT hr = ddraw_->GetIDDraw()->DuplicateSurface(other->IDDSurface(), duplicate.GetAddressOf());
    ddraw_->SetDXResult(hr);
    if (hr == DD_OK) SetIDDSurface(duplicate.Get());
  } else {
    TDirectX::Assign(source);
  }
}

void TDirectDrawSurface::AssignTo(TPersistent* dest) {
  auto* dib = dynamic_cast<TDIB*>(dest);
  if (!dib) {
    TDirectX::AssignTo(dest);
    return;
  }
  dib->SetSize(Width(), Height(), 24);
  if (!surface_) return;  // an empty surface gives an empty bitmap, with nothing to copy
  TSurfaceCanvasScope scope(this);
  dib->Canvas()->CopyRect(Rect(0, 0, dib->Width(), dib->Height()), scope.Canvas(), ClientRect());
}

void TDirectDrawSurface::LoadFromGraphic(TGraphic* graphic) {
  LoadFromGraphicRect(graphic, 0, 0, Rect(0, 0, graphic->Width(), graphic->Height()));
}

void TDirectDrawSurface::LoadFromGraphicRect(TGraphic* graphic, int width, int height, const RECT& srcRect) {
  const int srcWidth = srcRect.right - srcRect.left;
  const int srcHeight = srcRect.bottom - srcRect.top;
  if (width == 0) width = srcWidth;
  if (height == 0) height = srcHeight;
  SetSize(width, height);
  if (!surface_) return;  // nothing to draw on: an empty graphic or source rectangle
  try {
    if (auto* dib = dynamic_cast<TDIB*>(graphic)) {
      StretchBlt(Canvas()->Handle(), 0, 0, width, height, dib->Canvas()->Handle(), srcRect.left, srcRect.top,
                 srcWidth, srcHeight, SRCCOPY);
    } else if (graphic->Width() == srcWidth && graphic->Height() == srcHeight) {
      Canvas()->Draw(-srcRect.left, -srcRect.top, graphic);
    } else {
      TDIB part;
      part.SetSize(srcWidth, srcHeight, 24);
      part.Canvas()->Draw(-srcRect.left, -srcRect.top, graphic);
      Canvas()->StretchDraw(Rect(0, 0, width, height), &part);
    }
  } catch (...) {
    Canvas()->Release();
    throw;
  }
  Canvas()->Release();
}
