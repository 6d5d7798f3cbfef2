// The three palette-animation thread procedures, started with BeginThread (PlainThread.h)
// by the main window's animation command (MainAnimation.cpp): the 32-bit animation on
// one thread or on a master and a second thread that share each frame by even and odd
// rows, and the 8-bit rotation of the colour table. Each ends with exit code 13 once it
// sees AnimStop = 1 after a frame. The arithmetic of a frame is in PaletteCycling.h.
#pragma once

class TForm1;

// The main window whose display the animation draws on; set before a thread starts and
// left alone while one runs.
extern TForm1* AnimWindow;

constexpr unsigned AnimThreadExitCode = 13;
// How long a stopper that must not go on under a running thread (a surface about to go,
// a new animation) waits for the threads that were told to stop.
constexpr unsigned long AnimThreadsEndTimeoutMs = 5000;

// 32-bit surface: recolours every outside pixel from IterBuffer with a running
// PaletteOffset, then flips, once per frame.
unsigned PaletteAnimThread32(void* parameter);
// 32-bit surface with multithreading: parameter 0 makes the master (even rows, lock,
// unlock, overlay, flip), any other value the second thread (odd rows).
unsigned PaletteAnimThreadPair(void* parameter);
// 8-bit surface: rotates colour-table entries 16 to 239 under PaletteLock and shows them.
unsigned PaletteAnimThread8(void* parameter);
