// The tip that a tooltip of the calling thread shows at a point of a window, read back
// through the tooltip's own hit test: for the tests of hints.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

struct TTipSearch {
  HWND w;
  POINT p;
  std::string text;
};

inline BOOL CALLBACK FindTipAt(HWND tip, LPARAM l) {
  char cls[64] = "";
  GetClassNameA(tip, cls, sizeof cls);
  if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0) return TRUE;
  auto* s = reinterpret_cast<TTipSearch*>(l);
  TTHITTESTINFOA hit{};
  hit.hwnd = s->w;
  hit.pt = s->p;
  hit.ti.cbSize = TTTOOLINFOA_V2_SIZE;
  if (!SendMessageA(tip, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit))) return TRUE;
  char text[1024] = "";
  hit.ti.cbSize = TTTOOLINFOA_V2_SIZE;
  hit.ti.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&hit.ti));
  s->text = text;
  return FALSE;
}

// The text shown at point P of window W; empty when no tip covers it.
inline std::string TipAt(HWND w, POINT p) {
  TTipSearch search{w, p, ""};
  EnumThreadWindows(GetCurrentThreadId(), &FindTipAt, reinterpret_cast<LPARAM>(&search));
  return search.text;
}
