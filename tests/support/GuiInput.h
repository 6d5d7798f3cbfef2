// A user's input for the windowed tests, through each control's own messages: clicks
// pressed and released on the control where it is drawn, text typed as characters into
// the field the click focused, arrows of an up-down, the thumb's channel of a track bar,
// an item chosen from a drop-down by the keyboard. Everything is sent, so it has been
// handled when the call returns; what it posts on (a render, a timer) the caller pumps.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "forms/windows/Controls.h"

namespace guiinput {

// The window that receives the control's mouse messages and the control's place in it: a
// window control is its own, a graphic control (a label, a speed button, a paint box)
// is drawn on its parent's window.
inline HWND MouseWindow(TControl* control, POINT& at) {
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    RECT r;
    GetClientRect(win->Handle(), &r);
    at = POINT{r.right / 2, r.bottom / 2};
    return win->Handle();
  }
  at = POINT{control->Left() + control->Width() / 2, control->Top() + control->Height() / 2};
  return control->Parent()->Handle();
}

}  // namespace guiinput

// The left button pressed and released at a point of a window's client area.
inline void ClickAt(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  SendMessageA(window, WM_MOUSEMOVE, 0, where);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessageA(window, WM_LBUTTONUP, 0, where);
}

// A click in the middle of a control: a button, check box or radio button, a speed
// button, a field (which takes the focus).
inline void ClickOn(TControl* control) {
  POINT at{};
  HWND window = guiinput::MouseWindow(control, at);
  ClickAt(window, at);
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
