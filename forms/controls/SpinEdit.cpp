// TSpinEdit: the edit window holds an up-down control of the common controls as a
// child at its right edge; the edit keeps the value as its text.
#include "forms/controls/SpinEdit.h"

#include <commctrl.h>

#include <climits>

#include "forms/controls/CommonControls.h"

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
  SetText("0");
}

int TSpinEdit::Clamp(long long value) const {
  if (minValue_ != 0 || maxValue_ != 0) {
    if (value < minValue_) value = minValue_;
    if (value > maxValue_) value = maxValue_;
  }
  if (value < INT_MIN) value = INT_MIN;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

int TSpinEdit::Value() const {
  long long value = 0;
  if (!TryStrToInt(Trim(Text()), value)) value = minValue_;
  return Clamp(value);
}

void TSpinEdit::SetValue(int value) { SetText(IntToStr(Clamp(value))); }

void TSpinEdit::SetMinValue(int value) {
  minValue_ = value;
  if (maxValue_ < minValue_) maxValue_ = minValue_;
}

void TSpinEdit::SetMaxValue(int value) {
  maxValue_ = value;
  if (minValue_ > maxValue_) minValue_ = maxValue_;
}

void TSpinEdit::Step(int direction) {
  if (ReadOnly()) return;
  SetValue(Clamp(static_cast<long long>(Value()) + static_cast<long long>(direction) * increment_));
}

void TSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  InitCommonControlClasses(ICC_UPDOWN_CLASS);
  upDown_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | (Enabled() ? 0 : WS_DISABLED), 0, 0,
                            0, 0, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!upDown_) throw EOutOfResources(SWindowCreate);
  // A range around a middle position that every step is refused from, so the arrows
  // never stop at an end of their own.
  SendMessageA(upDown_, UDM_SETRANGE32, 0, 100);
  SendMessageA(upDown_, UDM_SETPOS32, 0, 50);
  PlaceUpDown();
}

void TSpinEdit::DestroyWnd() {
  upDown_ = nullptr;  // a child of the edit: it goes with it
  TCustomEdit::DestroyWnd();
}

void TSpinEdit::PlaceUpDown() {
  if (!upDown_) return;
  RECT client;
  GetClientRect(Handle(), &client);
  int width = GetSystemMetrics(SM_CXVSCROLL);
  if (width > client.right) width = client.right;
  SetWindowPos(upDown_, nullptr, client.right - width, 0, width, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TSpinEdit::WMSize(TMessage& m) {
  TCustomEdit::WMSize(m);
  PlaceUpDown();
}

void TSpinEdit::Dispatch(TMessage& m) {
  if (upDown_ && m.Msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom == upDown_) {
    auto* change = reinterpret_cast<NMUPDOWN*>(m.LParam);
    if (change->hdr.code == UDN_DELTAPOS) {
      if (change->iDelta != 0) Step(change->iDelta > 0 ? 1 : -1);
      m.Result = 1;  // the up-down keeps its middle position
      return;
    }
  }
  if (upDown_ && (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) && reinterpret_cast<HWND>(m.LParam) == upDown_)
    return;
  TCustomEdit::Dispatch(m);
}

void TSpinEdit::KeyDown(WORD& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  if (key == VK_UP || key == VK_DOWN) {
    Step(key == VK_UP ? 1 : -1);
    key = 0;
  }
}

void TSpinEdit::DoExit() {
  std::string settled = IntToStr(Value());
  if (Text() != settled) SetText(settled);
  TCustomEdit::DoExit();
}

void TSpinEdit::SetEnabled(bool enabled) {
  TCustomEdit::SetEnabled(enabled);
  if (upDown_) EnableWindow(upDown_, enabled);
}
