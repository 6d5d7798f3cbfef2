// TCustomEdit: keeps the caption and the window's text together, so that the text
// reads the same with and without a window.
#include "forms/controls/Edit.h"

#include <vector>

TCustomEdit::TCustomEdit(TComponent* owner) : TSystemControl(owner) {
  SetBounds(Left(), Top(), 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

std::string TCustomEdit::Text() const {
  auto* self = const_cast<TCustomEdit*>(this);
  if (!self->HandleAllocated()) return Caption();
  HWND window = self->Handle();
  int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  int got = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void TCustomEdit::SetText(const std::string& text) {
  if (text == Text()) return;
  if (!HandleAllocated()) {
    SetCaption(text);
    if (!Loading()) Change();
    return;
  }
  unsigned before = changes_;
  if (!SetWindowTextA(Handle(), text.c_str())) RaiseLastOSError();
  // A multi-line edit sends no EN_CHANGE for text set by the program.
  if (changes_ == before) {
    SyncFromWindow();
    Change();
  }
}

void TCustomEdit::SyncFromWindow() {
  syncing_ = true;
  SetCaption(Text());
  syncing_ = false;
}

void TCustomEdit::TextChanged() {
  if (!syncing_) TSystemControl::TextChanged();
}

void TCustomEdit::SetMaxLength(int value) {
  if (value < 0) value = 0;
  maxLength_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

int TCustomEdit::SelStart() {
  DWORD start = 0;
  if (HandleAllocated()) SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  if (HandleAllocated())
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int value) {
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, value, value);
}

void TCustomEdit::SetSelLength(int value) {
  if (!HandleAllocated()) return;
  int start = SelStart();
  SendMessageA(Handle(), EM_SETSEL, start, start + value);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TSystemControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (readOnly_) params.Style |= ES_READONLY;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TSystemControl::CreateWnd();
  if (maxLength_) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) != EN_CHANGE) return;
  ++changes_;
  SyncFromWindow();
  if (!Loading()) Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}
