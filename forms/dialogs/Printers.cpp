// TPrinter: one device context per chosen printer, made when first needed, so that a
// program without printers runs until it really asks one for something.
#include "forms/dialogs/Printers.h"

#include <memory>

#include "forms/core/Consts.h"

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (printing_) Abort();
  FreeHandle();
}

void TPrinter::FreeHandle() {
  canvas_.SetHandle(nullptr);
  if (dc_ != nullptr) DeleteDC(dc_);
  dc_ = nullptr;
}

void TPrinter::SelectDefault() {
  if (!device_.empty()) return;
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) throw EPrinter(SNoDefaultPrinter);
  std::vector<char> name(size);
  if (!GetDefaultPrinterA(name.data(), &size)) throw EPrinter(SNoDefaultPrinter);
  device_ = name.data();
}

const std::string& TPrinter::PrinterName() {
  SelectDefault();
  return device_;
}

HDC TPrinter::Handle() {
  if (dc_ != nullptr) return dc_;
  SelectDefault();
  const auto* mode = devMode_.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(devMode_.data());
  dc_ = CreateDCA(nullptr, device_.c_str(), nullptr, mode);
  if (dc_ == nullptr) RaiseLastOSError();
  return dc_;
}

int TPrinter::DeviceCaps(int index) { return GetDeviceCaps(Handle(), index); }

TCanvas* TPrinter::Canvas() {
  canvas_.SetHandle(Handle());
  return &canvas_;
}

void TPrinter::BeginDoc() {
  if (printing_) throw EPrinter(SPrinting);
  HDC dc = Handle();
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = Title.c_str();
  if (StartDocA(dc, &info) <= 0) RaiseLastOSError();
  if (StartPage(dc) <= 0) {
    const DWORD code = GetLastError();
    AbortDoc(dc);
    RaiseLastOSError(code);
  }
  printing_ = true;
  // The page may come with a fresh context state: the canvas selects its tools again.
  canvas_.SetHandle(nullptr);
  canvas_.SetHandle(dc);
}

void TPrinter::EndDoc() {
  if (!printing_) throw EPrinter(SNotPrinting);
  printing_ = false;
  canvas_.SetHandle(nullptr);
  if (EndPage(dc_) <= 0) {
    const DWORD code = GetLastError();
    AbortDoc(dc_);
    RaiseLastOSError(code);
  }
  if (::EndDoc(dc_) <= 0) RaiseLastOSError();
}

void TPrinter::Abort() {
  if (!printing_) throw EPrinter(SNotPrinting);
  printing_ = false;
  canvas_.SetHandle(nullptr);
  AbortDoc(dc_);
}

void TPrinter::SetPrinter(const std::string& device, const DEVMODEA* mode) {
  if (printing_) throw EPrinter(SPrinting);
  FreeHandle();
  device_ = device;
  devMode_.clear();
  if (mode != nullptr) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(mode);
    devMode_.assign(bytes, bytes + mode->dmSize + mode->dmDriverExtra);
  }
}

TPrinter* Printer() {
  static std::unique_ptr<TPrinter> printer(new TPrinter);
  return printer.get();
}
