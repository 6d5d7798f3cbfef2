// Hidden utility windows: a message-only target (timers, posted requests from other
// threads) whose messages go to a method. The method gives unhandled messages to
// DefWindowProcA itself.
#pragma once

#include <windows.h>

#include "forms/windows/Messages.h"

HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND window);
