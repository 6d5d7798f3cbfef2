// TControl and TWinControl: bounds and alignment, visibility, mouse and keyboard
// processing, painting of graphic children, window creation and destruction.
#include "forms/Controls.h"

#include <windowsx.h>

#include <algorithm>

#include "forms/Application.h"
#include "forms/DialogKeys.h"
#include "forms/Forms.h"

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

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) {
  // Unhandled turns go to the form, as a mouse wheel belongs to the window under focus.
  TCustomForm* form = GetParentForm(this);
  if (form && form != static_cast<TControl*>(this))
    return static_cast<TControl*>(form)->DoMouseWheel(shift, wheelDelta, mousePos);
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
      if (controlStyle_.Contains(csClickEvents) && PtInRect(&r, p)) Click();
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

// TWinControl.

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  if (handle_) DestroyHandle();
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    RemoveControl(child);
    child->Free();
  }
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  // While every override still stands, so that the last messages reach whole objects.
  if (handle_) DestroyHandle();
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (parent_) parent_->Handle();
    if (!handle_) {
      CreateWnd();
      CreateChildHandles();
      Realign();
    }
  }
  return handle_;
}

void TWinControl::CreateChildHandles() {
  for (size_t i = 0; i < controls_.size(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(controls_[i]))
      if (!child->handle_) child->Handle();
}

bool TWinControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw EListError(SListIndexError, index);
  return controls_[index];
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (w->handle_) {
      if (handle_) ::SetParent(w->handle_, handle_);
      else w->DestroyHandle();
    } else if (handle_) {
      w->Handle();
    }
  }
  if (control->Visible()) Realign();
  control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  control->Invalidate();
  controls_.erase(it);
  control->parent_ = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(control))
    if (w->handle_ && !(w->ComponentState().Contains(csDestroying))) w->DestroyHandle();
  if (!ComponentState().Contains(csDestroying)) Realign();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const TSizeConstraints& c = Constraints();
  if (c.MinWidth > 0 && width < c.MinWidth) width = c.MinWidth;
  if (c.MinHeight > 0 && height < c.MinHeight) height = c.MinHeight;
  if (c.MaxWidth > 0 && width > c.MaxWidth) width = c.MaxWidth;
  if (c.MaxHeight > 0 && height > c.MaxHeight) height = c.MaxHeight;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (handle_ && !IsIconic(handle_)) {
    // WM_WINDOWPOSCHANGED brings the fields up to date and aligns the children.
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    UpdateBoundsFields(left, top, width, height);
    Realign();
  }
  RequestAlign();
}

RECT TWinControl::ClientRect() {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

void TWinControl::Realign() {
  if (!handle_ || aligning_ || ComponentState().Contains(csDestroying)) return;
  aligning_ = true;
  RECT r = ClientRect();
  try {
    AlignControls(r);
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

void TWinControl::AlignControls(RECT& r) {
  static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign align : order) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->Align() == align && c->Visible()) list.push_back(c);
    if (align == alTop) std::stable_sort(list.begin(), list.end(), [](TControl* a, TControl* b) { return a->top_ < b->top_; });
    if (align == alBottom) std::stable_sort(list.begin(), list.end(), [](TControl* a, TControl* b) { return a->top_ > b->top_; });
    if (align == alLeft) std::stable_sort(list.begin(), list.end(), [](TControl* a, TControl* b) { return a->left_ < b->left_; });
    if (align == alRight) std::stable_sort(list.begin(), list.end(), [](TControl* a, TControl* b) { return a->left_ > b->left_; });
    for (TControl* c : list) {
      int w = r.right - r.left, h = r.bottom - r.top;
      switch (align) {
        case alTop: c->SetBounds(r.left, r.top, w, c->height_); r.top += c->height_; break;
        case alBottom: c->SetBounds(r.left, r.bottom - c->height_, w, c->height_); r.bottom -= c->height_; break;
        case alLeft: c->SetBounds(r.left, r.top, c->width_, h); r.left += c->width_; break;
        case alRight: c->SetBounds(r.right - c->width_, r.top, c->width_, h); r.right -= c->width_; break;
        default: c->SetBounds(r.left, r.top, std::max(w, 0), std::max(h, 0)); break;
      }
    }
  }
}

void TWinControl::SetVisible(bool visible) { TControl::SetVisible(visible); }

void TWinControl::VisibleChanged() {
  if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
  TControl::SetEnabled(enabled);
  if (handle_) EnableWindow(handle_, enabled);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(SCannotFocus);
  ::SetFocus(Handle());
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = Caption();
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  if (parent_) params.WndParent = parent_->Handle();
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  params.WinClassName = ClassName();
}

void TWinControl::DestroyWnd() {
  if (handle_) DestroyWindow(handle_);
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  DestroyWnd();
  handle_ = nullptr;  // WM_NCDESTROY has cleared it already when the window is gone
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (handle_) m.Result = CallWindowProcA(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::Dispatch(TMessage& m) {
  // A child control's scroll and notification messages go back to the child.
  if (m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL) {
    TWinControl* child = m.LParam ? FindControl(reinterpret_cast<HWND>(m.LParam)) : nullptr;
    if (child && child != this) {
      m.Result = child->Perform(m.Msg == WM_HSCROLL ? CN_HSCROLL : CN_VSCROLL, m.WParam, m.LParam);
      return;
    }
  } else if (m.Msg == WM_NOTIFY && m.LParam) {
    TWinControl* child = FindControl(reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom);
    if (child && child != this) {
      m.Result = child->Perform(CN_NOTIFY, m.WParam, m.LParam);
      return;
    }
  }
  // Mouse messages over a graphic child (or to the one that holds the mouse) go to it.
  static TControl* mouseControl = nullptr;
  if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK && m.Msg != WM_MOUSEWHEEL) {
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TControl* target = nullptr;
    if (mouseControl && mouseControl->parent_ == this) target = mouseControl;
    else target = ControlAtPos(p, false);
    if (target) {
      bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN ||
                  m.Msg == WM_LBUTTONDBLCLK;
      bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
      if (down) {
        mouseControl = target;
        SetCapture(handle_);
      }
      m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - target->left_, p.y - target->top_));
      if (up && mouseControl == target && !(m.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
        mouseControl = nullptr;
        if (GetCapture() == handle_) ReleaseCapture();
      }
      return;
    }
  }
  TControl::Dispatch(m);
}

void TWinControl::WMPaint(TMessage& m) {
  bool graphicChildren = false;
  for (TControl* c : controls_)
    if (c->Visible() && !dynamic_cast<TWinControl*>(c)) graphicChildren = true;
  if (m.WParam) {
    PaintWindow(reinterpret_cast<HDC>(m.WParam));
    PaintControls(reinterpret_cast<HDC>(m.WParam));
    return;
  }
  if (!graphicChildren && defWndProc_ != &DefWindowProcA && !dynamic_cast<TCustomControl*>(this) &&
      !dynamic_cast<TCustomForm*>(this)) {
    DefaultHandler(m);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  try {
    PaintWindow(dc);
    PaintControls(dc);
  } catch (...) {
    EndPaint(handle_, &ps);
    throw;
  }
  EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  if (defWndProc_ != &DefWindowProcA) DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (!c->Visible() || dynamic_cast<TWinControl*>(c)) continue;
    RECT r = c->BoundsRect(), clip;
    if (GetClipBox(dc, &clip) != NULLREGION && !IntersectRect(&clip, &clip, &r)) continue;
    int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + c->left_, origin.y + c->top_, nullptr);
    IntersectClipRect(dc, 0, 0, c->width_, c->height_);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  if (defWndProc_ != &DefWindowProcA) {
    DefaultHandler(m);
    return;
  }
  if (!ControlStyle().Contains(csOpaque)) {
    brush_.SetColor(Color());
    RECT r;
    GetClientRect(handle_, &r);
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, static_cast<HBRUSH>(brush_.Handle()));
  }
  m.Result = 1;
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
  DefaultHandler(m);
  auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
  if (pos->flags & SWP_NOSIZE && pos->flags & SWP_NOMOVE) return;
  if (IsIconic(handle_)) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  bool resized = r.right - r.left != width_ || r.bottom - r.top != height_;
  UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (resized) Realign();
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WMKeyDown(TMessage& m) {
  WORD key = static_cast<WORD>(m.WParam);
  TShiftState shift = KeyboardShiftState();
  TCustomForm* form = GetParentForm(this);
  if (form && form != static_cast<TWinControl*>(this) && form->KeyPreview()) form->KeyDown(key, shift);
  if (key) KeyDown(key, shift);
  // Enter, Escape and Tab that the control does not want work the form's buttons and focus.
  if (key && m.Msg == WM_KEYDOWN && DialogKey(this, key)) return;
  if (key) {
    m.WParam = key;
    DefaultHandler(m);
  }
}

void TWinControl::WMKeyUp(TMessage& m) {
  WORD key = static_cast<WORD>(m.WParam);
  TShiftState shift = KeyboardShiftState();
  TCustomForm* form = GetParentForm(this);
  if (form && form != static_cast<TWinControl*>(this) && form->KeyPreview()) form->KeyUp(key, shift);
  if (key) KeyUp(key, shift);
  if (key) {
    m.WParam = key;
    DefaultHandler(m);
  }
}

void TWinControl::WMChar(TMessage& m) {
  char key = static_cast<char>(m.WParam);
  TCustomForm* form = GetParentForm(this);
  if (form && form != static_cast<TWinControl*>(this) && form->KeyPreview()) form->KeyPress(key);
  if (key) KeyPress(key);
  if (key) {
    m.WParam = static_cast<unsigned char>(key);
    DefaultHandler(m);
  }
}

void TWinControl::WMCommand(TMessage& m) {
  // A child control's notification goes back to the child.
  if (m.LParam) {
    if (TWinControl* child = FindControl(reinterpret_cast<HWND>(m.LParam))) {
      m.Result = child->Perform(CN_COMMAND, m.WParam, m.LParam);
      return;
    }
  }
  DefaultHandler(m);
}

void TWinControl::TextChanged() {
  if (handle_) SetWindowTextA(handle_, Caption().c_str());
}

void TWinControl::ColorChanged() {
  brush_.SetColor(Color());
  Invalidate();
}

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
  canvas_->Lock();
  canvas_->FreeHandle();
  canvas_->SetHandle(dc);
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(new TControlCanvas(this)) {}

TGraphicControl::~TGraphicControl() { delete canvas_; }

void TGraphicControl::WMPaint(TMessage& m) {
  if (!m.WParam) return;
  canvas_->Lock();
  canvas_->FreeHandle();
  canvas_->SetHandle(reinterpret_cast<HDC>(m.WParam));
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
}
