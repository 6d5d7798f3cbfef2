// The picture the preview window colours with the palette: an escape-time view of the
// whole Mandelbrot set whose pixels are escape counts (1 to 149, 0 inside the set), so
// that palette entry n colours the points that escaped after n iterations.
#pragma once

#include <cstdint>
#include <vector>

namespace pal {

constexpr int PreviewWidth = 320;
constexpr int PreviewHeight = 240;
constexpr int PreviewIterations = 150;

// PreviewWidth x PreviewHeight counts, top row first.
std::vector<std::uint8_t> PreviewPictureCounts();

}  // namespace pal
