// Palettes and bitmaps (see BitmapPalette.h).
#include "paletteeditor/palette/BitmapPalette.h"

#include <cstring>
#include <vector>

#include "paletteeditor/core/PreviewPicture.h"
#include "dib/DIBErrors.h"
#include "forms/dialogs/Responder.h"

namespace {

struct DIBFreer {
  TDIB* dib;
  ~DIBFreer() { dib->Free(); }
};

}  // namespace

void PaletteFromColourTable(const RGBQUAD table[256], pal::PaletteColours& palette) {
  for (int i = 0; i < pal::PaletteSize; ++i)
    palette[i] = pal::MakeColour(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue);
}

bool LoadBitmapPalette(const std::string& fileName, TDIB* dib, pal::PaletteColours& palette) {
  TDIB* loaded = New<TDIB>();
  DIBFreer freer{loaded};
  loaded->LoadFromFile(fileName);
  // An empty file reads as no image at all: there is no colour table to take.
  if (loaded->Empty()) throw EInvalidGraphic(SInvalidDIB);
  const bool converted = loaded->BitCount() != 8;
  if (converted) ShowMessage(SNot8BitImage);
  loaded->SetBitCount(8);
  dib->Assign(loaded);
  PaletteFromColourTable(dib->ColorTable, palette);
  return converted;
}

void MakePreviewPicture(TDIB* dib) {
  dib->SetSize(pal::PreviewWidth, pal::PreviewHeight, 8);
  // Entry 0 colours the inside of the set; the others are the palette's once shown.
  for (int i = 0; i < 256; ++i) {
    const BYTE level = static_cast<BYTE>(i);
    dib->ColorTable[i] = RGBQUAD{level, level, level, 0};
  }
  dib->UpdatePalette();
  const std::vector<std::uint8_t> counts = pal::PreviewPictureCounts();
  for (int y = 0; y < pal::PreviewHeight; ++y)
    std::memcpy(dib->ScanLine(y), counts.data() + static_cast<size_t>(y) * pal::PreviewWidth,
                pal::PreviewWidth);
}
