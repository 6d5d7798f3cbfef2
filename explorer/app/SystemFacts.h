// What start-up learns about the system: the Windows version and whether visual styles
// are in use, and the defaults that follow from the version.
#pragma once

#include <cstdint>

struct TWindowsVersion {
  bool NT = false;  // the platform is Windows NT
  std::uint32_t Major = 0;
  std::uint32_t Minor = 0;
};

TWindowsVersion ReadWindowsVersion();

// NT 6.0 or later.
bool IsNT6OrLater(const TWindowsVersion& v);
// "Buffer in SysMem" starts on for NT 6.2 and later 6.x versions.
bool SystemMemoryBufferDefault(const TWindowsVersion& v);
// Windows 6.0 and 6.1 need the application minimised and restored once at start.
bool NeedsMinimizeRestore(const TWindowsVersion& v);

// NT 5.1 or later with visual styles both available and enabled (uxtheme.dll, bound at
// run time: older systems have none).
bool VisualStylesOn(const TWindowsVersion& v);
