// THintTip: the tip that shows a window control's hint while the mouse rests on it. It
// covers the control's own window and also the control's place on its parent, because a
// disabled window leaves the mouse to its parent and a hint matters most just then. The
// control and its parent pass their mouse messages on (Relay): the library knows its
// windows by their procedure, so the tip must not subclass them.
#pragma once

#include <windows.h>

#include <string>

class THintTip {
public:
  // Control is a child window of Parent; both exist. The tip lives until destroyed or
  // until the top-level window above them goes.
  THintTip(HWND control, HWND parent, const std::string& text);
  ~THintTip();
  THintTip(const THintTip&) = delete;
  THintTip& operator=(const THintTip&) = delete;

  void SetText(const std::string& text);
  // A mouse message that the control or its parent received.
  void Relay(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  // Follows the control to its new place on the parent.
  void Place();

private:
  HWND tip_ = nullptr;
  HWND control_;
  HWND parent_;
};
