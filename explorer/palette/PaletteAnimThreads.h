// The three palette-animation thread procedures, started with BeginThread (forms/runtime/Thread.h)
// by the main window's animation command (MainAnimation.cpp): the 32-bit animation on
// one thread or on a master and a second thread that share each frame by even and odd
// rows, and the 8-bit rotation of the colour table. Each ends with exit code 13 once it
// sees AnimStop = 1 after a frame. The arithmetic of a frame is in PaletteCycling.h.
#pragma once

#include <windows.h>

#include <atomic>

class TCustomDXDraw;

// What the threads use of the main window: its display control and three events, set
// before a thread starts and left alone while one runs, and the two options they read
// every frame (the frame-rate overlay, vertical sync), which the main window keeps equal
// to its menu items' checks.
struct TAnimContext {
  TCustomDXDraw* Display = nullptr;
  HANDLE IdleEvent = nullptr;
  HANDLE StartEvent = nullptr;
  HANDLE HalfDoneEvent = nullptr;
  std::atomic<bool> ShowFps{false};
  std::atomic<bool> VSync{false};
};
extern TAnimContext AnimContext;

constexpr unsigned AnimThreadExitCode = 13;
// How long a stopper that must not go on under a running thread (a surface about to go,
// a new animation) waits for the threads that were told to stop.
constexpr unsigned long AnimThreadsEndTimeoutMs = 5000;

// 32-bit surface: recolours every outside pixel from IterBuffer with a running
// PaletteOffset, then flips, once per frame.
unsigned PaletteAnimThread32(void* parameter);
// 32-bit surface with multithreading: parameter 0 makes the master (even rows, lock,
// unlock, overlay, flip), &AnimContext the second thread (odd rows).
unsigned PaletteAnimThreadPair(void* parameter);
// 8-bit surface: rotates colour-table entries 16 to 239 under PaletteLock and shows them.
unsigned PaletteAnimThread8(void* parameter);
