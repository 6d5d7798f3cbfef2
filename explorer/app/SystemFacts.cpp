// The system facts declared in SystemFacts.h.
#include "explorer/app/SystemFacts.h"

#include <windows.h>

TWindowsVersion ReadWindowsVersion() {
  TWindowsVersion v;
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return v;
#pragma GCC diagnostic pop
  v.NT = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  v.Major = info.dwMajorVersion;
  v.Minor = info.dwMinorVersion;
  return v;
}

bool IsNT6OrLater(const TWindowsVersion& v) { return v.NT && v.Major >= 6; }

bool SystemMemoryBufferDefault(const TWindowsVersion& v) {
  return v.NT && v.Major == 6 && v.Minor >= 2;
}

bool NeedsMinimizeRestore(const TWindowsVersion& v) { return v.Major == 6 && v.Minor < 2; }

bool VisualStylesOn(const TWindowsVersion& v) {
  if (!v.NT || v.Major < 5 || (v.Major == 5 && v.Minor < 1)) return false;
  HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
  if (!uxtheme) return false;
  using TQuery = BOOL(WINAPI*)();
  auto isThemeActive = reinterpret_cast<TQuery>(
      reinterpret_cast<void*>(GetProcAddress(uxtheme, "IsThemeActive")));
  auto isAppThemed = reinterpret_cast<TQuery>(
      reinterpret_cast<void*>(GetProcAddress(uxtheme, "IsAppThemed")));
  const bool on = isThemeActive && isAppThemed && isThemeActive() && isAppThemed();
  FreeLibrary(uxtheme);
  return on;
}
