// A person's keys and clicks, each through the control's own input path: a click is the
// press and release of the left button at a point of the control (a graphic control gets
// them through its parent's window, as the mouse gives them), keys go to the window that
// has the focus, and typing over a field first clicks into it, then deletes what it
// shows with End and Backspace, then types each character. A drag is real pointer input
// (SendInput) to the window in front, so that the system's move and size loops see it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "forms/windows/Controls.h"

// The window under a point of the control and that point in its client coordinates.
inline HWND WindowAt(TControl* control, POINT& at) {
  if (auto* window = dynamic_cast<TWinControl*>(control)) return window->Handle();
  at.x += control->Left();
  at.y += control->Top();
  return WindowAt(control->Parent(), at);
}

inline void ClickAt(TControl* control, int x, int y) {
  POINT at{x, y};
  HWND window = WindowAt(control, at);
  const LPARAM where = MAKELPARAM(at.x, at.y);
  SendMessageA(window, WM_MOUSEMOVE, 0, where);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessageA(window, WM_LBUTTONUP, 0, where);
}

// In the middle of the control.
inline void ClickOn(TControl* control) { ClickAt(control, control->Width() / 2, control->Height() / 2); }

// A key pressed and released in the focused window (WM_KEYDOWN, WM_KEYUP), with the
// character it types in between when there is one (WM_CHAR).
inline void PressKey(WORD vk, char typed = 0) {
  HWND focus = GetFocus();
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
  SendMessageA(focus, WM_KEYDOWN, vk, 1 | scan);
  if (typed) SendMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(typed), 1 | scan);
  SendMessageA(GetFocus(), WM_KEYUP, vk, 1 | scan | 0xC0000000);
}

// Characters typed into the focused window.
inline void TypeKeys(const std::string& text) {
  for (char c : text) {
    const SHORT key = VkKeyScanA(c);
    PressKey(static_cast<WORD>(key == -1 ? 0 : key & 0xFF), c);
  }
}

// Clicks into the field and types Text over what it shows. False when the click did not
// give the field the focus (a disabled or hidden field).
inline bool TypeOver(TWinControl* field, const std::string& text) {
  ClickAt(field, field->Width() - 4, field->Height() / 2);
  if (GetFocus() != field->Handle()) return false;
  PressKey(VK_END);
  const int length = GetWindowTextLengthA(field->Handle());
  for (int i = 0; i < length; ++i) PressKey(VK_BACK, '\b');
  TypeKeys(text);
  return true;
}

// A system-menu command as the menu sends it when the user chooses the item.
inline void ChooseSystemMenuItem(TWinControl* form, UINT command) {
  SendMessageA(form->Handle(), WM_SYSCOMMAND, command, 0);
}

// The pointer moved to a screen point through the system's input queue; true once the
// system reports it there (the X server reports a moved pointer back a little later).
inline bool MovePointerTo(POINT p) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = static_cast<LONG>(p.x * 65535.0 / (w - 1) + 0.5);
  move.mi.dy = static_cast<LONG>(p.y * 65535.0 / (h - 1) + 0.5);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  if (SendInput(1, &move, sizeof move) != 1) return false;
  POINT at{-1, -1};
  for (int i = 0; i < 100; ++i) {
    if (GetCursorPos(&at) && at.x == p.x && at.y == p.y) return true;
    Sleep(20);
  }
  return false;
}

// A point of the window's caption, found by asking the window what lies under the
// pointer there; false when it has no caption.
inline bool CaptionPoint(HWND window, POINT& p) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  p.x = (r.left + r.right) / 2;
  for (p.y = r.top; p.y < r.bottom; ++p.y)
    if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)) == HTCAPTION) return true;
  return false;
}

// Presses the left button at a screen point of a window brought to the front, moves the
// pointer to another in steps and releases it there, at a person's pace. A press on a
// caption or border starts the system's move or size loop, which takes over this thread:
// so the input comes from a thread of its own while PumpUntil(condition, timeout) runs
// this thread's messages until the gesture is over and the mouse is let go. False when
// the pointer could not be brought to the start or the gesture did not end.
template <class PumpUntilFn>
bool DragFrom(HWND window, POINT from, POINT to, PumpUntilFn pumpUntil) {
  SetForegroundWindow(window);
  if (!pumpUntil([&] { return GetForegroundWindow() == window; }, 3000)) return false;
  if (!MovePointerTo(from)) return false;
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  auto absolute = [=](POINT p, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>(p.x * 65535.0 / (w - 1) + 0.5);
    in.mi.dy = static_cast<LONG>(p.y * 65535.0 / (h - 1) + 0.5);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
  };
  std::vector<INPUT> gesture{absolute(from, MOUSEEVENTF_LEFTDOWN)};
  const int steps = 8;
  for (int i = 1; i <= steps; ++i)
    gesture.push_back(absolute(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}, 0));
  gesture.push_back(absolute(to, 0));  // a rest at the end before letting go
  gesture.push_back(absolute(to, MOUSEEVENTF_LEFTUP));
  std::atomic<bool> done{false};
  std::atomic<UINT> sent{0};
  std::thread hand([&] {
    for (INPUT& in : gesture) {
      Sleep(30);
      sent += SendInput(1, &in, sizeof in);
    }
    done = true;
  });
  const bool over = pumpUntil([&] {
    return done && GetCapture() == nullptr && !(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
  }, 10000);
  hand.join();
  return over && sent == gesture.size();
}

// Drags a top-level window by its caption and lets go at a screen point.
template <class PumpUntilFn>
bool DragByCaption(HWND window, POINT to, PumpUntilFn pumpUntil) {
  POINT from;
  return CaptionPoint(window, from) && DragFrom(window, from, to, pumpUntil);
}

// The left button pressed and released at a point of a window's client area.
inline void ClickAt(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  SendMessageA(window, WM_MOUSEMOVE, 0, where);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessageA(window, WM_LBUTTONUP, 0, where);
}

// Keys that make characters, as the keyboard's translation delivers them to the focus.
inline void TypeChars(HWND focused, const std::string& text) {
  for (char c : text) SendMessageA(focused, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// A key without a character (End, Home, the arrows, Enter as a key).
inline void PressKey(HWND focused, WPARAM key) {
  SendMessageA(focused, WM_KEYDOWN, key, 1);
  SendMessageA(focused, WM_KEYUP, key, 0xC0000001);
}

// A key held down while others are pressed (Shift for a selection): the thread's key
// state, which the controls read, says it is down until this ends.
class THeldKey {
public:
  THeldKey(HWND focused, int key) : focused_(focused), key_(key) {
    GetKeyboardState(saved_);
    BYTE held[256];
    std::memcpy(held, saved_, sizeof held);
    held[key] |= 0x80;
    SetKeyboardState(held);
    SendMessageA(focused_, WM_KEYDOWN, static_cast<WPARAM>(key_), 1);
  }
  ~THeldKey() {
    SetKeyboardState(saved_);
    SendMessageA(focused_, WM_KEYUP, static_cast<WPARAM>(key_), 0xC0000001);
  }
  THeldKey(const THeldKey&) = delete;
  THeldKey& operator=(const THeldKey&) = delete;

private:
  HWND focused_;
  int key_;
  BYTE saved_[256];
};

// What a user does to replace a field's text: a click into it, End, Shift+Home to select
// it all, then the new text over the selection (Backspace for none). Each key goes
// through the field's own procedure, so its change notification (or the lack of one) is
// the real one, and a field that repairs each change sees the one change of a typed-over
// selection, then one per character.
inline void TypeInto(HWND field, const std::string& text) {
  RECT r;
  GetClientRect(field, &r);
  ClickAt(field, POINT{r.right - 2, r.bottom / 2});
  PressKey(field, VK_END);
  {
    THeldKey shift(field, VK_SHIFT);
    PressKey(field, VK_HOME);
  }
  TypeChars(field, text.empty() ? std::string("\b") : text);
}

inline void TypeInto(TWinControl* field, const std::string& text) { TypeInto(field->Handle(), text); }

// The upper (up = true) or lower arrow of a vertical up-down, pressed and released.
inline void ClickUpDownArrow(TWinControl* upDown, bool up) {
  RECT r;
  GetClientRect(upDown->Handle(), &r);
  ClickAt(upDown->Handle(), POINT{r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4});
}

// A click in a horizontal track bar's channel at a share (0 to 1) of its length: the
// thumb moves a page towards the point.
inline void ClickTrackBarAt(TWinControl* trackBar, double share) {
  RECT channel{};
  SendMessageA(trackBar->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const int x = channel.left + static_cast<int>((channel.right - channel.left) * share);
  ClickAt(trackBar->Handle(), POINT{x, (channel.top + channel.bottom) / 2});
}

// Posted input: the same keys and clicks put in the window's own queue, so that they take
// the path a real keyboard or mouse takes (the thread's message loop, TranslateMessage,
// the control's window procedure), also for a window of another process.

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
