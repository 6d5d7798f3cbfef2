// The frames-per-second text of palette animation drawn in the display's top left corner:
// on the back surface through its GDI canvas (32-bit animation, before the flip) or on
// the display control's window (8-bit animation, which never flips). The figure and its
// texts are in FrameRate.h.
#pragma once

class TCustomDXDraw;

// The rate of FpsFrames since FpsStartTime, on the back surface; the canvas is released.
void DrawFrameRateOnSurface(TCustomDXDraw* dxDraw);
// The same on the display control's window, through a device context of its own.
void DrawFrameRateOnWindow(TCustomDXDraw* dxDraw);
