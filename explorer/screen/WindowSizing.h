// The main window's sizing arithmetic: the resize rule that keeps the client area in
// 4-pixel steps (and at 4:3 on request) with the room of a docked parameters window,
// the 4:3 back surface inside a full-screen mode of another shape, and the sizing-cursor
// band of the 4:3 window. The window applies them in MainWindowSizing.cpp.
#pragma once

#include <cstdint>

struct TFrameMetrics {
  std::int32_t CaptionHeight = 0;    // SM_CYCAPTION
  std::int32_t MenuHeight = 0;       // SM_CYMENU
  std::int32_t SizeFrameHeight = 0;  // SM_CYSIZEFRAME
  std::int32_t SizeFrameWidth = 0;   // SM_CXSIZEFRAME
};

struct TWindowSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// The outer size the window takes for a proposed outer size: the client width down to a
// multiple of 4; the client height three quarters of it (in 4-pixel steps) with the 4:3
// window, else the proposed one down to a multiple of 4, with dockedHeight kept below.
TWindowSize SizedWindow(const TFrameMetrics& m, TWindowSize proposed, bool force43,
                        std::int32_t dockedHeight);

// The back surface for a full-screen display of this size with the 4:3 surface option:
// the largest 4:3 area that the display holds.
TWindowSize WideScreenSurface(std::int32_t displayWidth, std::int32_t displayHeight);

// Width and height in the ratio 4:3 exactly.
bool IsFourByThree(std::int32_t width, std::int32_t height);

// The height kept for the docked parameters window: 100 pixels at 96 dots per inch.
std::uint16_t DockedPanelHeight(std::int32_t pixelsPerInch);

// The cursor's y and the window's bottom edge fall in the same 10-pixel band, by rounding
// or by truncation: there the 4:3 window shows no sizing cursor.
bool InBottomEdgeBand(std::int32_t bottom, std::int32_t y);
