// The preview's colour table (see PreviewTable.h).
#include "paletteeditor/core/PreviewTable.h"

namespace pal {

void FillPreviewTable(const PaletteColours& palette, int selected, int firstEntry,
                      std::uint8_t (*table)[4]) {
  if (firstEntry < 0) firstEntry = 0;
  for (int i = firstEntry; i < PaletteSize; ++i) {
    const Colour c = palette[static_cast<unsigned>(i + selected) % PaletteSize];
    table[i][0] = BlueOf(c);
    table[i][1] = GreenOf(c);
    table[i][2] = RedOf(c);
  }
}

}  // namespace pal
