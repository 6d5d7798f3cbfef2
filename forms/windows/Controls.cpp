// The control canvas, TCustomControl and TGraphicControl.
#include "forms/windows/Controls.h"

#include <algorithm>
#include <vector>

#include "forms/graphics/CanvasBinding.h"

// The canvases of controls.

namespace {
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> list;
  return list;
}
}  // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  TWinControl* window = dynamic_cast<TWinControl*>(control_);
  POINT offset{0, 0};
  if (!window) {
    window = control_->Parent();
    offset = POINT{control_->Left(), control_->Top()};
  }
  if (!window) return;
  dcWindow_ = window->Handle();
  ownDC_ = GetDCEx(dcWindow_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!ownDC_) return;
  SetViewportOrgEx(ownDC_, offset.x, offset.y, nullptr);
  if (window != control_) IntersectClipRect(ownDC_, 0, 0, control_->Width(), control_->Height());
  SetHandle(ownDC_);
  CanvasesWithDC().push_back(this);
}

void TControlCanvas::FreeHandle() {
  if (!ownDC_) return;
  if (CurrentHandle() == ownDC_) SetHandle(nullptr);
  ReleaseDC(dcWindow_, ownDC_);
  ownDC_ = nullptr;
  auto& list = CanvasesWithDC();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void FreeDeviceContexts() {
  auto list = CanvasesWithDC();
  for (TControlCanvas* c : list) c->FreeHandle();
}

// TCustomControl and TGraphicControl.

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(new TControlCanvas(this)) {}

TCustomControl::~TCustomControl() { delete canvas_; }

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->FreeHandle();
  TCanvasBinding binding(*canvas_, dc);
  Paint();
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(new TControlCanvas(this)) {}

TGraphicControl::~TGraphicControl() { delete canvas_; }

void TGraphicControl::WMPaint(TMessage& m) {
  if (!m.WParam) return;
  canvas_->FreeHandle();
  TCanvasBinding binding(*canvas_, reinterpret_cast<HDC>(m.WParam));
  Paint();
}
