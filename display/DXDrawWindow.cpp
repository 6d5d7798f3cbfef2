// The display control as a window: the hook on its form's window procedure (first
// showing, deactivation, menus, destruction), finding the form through the parents,
// loading, bounds that the back surface follows, painting, a re-created window and
// palette notifications.
#include <windows.h>

#include "display/ControlSubClass.h"
#include "display/DXDraw.h"
#include "display/DirectDrawClipper.h"
#include "display/DirectDrawSurface.h"
#include "forms/windows/Forms.h"

void TCustomDXDraw::FormWndProc(void* data, TMessage& message, const TWndMethod& previous) {
  auto* self = static_cast<TCustomDXDraw*>(data);
  switch (message.Msg) {
    case WM_DESTROY:
      // The form's own destruction must run even when a finalise handler raises.
      try {
        self->Finalize();
      } catch (...) {
        previous(message);
        throw;
      }
      previous(message);
      break;
    case WM_ACTIVATE:
      self->formActive_.store(LOWORD(message.WParam) != WA_INACTIVE);
      if (LOWORD(message.WParam) == WA_INACTIVE) self->FlipToGDISurface();
      previous(message);
      break;
    case WM_WINDOWPOSCHANGED: {
      previous(message);
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      if (pos && (pos->flags & SWP_SHOWWINDOW) && self->autoInitialize_ && !self->initializeCalled_)
        self->Initialize();
      break;
    }
    case WM_INITMENU:
      self->FlipToGDISurface();
      previous(message);
      break;
    default:
      previous(message);
      break;
  }
}

void TCustomDXDraw::SetParent(TWinControl* parent) {
  TCustomControl::SetParent(parent);
  parentForm_ = nullptr;
  FreeAndNil(subClass_);
  for (TWinControl* p = Parent(); p; p = p->Parent()) {
    if (auto* form = dynamic_cast<TCustomForm*>(p)) {
      parentForm_ = form;
      break;
    }
  }
  if (!parentForm_) return;
  formActive_.store(parentForm_->Active());
  subClass_ = new TControlSubClass(parentForm_, &TCustomDXDraw::FormWndProc, this);
}

void TCustomDXDraw::Loaded() {
  TCustomControl::Loaded();
  if (autoSize_) {
    surfaceWidth_ = ClientWidth();
    surfaceHeight_ = ClientHeight();
  }
  if (autoInitialize_ && !subClass_) Initialize();
}

void TCustomDXDraw::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  if (autoSize_ && !calling_) SetSize(ClientWidth(), ClientHeight());
}

void TCustomDXDraw::Paint() {
  TCustomControl::Paint();
  Present(false);
  if (Parent() && initialized_ && surface_ &&
      (surface_->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY))
    Parent()->Invalidate();
}

void TCustomDXDraw::WMCreate(TMessage& m) {
  TCustomControl::WMCreate(m);
  if (initialized_ && !calling_) {
    clipper_->SetHWnd(Handle());
    SetCooperativeLevel();
  }
}

bool TCustomDXDraw::PaletteChanged(bool foreground) {
  if (!foreground) return false;
  Restore();
  return true;
}
