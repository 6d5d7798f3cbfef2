// The clipboard object (see Clipboard.h).
#include "forms/graphics/Clipboard.h"

#include "forms/graphics/Picture.h"

TClipboard::~TClipboard() {
  if (openCount_ > 0) CloseClipboard();
}

void TClipboard::Open() {
  if (openCount_ == 0) {
    // Another process may hold it for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 20 && !opened; ++attempt) {
      opened = OpenClipboard(nullptr) != 0;
      if (!opened) Sleep(10);
    }
    if (!opened) throw Exception(SCannotOpenClipboard);
    emptied_ = false;
  }
  ++openCount_;
}

void TClipboard::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) CloseClipboard();
}

void TClipboard::Clear() {
  Open();
  EmptyClipboard();
  emptied_ = true;
  Close();
}

bool TClipboard::HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != 0; }

HANDLE TClipboard::GetAsHandle(UINT format) {
  Open();
  HANDLE data = GetClipboardData(format);
  Close();
  return data;
}

void TClipboard::SetAsHandle(UINT format, HANDLE data) {
  Open();
  if (!emptied_) {
    EmptyClipboard();
    emptied_ = true;
  }
  const bool ok = SetClipboardData(format, data) != nullptr;
  const DWORD error = GetLastError();
  Close();
  if (!ok) RaiseLastOSError(error);
}

void TClipboard::Assign(TPersistent* source) {
  TGraphic* graphic = dynamic_cast<TGraphic*>(source);
  if (auto* picture = dynamic_cast<TPicture*>(source)) graphic = picture->Graphic();
  if (!graphic) {
    TPersistent::Assign(source);
    return;
  }
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  graphic->SaveToClipboardFormat(format, data, palette);
  Open();
  struct Closer {
    TClipboard* c;
    ~Closer() { c->Close(); }
  } closer{this};
  EmptyClipboard();
  emptied_ = true;
  try {
    SetAsHandle(format, data);
  } catch (...) {
    // Data the clipboard did not take is still ours.
    if (format == CF_BITMAP) DeleteObject(data); else GlobalFree(data);
    if (palette) DeleteObject(palette);
    throw;
  }
  if (palette) SetAsHandle(CF_PALETTE, palette);
}

void TClipboard::AssignTo(TPersistent* dest) {
  auto* picture = dynamic_cast<TPicture*>(dest);
  auto* graphic = dynamic_cast<TGraphic*>(dest);
  if (!picture && !graphic) {
    TPersistent::AssignTo(dest);
    return;
  }
  Open();
  struct Closer {
    TClipboard* c;
    ~Closer() { c->Close(); }
  } closer{this};
  HPALETTE palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (picture ? !TPicture::SupportsClipboardFormat(format)
                : !TPicture::SupportsClipboardFormat(format, *graphic))
      continue;
    HANDLE data = GetClipboardData(format);
    if (picture) {
      picture->LoadFromClipboardFormat(format, data, palette);
    } else {
      graphic->LoadFromClipboardFormat(format, data, palette);
    }
    return;
  }
  throw EInvalidGraphic(SUnknownClipboardFormat);
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}
