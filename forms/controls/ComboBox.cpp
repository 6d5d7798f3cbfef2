// TComboBox: Items live in the object and are copied into the window whenever either
// changes, so that the list reads the same with and without a window.
#include "forms/controls/ComboBox.h"

#include <vector>

#include "forms/core/SysUtils.h"

TComboBox::TComboBox(TComponent* owner) : TSystemControl(owner) {
  TSystemControl::SetBounds(Left(), Top(), 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  items_.OnChange = MakeEvent(this, &TComboBox::ItemsChanged);
}

TComboBox::~TComboBox() { items_.OnChange = nullptr; }

void TComboBox::SetStyle(TComboBoxStyle value) {
  // The style decides the window's children: it is part of the form description.
  if (!HandleAllocated()) style_ = value;
}

// The list shows eight items at once.
int TComboBox::ListHeight() { return 8 * 16 + 4; }

void TComboBox::SetBounds(int left, int top, int width, int height) {
  if (!HandleAllocated()) {
    TSystemControl::SetBounds(left, top, width, height);
    return;
  }
  // WM_WINDOWPOSCHANGED reads back the field's own height, without the list.
  SetWindowPos(Handle(), nullptr, left, top, width, height + ListHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  RequestAlign();
}

void TComboBox::CreateParams(TCreateParams& params) {
  TSystemControl::CreateParams(params);
  CreateSubClass(params, "COMBOBOX");
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL |
                  (style_ == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
  params.Height += ListHeight();
}

void TComboBox::CreateWnd() {
  TSystemControl::CreateWnd();
  if (maxLength_) SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  const std::string text = Caption();
  LoadItems();
  if (style_ == csDropDown && itemIndex_ < 0) SetWindowTextA(Handle(), text.c_str());
}

void TComboBox::DestroyWnd() {
  if (HandleAllocated()) {
    itemIndex_ = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    SetCaption(Text());
  }
  TSystemControl::DestroyWnd();
}

void TComboBox::LoadItems() {
  HWND window = Handle();
  SendMessageA(window, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < items_.Count(); ++i)
    SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Strings(i).c_str()));
  if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
  SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TComboBox::ItemsChanged(TObject*) {
  // A changed list keeps no choice; the program chooses again.
  itemIndex_ = -1;
  if (HandleAllocated()) LoadItems();
}

int TComboBox::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int value) {
  if (value < -1 || value >= items_.Count()) value = -1;
  itemIndex_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

std::string TComboBox::Text() {
  if (!HandleAllocated()) {
    if (itemIndex_ >= 0) return items_.Strings(itemIndex_);
    return style_ == csDropDown ? Caption() : std::string();
  }
  HWND window = Handle();
  const int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void TComboBox::SetText(const std::string& text) {
  if (style_ == csDropDownList) {
    SetItemIndex(items_.IndexOf(text));
    return;
  }
  itemIndex_ = -1;
  if (!HandleAllocated()) {
    SetCaption(text);
    return;
  }
  SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  if (!SetWindowTextA(Handle(), text.c_str())) RaiseLastOSError();
}

void TComboBox::SetMaxLength(int value) {
  maxLength_ = value > 0 ? value : 0;
  if (HandleAllocated()) SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TComboBox::CNCommand(TMessage& m) {
  const WORD code = HIWORD(m.WParam);
  if (code != CBN_SELCHANGE && code != CBN_EDITCHANGE) return;
  if (!Loading()) Change();
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}
