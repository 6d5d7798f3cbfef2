// A plain thread procedure started the way the runtime starts one: no security
// attributes, the default stack size, no creation flags, and the runtime's default x87
// control word loaded first (new threads get the system's word, not their creator's).
// The palette-animation threads (PaletteAnimThreads.h) run this way.
#pragma once

#include <windows.h>

// A thread procedure: its result is the thread's exit code.
using TThreadFunc = unsigned (*)(void* parameter);

// Starts func(parameter); the thread's handle, or nullptr when no thread could be made.
HANDLE BeginThread(TThreadFunc func, void* parameter);
