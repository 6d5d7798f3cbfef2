// The main window's own globals: start-up facts about the processor and the system,
// the zoom selection, the view kept while a Julia set is shown, the cursor confinement,
// the palette-animation state with the colour-table lock, and the full-screen options.
// The view and render settings that the renderers read are in render/RenderSettings.h,
// the colour settings in render/ColorSettings.h.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "explorer/navigation/Navigation.h"
#include "explorer/render/RenderSettings.h"

// Processor features (0 or 1), read once by the create handler.
extern std::int32_t HasSSE;
extern std::int32_t HasSSE2;
extern std::int32_t Has3DNow;

// Start-up facts and the main window's system-menu state.
extern std::uint8_t ThemesOnAtStart;  // 1: visual styles were on at start-up (NT 5.1 on)
extern std::int32_t AlwaysOnTop;      // 0 or -1
extern HMENU SystemMenuHandle;        // the main window's system menu
extern std::string ProgramDir;        // the program's folder, with its trailing separator
extern std::int32_t ColorScale100;    // -1 when ColorScale is not 1.0

// The zoom selection: SelectionActive is -1 while a left-button drag is under way;
// SelStart is where the left (selection) or middle (pan) button went down, SelEnd the
// selection's far corner, both in the display control's client coordinates.
extern std::int32_t SelectionActive;
extern TSelPoint SelStart;
extern TSelPoint SelEnd;
// The screen rectangle to which the cursor is confined while a button is held in a window,
// and in full screen with the 4:3 surface the centred surface.
extern RECT ClipRect;

// The Mandelbrot view and start value kept while a Julia set is shown.
struct TSavedView {
  TPlaneView View;
  TExtendedComplex JuliaC;
};
extern TSavedView SavedView;

// Full screen keeps a 4:3 back surface centred in a display mode of another shape.
extern bool WideScreen43;
// The height kept for the parameters window docked at the bottom, 0 when none is docked.
extern std::uint16_t DockedHeight;
// -1 while the parameters window sits docked in the bottom panel, and whether it did when
// the window went full screen (it docks again on the way back).
extern std::int32_t ParamsDocked;
extern std::int32_t ParamsDockedBeforeFullScreen;
// The window height that the sizing rule produced last (0 at start).
extern std::int32_t LastFrameHeight;
// -1: the full-screen window was minimised and renders again when it is painted.
extern std::int32_t RenderOnNextPaint;

// The corners the parameters window edits before they become the view: x1 and y1 (x2 and
// y2 are ViewRight and ViewBottom of the render state).
extern long double CornerX1;
extern long double CornerY1;

// Palette animation: the stop request polled by the animation threads once per frame
// (1: finish after the current frame), speed (ms per frame, 0 to 100), direction (0 or 1),
// the threads' handles, and the frame counter of the frames-per-second text. The main
// thread writes what the threads read every frame: whole, ordered reads and writes.
extern std::atomic<std::uint8_t> AnimStop;
extern std::atomic<std::int32_t> AnimDelay;
extern std::atomic<std::uint8_t> AnimDirection;
extern HANDLE AnimThreadHandles[2];
extern std::atomic<std::uint32_t> FpsFrames;
extern std::atomic<std::uint32_t> FpsStartTime;

// Guards the display control's colour table against the palette-animation threads.
extern CRITICAL_SECTION PaletteLock;

// The program's start values again: every global above (the lock and the animation's
// thread handles aside, which belong to a window), the render settings, the render state
// and the colour settings. For the tests, which open many main windows in one program:
// each starts as the program does, whatever an earlier one left. Only while no main
// window exists.
void ResetExplorerState();
