// TCustomForm (showing, modal showing, closing, window styles, the menu bar) and TScreen.
#include "forms/windows/Forms.h"

#include <algorithm>

#include "forms/runtime/Application.h"
#include "forms/graphics/CanvasBinding.h"
#include "forms/windows/Menus.h"

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), canvas_(new TControlCanvas(this)) {
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  if (Screen) Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  if (Screen) {
    auto& list = Screen->forms_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  if (HandleAllocated()) DestroyHandle();
  delete canvas_;
}

void TCustomForm::AfterConstruction() {
  TWinControl::AfterConstruction();
  DoCreate();
  // A form whose description makes it visible shows once it is complete.
  if (Visible() && !showing_) VisibleChanged();
}

void TCustomForm::BeforeDestruction() {
  if (!ComponentState().Contains(csDestroying)) {
    try {
      DoDestroy();
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  TWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass.style = CS_DBLCLKS;
  if (Parent()) return;  // docked into another control: a child window
  params.Style &= ~(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  params.WndParent = nullptr;
  switch (borderStyle_) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      params.Style |= WS_CAPTION;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
    params.Style |= WS_SYSMENU;
    bool boxes = borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin;
    if (boxes && borderIcons_.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
    if (boxes && borderIcons_.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
  }
  if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (position_ == poDefault || position_ == poDefaultPosOnly) params.X = params.Y = CW_USEDEFAULT;
  if (position_ == poDefault || position_ == poDefaultSizeOnly) params.Width = params.Height = CW_USEDEFAULT;
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (menu_) ::SetMenu(Handle(), menu_->Handle());
}

RECT TCustomForm::ClientRect() {
  if (HandleAllocated()) return TWinControl::ClientRect();
  // Without a window yet, the frame the window will have is taken off.
  TCreateParams params;
  CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, menu_ != nullptr && !Parent(), params.ExStyle);
  int w = Width() - (frame.right - frame.left), h = Height() - (frame.bottom - frame.top);
  return RECT{0, 0, std::max(w, 0), std::max(h, 0)};
}

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) {
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}

void TCustomForm::VisibleChanged() {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  if (Parent()) {  // docked: shown like any child control
    TWinControl::VisibleChanged();
    return;
  }
  if (Visible()) {
    if (showing_) return;
    showing_ = true;
    try {
      DoShow();
    } catch (...) {
      showing_ = false;
      throw;
    }
    HWND window = Handle();
    PlaceOnFirstShow();
    static const int shows[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(window, shows[windowState_]);
  } else {
    if (!showing_) return;
    showing_ = false;
    DoHide();
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::PlaceOnFirstShow() {
  if (placed_) return;
  placed_ = true;
  RECT area;
  if (position_ == poScreenCenter || (position_ == poMainFormCenter && Application &&
                                      (!Application->MainForm() || Application->MainForm() == this))) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  } else if (position_ == poMainFormCenter) {
    area = Application->MainForm()->BoundsRect();
  } else {
    return;
  }
  int x = area.left + (area.right - area.left - Width()) / 2;
  int y = area.top + (area.bottom - area.top - Height()) / 2;
  SetBounds(std::max(x, 0), std::max(y, 0), Width(), Height());
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || modal_) throw EInvalidOperation(SCannotShowModal);
  if (GetCapture()) ReleaseCapture();
  HWND previous = GetActiveWindow();
  std::vector<HWND> disabled;
  for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f != this && f->HandleAllocated() && IsWindowEnabled(f->Handle()) && IsWindowVisible(f->Handle())) {
      EnableWindow(f->Handle(), FALSE);
      disabled.push_back(f->Handle());
    }
  }
  modal_ = true;
  modalResult_ = mrNone;
  auto finish = [&]() {
    for (HWND w : disabled)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    modal_ = false;
  };
  try {
    Show();
    for (;;) {
      Application->HandleMessage();
      if (Application->Terminated()) modalResult_ = mrCancel;
      if (modalResult_ == mrNone) continue;
      TCloseAction action = caNone;
      if (CloseQuery()) {
        action = caHide;
        DoClose(action);
      }
      if (action == caNone && !Application->Terminated()) {
        modalResult_ = mrNone;
        continue;
      }
      if (action == caFree) Release();
      break;
    }
    // Re-enable the others before hiding, so that activation passes back to them.
    finish();
    Hide();
  } catch (...) {
    finish();
    Hide();
    throw;
  }
  return modalResult_;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) Application->Terminate();
  else if (action == caHide) Hide();
  else if (action == caMinimize) SetWindowState(wsMinimized);
  else Release();
}

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

TWindowState TCustomForm::WindowState() const {
  if (showing_ && const_cast<TCustomForm*>(this)->HandleAllocated()) {
    HWND w = const_cast<TCustomForm*>(this)->Handle();
    if (IsIconic(w)) return wsMinimized;
    if (IsZoomed(w)) return wsMaximized;
    return wsNormal;
  }
  return windowState_;
}

void TCustomForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (showing_) {
    static const int shows[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(Handle(), shows[state]);
  }
}

namespace {
// Applies a changed border to an existing window without making it again.
void ApplyStyle(TWinControl* form, const TCreateParams& params) {
  HWND w = form->Handle();
  LONG visible = GetWindowLongA(w, GWL_STYLE) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  SetWindowLongA(w, GWL_STYLE, static_cast<LONG>(params.Style) | visible);
  // The z-order's topmost bit and the file drops that DragAcceptFiles switched on belong
  // to the window, not to its border: a new border keeps them.
  const LONG kept = GetWindowLongA(w, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_ACCEPTFILES);
  SetWindowLongA(w, GWL_EXSTYLE, static_cast<LONG>(params.ExStyle) | kept);
  SetWindowPos(w, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  if (HandleAllocated() && !Parent()) {
    TCreateParams params;
    CreateParams(params);
    ApplyStyle(this, params);
  }
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  if (HandleAllocated() && !Parent()) {
    TCreateParams params;
    CreateParams(params);
    ApplyStyle(this, params);
  }
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_) return;
  formStyle_ = style;
  if (HandleAllocated() && !Parent())
    SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  MenuChanged();
}

void TCustomForm::MenuChanged() {
  if (!HandleAllocated() || Parent()) return;
  ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
  DrawMenuBar(Handle());
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == menu_) {
    menu_ = nullptr;
    if (HandleAllocated() && !ComponentState().Contains(csDestroying)) ::SetMenu(Handle(), nullptr);
  }
}

bool TCustomForm::Active() const {
  return const_cast<TCustomForm*>(this)->HandleAllocated() &&
         GetActiveWindow() == const_cast<TCustomForm*>(this)->Handle();
}

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(SCannotFocus);
  SetActiveWindow(Handle());
  ::SetFocus(Handle());
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC dc) {
  canvas_->FreeHandle();
  TCanvasBinding binding(*canvas_, dc);
  Paint();
}

bool TCustomForm::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  return handled;
}

void TCustomForm::Dispatch(TMessage& m) {
  if (m.Msg == CM_RELEASE) {
    Free();
    return;
  }
  if (DockMessage(m)) return;
  if (m.Msg == WM_WINDOWPOSCHANGING) WindowPosChanging(m);
  TWinControl::Dispatch(m);
}

void TCustomForm::WindowPosChanging(TMessage& m) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
  if (!OnCanResize || Parent() || (pos->flags & SWP_NOSIZE) || IsIconic(Handle())) return;
  int width = pos->cx, height = pos->cy;
  bool resize = true;
  OnCanResize(this, width, height, resize);
  if (!resize) {
    pos->flags |= SWP_NOSIZE;
    return;
  }
  pos->cx = width;
  pos->cy = height;
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMActivate(TMessage& m) {
  DefaultHandler(m);
  if (LOWORD(m.WParam) != WA_INACTIVE) {
    if (OnActivate) OnActivate(this);
  } else if (OnDeactivate) {
    OnDeactivate(this);
  }
}

void TCustomForm::WMCommand(TMessage& m) {
  if (m.LParam == 0 && HIWORD(m.WParam) <= 1 && TMenuItem::DispatchCommand(LOWORD(m.WParam))) return;
  TWinControl::WMCommand(m);
}

void TCustomForm::WMSysCommand(TMessage& m) { DefaultHandler(m); }

void TCustomForm::WMInitMenuPopup(TMessage& m) { DefaultHandler(m); }

void TCustomForm::WMSetCursor(TMessage& m) {
  // Graphic controls have no window to ask for their cursor: the form asks for them.
  if (LOWORD(m.LParam) == HTCLIENT && Screen->Cursor() == crDefault &&
      reinterpret_cast<HWND>(m.WParam) == Handle()) {
    POINT p;
    if (GetCursorPos(&p)) {
      TControl* control = ControlAtPos(ScreenToClient(p), false);
      if (control && control->Cursor() != crDefault) {
        ::SetCursor(Screen->Cursors(control->Cursor()));
        m.Result = TRUE;
        return;
      }
    }
  }
  DefaultHandler(m);
}

bool TCustomForm::PaletteChanged(bool foreground) {
  bool handled = false;
  struct Walk {
    static bool Children(TWinControl* parent, bool fg) {
      bool any = false;
      for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c->PaletteChanged(fg)) any = true;
        if (auto* w = dynamic_cast<TWinControl*>(c))
          if (!dynamic_cast<TCustomForm*>(w) && Children(w, fg)) any = true;
      }
      return any;
    }
  };
  handled = Walk::Children(this, foreground);
  return handled;
}

// TScreen.

int TScreen::PixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

HCURSOR TScreen::Cursors(TCursor id) const {
  for (const auto& entry : cursors_)
    if (entry.first == id) return entry.second;
  LPCSTR system = IDC_ARROW;
  switch (id) {
    case crCross: system = IDC_CROSS; break;
    case crIBeam: system = IDC_IBEAM; break;
    case crSizeNESW: system = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: system = IDC_SIZENS; break;
    case crSizeNWSE: system = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: system = IDC_SIZEWE; break;
    case crUpArrow: system = IDC_UPARROW; break;
    case crHourGlass: case crSQLWait: system = IDC_WAIT; break;
    case crNo: case crNoDrop: system = IDC_NO; break;
    case crAppStart: system = IDC_APPSTARTING; break;
    case crHelp: system = IDC_HELP; break;
    case crHandPoint: system = IDC_HAND; break;
    case crSizeAll: system = IDC_SIZEALL; break;
    case crNone: return nullptr;
    default: break;
  }
  return LoadCursorA(nullptr, system);
}

void TScreen::SetCursors(TCursor id, HCURSOR cursor) {
  for (auto& entry : cursors_)
    if (entry.first == id) {
      entry.second = cursor;
      return;
    }
  cursors_.emplace_back(id, cursor);
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  ::SetCursor(Cursors(cursor == crDefault ? crArrow : cursor));
}

TCustomForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* f : forms_)
    if (f->HandleAllocated() && f->Handle() == active) return f;
  return nullptr;
}
