// TSystemControl: font, focus events and the notifications sent back by the parent.
#include "forms/controls/SystemControl.h"

TSystemControl::TSystemControl(TComponent* owner) : TWinControl(owner), TParentFontHolder(this) {
  // The system class does its own mouse handling and reports clicks by notification.
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
}

void TSystemControl::SetParent(TWinControl* parent) {
  TWinControl::SetParent(parent);
  RefreshParentFont();
}

void TSystemControl::CreateWnd() {
  RefreshParentFont();
  TWinControl::CreateWnd();
  ApplyFont();
}

void TSystemControl::FontChanged() {
  ApplyFont();
  Invalidate();
}

void TSystemControl::ApplyFont() {
  if (!HandleAllocated()) return;
  HWND window = Handle();
  SendMessageA(window, WM_SETFONT, 0, FALSE);
  windowFont_.Assign(Font());
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Handle()), TRUE);
}

void TSystemControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: CNCommand(m); return;
    case CN_NOTIFY: CNNotify(m); return;
    case CN_HSCROLL: CNHScroll(m); return;
    case CN_VSCROLL: CNVScroll(m); return;
    default: TWinControl::Dispatch(m); return;
  }
}

void TSystemControl::WMSetFocus(TMessage& m) {
  DefaultHandler(m);
  DoEnter();
}

void TSystemControl::WMKillFocus(TMessage& m) {
  DefaultHandler(m);
  DoExit();
}

void TSystemControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TSystemControl::DoExit() {
  if (OnExit) OnExit(this);
}
