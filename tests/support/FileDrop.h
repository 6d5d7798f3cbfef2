// Files dropped on a window as the shell drops them: a DROPFILES block with the names,
// delivered as WM_DROPFILES to the window under the point that accepts files
// (WS_EX_ACCEPTFILES), or to its nearest parent that does. A window that does not
// accept files gets nothing, and the block is freed as the shell frees it.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

inline HGLOBAL MakeDrop(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& n : names) list += n + '\0';
  list += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
  if (!memory) return nullptr;
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
  GlobalUnlock(memory);
  return memory;
}

// The window that took the drop, or nullptr when none under the point accepts files.
inline HWND DropFilesAt(POINT screen, const std::vector<std::string>& names) {
  HWND target = WindowFromPoint(screen);
  while (target && !(GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
    target = (GetWindowLongA(target, GWL_STYLE) & WS_CHILD) ? GetParent(target) : nullptr;
  if (!target) return nullptr;
  HGLOBAL drop = MakeDrop(names);
  auto* block = static_cast<DROPFILES*>(GlobalLock(drop));
  POINT client = screen;
  ScreenToClient(target, &client);
  block->pt = client;
  GlobalUnlock(drop);
  if (!PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) {
    GlobalFree(drop);
    return nullptr;
  }
  return target;
}
