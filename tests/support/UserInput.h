// Input as a user gives it, posted to a window's own queue so that it takes the path a
// real keyboard or mouse takes: the thread's message loop, TranslateMessage, the control's
// window procedure. Works for windows of this process and of another one.
#pragma once

#include <windows.h>

#include <string>

// A left click at the client point (x, y) of the control's own window: the pointer
// moves there, the button goes down and comes up again.
inline void PostClickAt(HWND control, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageA(control, WM_MOUSEMOVE, 0, at);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// A left click in the middle of the control.
inline void PostClick(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  PostClickAt(control, r.right / 2, r.bottom / 2);
}

// A key that types no character (an arrow, End, Home, Tab...) pressed and released.
inline void PostKey(HWND focused, UINT vk) {
  const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
  PostMessageA(focused, WM_KEYDOWN, vk, 1 | LPARAM(scan) << 16);
  PostMessageA(focused, WM_KEYUP, vk, 1 | LPARAM(scan) << 16 | LPARAM(0xC0000000u));
}

// Characters typed into the focused control ('\b' is Backspace).
inline void PostChars(HWND focused, const std::string& text) {
  for (char c : text) PostMessageA(focused, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Replaces what a field holds as a user does: a click into it, End, Backspace over every
// character, then the new text.
inline void PostRetype(HWND field, const std::string& text) {
  PostClick(field);
  PostKey(field, VK_END);
  const int length = static_cast<int>(SendMessageA(field, WM_GETTEXTLENGTH, 0, 0));
  PostChars(field, std::string(static_cast<std::size_t>(length), '\b') + text);
}
