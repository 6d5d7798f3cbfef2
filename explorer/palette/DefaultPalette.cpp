// The default colour table declared in DefaultPalette.h. Its colours come from the rule
// the renderers share (Coloring.h), in the screen's order, so that a table colour and the
// slope colour of the same count agree.
#include "explorer/palette/DefaultPalette.h"

#include "explorer/render/ColorSettings.h"
#include "explorer/render/Coloring.h"

namespace {
constexpr int InverseInsideEntry = 15;  // the inverse of the inside colour
}  // namespace

void FillDefaultPalette(ColorTableEntry* table) {
  if (PaletteLoaded == 0) {
    const TColorSettings colors = CurrentColorSettings();
    for (int i = 0; i < FractalColorCount; ++i) {
      const std::uint32_t c = GradientColor(i, colors, GradientOrder::SlopeFirst);
      table[FirstFractalEntry + i] = ColorTableEntry{std::uint8_t(c >> 16), std::uint8_t(c >> 8),
                                                     std::uint8_t(c), 0};
    }
  }
  const std::uint8_t red = InsideColor & 0xFF;
  const std::uint8_t green = InsideColor >> 8 & 0xFF;
  const std::uint8_t blue = InsideColor >> 16 & 0xFF;
  table[InsideEntry] = ColorTableEntry{blue, green, red, 0};
  table[InverseInsideEntry] = ColorTableEntry{std::uint8_t(255 - blue), std::uint8_t(255 - green),
                                             std::uint8_t(255 - red), 0};
}
