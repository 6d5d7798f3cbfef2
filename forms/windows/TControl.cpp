// TControl: bounds and alignment, visibility, mouse processing, dispatch by message
// number; the shift-state helpers and the parent form.
#include "forms/windows/TControl.h"

#include <windowsx.h>

#include <algorithm>

#include "forms/runtime/Application.h"
#include "forms/windows/Controls.h"
#include "forms/windows/Forms.h"

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TCustomForm* GetParentForm(TControl* control) {
  if (!control) return nullptr;
  while (control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(control);
}

// TControl.

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = MakeEvent(this, &TControl::WndProc);
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (constraints_.MinWidth > 0 && width < constraints_.MinWidth) width = constraints_.MinWidth;
  if (constraints_.MinHeight > 0 && height < constraints_.MinHeight) height = constraints_.MinHeight;
  if (constraints_.MaxWidth > 0 && width > constraints_.MaxWidth) width = constraints_.MaxWidth;
  if (constraints_.MaxHeight > 0 && height > constraints_.MaxHeight) height = constraints_.MaxHeight;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  UpdateBoundsFields(left, top, width, height);
  Invalidate();
  RequestAlign();
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
  bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (resized) Resize();
}

RECT TControl::ClientRect() { return RECT{0, 0, width_, height_}; }

int TControl::ClientWidth() {
  RECT r = ClientRect();
  return r.right - r.left;
}

int TControl::ClientHeight() {
  RECT r = ClientRect();
  return r.bottom - r.top;
}

void TControl::SetClientWidth(int value) { SetBounds(left_, top_, width_ - ClientWidth() + value, height_); }

void TControl::SetClientHeight(int value) {
  SetBounds(left_, top_, width_, height_ - ClientHeight() + value);
}

POINT TControl::ClientToScreen(POINT p) {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    ::ClientToScreen(w->Handle(), &p);
    return p;
  }
  if (!parent_) return p;
  return parent_->ClientToScreen(POINT{p.x + left_, p.y + top_});
}

POINT TControl::ScreenToClient(POINT p) {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    ::ScreenToClient(w->Handle(), &p);
    return p;
  }
  if (!parent_) return p;
  POINT q = parent_->ScreenToClient(p);
  return POINT{q.x - left_, q.y - top_};
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  RequestAlign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
  RequestAlign();
}

void TControl::VisibleChanged() {
  if (parent_ && parent_->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->handle_, &r, TRUE);
  }
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Invalidate();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  TextChanged();
}

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::Invalidate() {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    if (w->HandleAllocated()) InvalidateRect(w->handle_, nullptr, !controlStyle_.Contains(csOpaque));
    return;
  }
  if (parent_ && parent_->HandleAllocated() && visible_) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->handle_, &r, !controlStyle_.Contains(csOpaque));
  }
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    if (w->HandleAllocated())
      SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (parent_) {
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Invalidate();
  }
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::RequestAlign() {
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::WndProc(TMessage& message) { Dispatch(message); }

void TControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      MouseMessage(m);
      break;
    case WM_MOUSEWHEEL: WMMouseWheel(m); break;
    case WM_PAINT: WMPaint(m); break;
    case WM_ERASEBKGND: WMEraseBkgnd(m); break;
    case WM_CREATE: WMCreate(m); break;
    case WM_DESTROY: WMDestroy(m); break;
    case WM_SIZE: WMSize(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: WMKeyDown(m); break;
    case WM_KEYUP: case WM_SYSKEYUP: WMKeyUp(m); break;
    case WM_CHAR: WMChar(m); break;
    case WM_COMMAND: WMCommand(m); break;
    case WM_SYSCOMMAND: WMSysCommand(m); break;
    case WM_CLOSE: WMClose(m); break;
    case WM_TIMER: WMTimer(m); break;
    case WM_ACTIVATE: WMActivate(m); break;
    case WM_ACTIVATEAPP: WMActivateApp(m); break;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(m); break;
    case WM_INITMENU: WMInitMenu(m); break;
    case WM_INITMENUPOPUP: WMInitMenuPopup(m); break;
    case WM_DROPFILES: WMDropFiles(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_KILLFOCUS: WMKillFocus(m); break;
    case WM_SETCURSOR: WMSetCursor(m); break;
    case WM_QUERYNEWPALETTE:
      if (PaletteChanged(true)) m.Result = 1;
      else DefaultHandler(m);
      break;
    case WM_PALETTECHANGED:
      if (!PaletteChanged(false)) DefaultHandler(m);
      break;
    default: DefaultHandler(m); break;
  }
}

void TControl::DefaultHandler(TMessage&) {}

bool TControl::PaletteChanged(bool) { return false; }

void TControl::WMActivateApp(TMessage& m) {
  DefaultHandler(m);
  if (Application) Application->ActivateChanged(m.WParam != 0);
}

void TControl::WMGetMinMaxInfo(TMessage& m) {
  DefaultHandler(m);
  auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
  if (constraints_.MinWidth > 0) info->ptMinTrackSize.x = constraints_.MinWidth;
  if (constraints_.MinHeight > 0) info->ptMinTrackSize.y = constraints_.MinHeight;
  if (constraints_.MaxWidth > 0) info->ptMaxTrackSize.x = constraints_.MaxWidth;
  if (constraints_.MaxHeight > 0) info->ptMaxTrackSize.y = constraints_.MaxHeight;
}

void TControl::WMMouseWheel(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (DoMouseWheel(KeysToShiftState(GET_KEYSTATE_WPARAM(m.WParam)), GET_WHEEL_DELTA_WPARAM(m.WParam), p))
    m.Result = 0;
  else
    DefaultHandler(m);
}

bool TControl::DoMouseWheel(TShiftState, int, POINT) {
  // An unhandled turn reaches the parent window, and so the form, once: through the
  // default procedure, which passes it up.
  return false;
}

void TControl::MouseMessage(TMessage& m) {
  DefaultHandler(m);
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TShiftState shift = KeysToShiftState(m.WParam);
  auto* self = dynamic_cast<TWinControl*>(this);
  auto capture = [&](bool on) {
    if (!self || !controlStyle_.Contains(csCaptureMouse)) return;
    if (on) {
      SetCapture(self->handle_);
      mouseCaptured_ = true;
    } else if (mouseCaptured_) {
      mouseCaptured_ = false;
      if (GetCapture() == self->handle_) ReleaseCapture();
    }
  };
  switch (m.Msg) {
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    case WM_LBUTTONDOWN: capture(true); MouseDown(mbLeft, shift, x, y); break;
    case WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); break;
    case WM_LBUTTONDBLCLK:
      capture(true);
      if (controlStyle_.Contains(csDoubleClicks)) DblClick();
      MouseDown(mbLeft, shift + TShiftState{ssDouble}, x, y);
      break;
    case WM_RBUTTONDBLCLK: MouseDown(mbRight, shift + TShiftState{ssDouble}, x, y); break;
    case WM_MBUTTONDBLCLK: MouseDown(mbMiddle, shift + TShiftState{ssDouble}, x, y); break;
    case WM_LBUTTONUP: {
      capture(false);
      RECT r = ClientRect();
      POINT p{x, y};
      if (controlStyle_.Contains(csClickEvents) && PtInRect(&r, p)) {
        // A click handler that raises must not leave the control held down: the release
        // completes, and the exception goes on to the application's handler.
        try {
          Click();
        } catch (...) {
          MouseUp(mbLeft, shift, x, y);
          throw;
        }
      }
      MouseUp(mbLeft, shift, x, y);
      break;
    }
    case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
  }
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}
