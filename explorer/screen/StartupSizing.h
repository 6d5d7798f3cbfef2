// The client size that start-up asks the main window for, from the screen's size and
// the window frame's metrics. The window's resize rule may still change what it asks.
#pragma once

#include <cstdint>

struct TStartupMetrics {
  std::int32_t ScreenWidth = 0;
  std::int32_t ScreenHeight = 0;
  std::int32_t CaptionHeight = 0;  // SM_CYCAPTION
  std::int32_t MenuHeight = 0;     // SM_CYMENU
  std::int32_t FrameHeight = 0;    // SM_CYSIZEFRAME
};

// The client width to ask for: with the 4:3 window the largest width that fits both
// 1 / 1.6 of the screen and the screen's height below the frame; without it three
// quarters of the screen, in multiples of 4.
std::int32_t StartupClientWidth(const TStartupMetrics& m, bool force43);

// The client height to ask for, from the client width as the window reads it back
// after the width was set (the 4:3 window follows that width).
std::int32_t StartupClientHeight(const TStartupMetrics& m, bool force43,
                                 std::int32_t clientWidthReadBack);
