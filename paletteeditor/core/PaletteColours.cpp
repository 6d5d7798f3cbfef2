// The palette's colour operations (see PaletteColours.h).
#include "paletteeditor/core/PaletteColours.h"

#include <cmath>
#include <cstdlib>

namespace pal {

void DefaultPalette(PaletteColours& palette) {
  for (int i = 0; i < PaletteSize; ++i) palette[i] = Grey(static_cast<std::uint8_t>(255 - i));
}

Status PaletteGradient(std::uint8_t start, std::uint8_t end, Colour a, Colour b,
                       PaletteColours& palette) {
  if (start == end) return Fail(Code::GradientSameIndex);
  if (start > end) return Fail(Code::GradientReversed);
  const int span = end - start;
  const int from[3] = {RedOf(a), GreenOf(a), BlueOf(a)};
  const int to[3] = {RedOf(b), GreenOf(b), BlueOf(b)};
  double slope[3];
  for (int c = 0; c < 3; ++c) {
    slope[c] = static_cast<double>(std::abs(to[c] - from[c])) / span;
    if (to[c] < from[c]) slope[c] = -slope[c];
  }
  for (int i = start; i < end; ++i) {
    std::uint8_t channel[3];
    for (int c = 0; c < 3; ++c) {
      // The default rounding mode rounds ties to even.
      const double v = std::nearbyint((i - start) * slope[c] + from[c]);
      channel[c] = v < 0 ? 0 : static_cast<std::uint8_t>(static_cast<long long>(v) & 0xFF);
    }
    palette[i] = MakeColour(channel[0], channel[1], channel[2]);
  }
  palette[end] = b;
  return {};
}

Colour GreyOf(Colour colour) {
  const unsigned y = (77u * RedOf(colour) + 150u * GreenOf(colour) + 29u * BlueOf(colour)) >> 8;
  return Grey(static_cast<std::uint8_t>(y));
}

Colour ContrastMarkerColour(Colour colour) {
  const int original[3] = {RedOf(colour), GreenOf(colour), BlueOf(colour)};
  int inverse[3];
  bool midGrey = false;
  for (int c = 0; c < 3; ++c) {
    inverse[c] = 255 - original[c];
    if (inverse[c] >= 121 && inverse[c] <= 129) midGrey = true;
  }
  if (midGrey)
    for (int c = 0; c < 3; ++c) inverse[c] += original[c] >> 1;
  return MakeColour(static_cast<std::uint8_t>(inverse[0]), static_cast<std::uint8_t>(inverse[1]),
                    static_cast<std::uint8_t>(inverse[2]));
}

}  // namespace pal
