// InitCommonControlClasses, declared in CommonControls.h.
#include "forms/controls/CommonControls.h"

#include <commctrl.h>

#include <atomic>

namespace {
std::atomic<DWORD> registered{0};
}  // namespace

bool InitCommonControlClasses(DWORD classes) {
  const DWORD missing = classes & ~registered.load();
  if (!missing) return true;
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof icc;
  icc.dwICC = missing;
  if (!InitCommonControlsEx(&icc)) return false;
  registered.fetch_or(missing);
  return true;
}
