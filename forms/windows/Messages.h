// The message record that window procedures pass along, the window-procedure method
// pointer, and the library's own message numbers.
#pragma once

#include <windows.h>

#include "forms/core/Events.h"

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// A window procedure as a method pointer: every control's WindowProc is one, so that
// another object can put its own in front and call the previous one.
using TWndMethod = TEvent<TMessage&>;

// Posted to the application window when the application becomes active or inactive
// (made from WM_ACTIVATEAPP).
constexpr UINT CM_ACTIVATE = 0xB000;
constexpr UINT CM_DEACTIVATE = 0xB001;
// Posted by TCustomForm::Release: the form frees itself once its handlers have returned.
constexpr UINT CM_RELEASE = 0xB021;
// Sent by a parent to the child control whose notification (WM_COMMAND) it received.
constexpr UINT CN_COMMAND = 0xBD11;
// Scroll and notification messages that a parent receives from a child control of the
// library, sent on to that child (as CN_COMMAND is).
constexpr UINT CN_NOTIFY = 0xBC4E;
constexpr UINT CN_HSCROLL = 0xBD14;
constexpr UINT CN_VSCROLL = 0xBD15;
