// The render time as the window caption shows it: the duration between two readings of
// the millisecond clock, as seconds with two decimals right-aligned to 5 characters, and
// the caption made from it. Used by every renderer that reports a finished render.
#pragma once

#include <cstdint>
#include <string>

// (end - start) taken as an unsigned 32-bit difference, so a render across the clock's
// wrap-around still reports its real length; " 1.23" for 1234 ms, "123.46" for 123456 ms.
std::string FormatRenderTime(std::uint32_t start, std::uint32_t end);

// "Quorvel - Rend.Time: " + time text + " sec."
std::string RenderTimeCaption(const std::string& timeText);
