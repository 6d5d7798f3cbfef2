// TPrinterSetupDialog: the printer object's choice goes into the dialog as global
// memory blocks of the system's own layout and comes back the same way.
#include "forms/dialogs/PrinterSetupDialog.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "forms/dialogs/Printers.h"

namespace {

// A global memory block holding a copy of bytes; null when there are none.
HGLOBAL GlobalCopy(const void* bytes, std::size_t size) {
  if (size == 0) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  return block;
}

// DEVNAMES for a device name alone: the driver and port are the system's to find.
HGLOBAL DevNamesOf(const std::string& device) {
  std::string block(sizeof(DEVNAMES), '\0');
  auto* names = reinterpret_cast<DEVNAMES*>(&block[0]);
  names->wDriverOffset = static_cast<WORD>(block.size());
  names->wDeviceOffset = static_cast<WORD>(block.size() + 1);
  names->wOutputOffset = static_cast<WORD>(block.size() + device.size() + 2);
  block.push_back('\0');
  block += device;
  block.push_back('\0');
  block.push_back('\0');
  return GlobalCopy(block.data(), block.size());
}

}  // namespace

bool TPrinterSetupDialog::RunSystemDialog(HWND owner) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_PRINTSETUP;
  TPrinter* printer = Printer();
  try {
    pd.hDevNames = DevNamesOf(printer->PrinterName());
    pd.hDevMode = GlobalCopy(printer->DevMode().data(), printer->DevMode().size());
  } catch (const EPrinter&) {
    // No printer chosen yet: the dialog offers the system's.
  }
  const bool accepted = PrintDlgA(&pd) != FALSE;
  if (accepted && pd.hDevNames != nullptr) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd.hDevNames));
    const std::string device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
    GlobalUnlock(pd.hDevNames);
    const auto* mode = pd.hDevMode ? static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode)) : nullptr;
    printer->SetPrinter(device, mode);
    if (mode != nullptr) GlobalUnlock(pd.hDevMode);
  }
  if (pd.hDevNames != nullptr) GlobalFree(pd.hDevNames);
  if (pd.hDevMode != nullptr) GlobalFree(pd.hDevMode);
  return accepted;
}
