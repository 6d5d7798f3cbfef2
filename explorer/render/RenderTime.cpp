// The render-time text and caption declared in RenderTime.h. Formatted by the C library
// in the "C" locale, whose decimal separator is the "." that the explorer uses.
#include "explorer/render/RenderTime.h"

#include <cstdio>

std::string FormatRenderTime(std::uint32_t start, std::uint32_t end) {
  const double seconds = static_cast<std::uint32_t>(end - start) / 1000.0;
  char text[32];
  std::snprintf(text, sizeof text, "%5.2f", seconds);
  return text;
}

std::string RenderTimeCaption(const std::string& timeText) {
  return "Quorvel - Rend.Time: " + timeText + " sec.";
}
