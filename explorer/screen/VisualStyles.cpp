// SetThemesOff and SetThemesOn: SetThemeAppProperties from uxtheme.dll, then the
// application window hears that the theme changed.
#include "explorer/screen/VisualStyles.h"

#include <windows.h>

#include "forms/runtime/Application.h"

namespace {

using SetThemeAppPropertiesProc = void(WINAPI*)(DWORD);

// Non-client area, controls and web content.
constexpr DWORD AllThemeParts = 7;

SetThemeAppPropertiesProc ThemeProperties() {
  static SetThemeAppPropertiesProc proc = [] {
    HMODULE library = LoadLibraryA("uxtheme.dll");
    return library ? reinterpret_cast<SetThemeAppPropertiesProc>(
                         reinterpret_cast<void*>(GetProcAddress(library, "SetThemeAppProperties")))
                   : nullptr;
  }();
  return proc;
}

void SetThemeParts(DWORD parts) {
  SetThemeAppPropertiesProc proc = ThemeProperties();
  if (!proc) return;
  proc(parts);
  PostMessageA(Application->Handle(), WM_THEMECHANGED, 0, 0);
}

}  // namespace

void SetThemesOff() { SetThemeParts(0); }

void SetThemesOn() { SetThemeParts(AllThemeParts); }
