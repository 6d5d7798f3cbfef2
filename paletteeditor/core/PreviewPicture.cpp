// The preview picture (see PreviewPicture.h): the explorer's start view, left -2.4,
// top 1.2, 3.2 wide and 2.4 high, iterated from z = 0 with bailout 4.
#include "paletteeditor/core/PreviewPicture.h"

namespace pal {

std::vector<std::uint8_t> PreviewPictureCounts() {
  constexpr double kLeft = -2.4, kTop = 1.2, kStep = 3.2 / PreviewWidth;
  std::vector<std::uint8_t> counts(static_cast<std::size_t>(PreviewWidth) * PreviewHeight);
  for (int y = 0; y < PreviewHeight; ++y) {
    const double ci = kTop - y * kStep;
    for (int x = 0; x < PreviewWidth; ++x) {
      const double cr = kLeft + x * kStep;
      double zr = 0, zi = 0;
      int n = 0;
      while (n < PreviewIterations) {
        const double t = zr * zr - zi * zi + cr;
        zi = 2 * zr * zi + ci;
        zr = t;
        ++n;
        if (zr * zr + zi * zi > 4.0) break;
      }
      // A point still bounded after the last iteration is inside and takes entry 0.
      const bool escaped = zr * zr + zi * zi > 4.0 && n < PreviewIterations;
      counts[static_cast<std::size_t>(y) * PreviewWidth + x] =
          static_cast<std::uint8_t>(escaped ? n : 0);
    }
  }
  return counts;
}

}  // namespace pal
