#include "explorer/files/DisplayPicture.h"

#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"

std::unique_ptr<TBitmap> DisplayPicture(TDXDraw* display) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(display->SurfaceWidth(), display->SurfaceHeight());
  if (TDirectDrawSurface* surface = display->Surface()) {
    TSurfaceCanvasScope scope(surface);
    const RECT rect = surface->ClientRect();
    bitmap->Canvas()->SetCopyMode(SRCCOPY);
    bitmap->Canvas()->CopyRect(rect, scope.Canvas(), rect);
  }
  return bitmap;
}
