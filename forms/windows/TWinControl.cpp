// TWinControl: window creation and destruction, children and their alignment, keyboard
// processing, painting of graphic children.
#include "forms/windows/TWinControl.h"

#include <windowsx.h>

#include <algorithm>

#include "forms/runtime/Application.h"
#include "forms/windows/Controls.h"
#include "forms/windows/DialogKeys.h"
#include "forms/core/FlagScope.h"
#include "forms/windows/Forms.h"
#include "forms/windows/HintTip.h"

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
      UpdateHintTip();
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

void TWinControl::SetParentWindow(HWND window) {
  if (window == parentWindow_) return;
  parentWindow_ = window;
  if (handle_ && !parent_) ::SetParent(handle_, window);
}

void TWinControl::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  UpdateHintTip();
}

// The tip goes with the window: made with it, or when a hint comes to a window that has
// none yet.
void TWinControl::UpdateHintTip() {
  if (!handle_) return;
  if (hint_.empty()) {
    delete hintTip_;
    hintTip_ = nullptr;
  } else if (hintTip_) {
    hintTip_->SetText(hint_);
  } else if (HWND parent = GetParent(handle_); parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)) {
    hintTip_ = new THintTip(handle_, parent, hint_);
  }
}

// The tips of this control and of its children see the mouse over this window.
void TWinControl::RelayToHintTips(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hintTip_) hintTip_->Relay(handle_, msg, wParam, lParam);
  for (TControl* control : controls_)
    if (auto* child = dynamic_cast<TWinControl*>(control); child && child->hintTip_)
      child->hintTip_->Relay(handle_, msg, wParam, lParam);
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
  TFlagScope aligning(aligning_);
  RECT r = ClientRect();
  alignedClient_ = SIZE{r.right - r.left, r.bottom - r.top};
  AlignControls(r);
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
  else params.WndParent = parentWindow_;
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
      // The last button's release lets the mouse go even when the control's handler raises.
      auto release = [&] {
        if (up && mouseControl == target && !(m.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
          mouseControl = nullptr;
          if (GetCapture() == handle_) ReleaseCapture();
        }
      };
      try {
        m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - target->left_, p.y - target->top_));
      } catch (...) {
        release();
        throw;
      }
      release();
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
  // A new frame (a border or a menu given or taken) changes the client area at the same
  // outer size: the children are aligned to it again.
  const bool frameChanged = (pos->flags & SWP_FRAMECHANGED) != 0;
  if (pos->flags & SWP_NOSIZE && pos->flags & SWP_NOMOVE && !frameChanged) return;
  if (IsIconic(handle_)) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  bool resized = r.right - r.left != width_ || r.bottom - r.top != height_;
  UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (hintTip_) hintTip_->Place();
  RECT client;
  GetClientRect(handle_, &client);
  const bool clientChanged = frameChanged && (client.right != alignedClient_.cx || client.bottom != alignedClient_.cy);
  if (resized || clientChanged) Realign();
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
