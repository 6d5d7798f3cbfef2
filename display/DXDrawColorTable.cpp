// The system palette, read with a defined fallback, and the palette entries the
// display control writes into its DirectDraw palette.
#include "display/DXDrawColorTable.h"

#include "dib/PaletteManager.h"

namespace {
constexpr int kFirstOwnEntry = 15;   // entries below are the system's, unless all 256 are ours
constexpr int kLastOwnEntry = 240;
constexpr int kStaticHalf = 10;      // the system's static colours: 10 at each end

void StaticColours(TDXDrawPaletteEntries& entries) {
  PALETTEENTRY stock[2 * kStaticHalf] = {};
  HGDIOBJ palette = GetStockObject(DEFAULT_PALETTE);
  if (!palette || GetPaletteEntries(static_cast<HPALETTE>(palette), 0, 2 * kStaticHalf, stock) == 0)
    return;  // leaves black: still defined
  for (int i = 0; i < kStaticHalf; ++i) {
    entries[i] = stock[i];
    entries[256 - kStaticHalf + i] = stock[kStaticHalf + i];
  }
  for (PALETTEENTRY& e : entries) e.peFlags = 0;
}
}  // namespace

TDXDrawPaletteEntries ScreenSystemPalette() {
  TDXDrawPaletteEntries entries{};
  UINT got = 0;
  if (HDC dc = GetDC(nullptr)) {
    got = GetSystemPaletteEntries(dc, 0, 256, entries.data());
    ReleaseDC(nullptr, dc);
  }
  if (got == 0) StaticColours(entries);
  return entries;
}

TDXDrawPaletteEntries MergeColorTable(const RGBQUAD table[256], bool allowPalette256,
                                      const TDXDrawPaletteEntries& system) {
  TDXDrawPaletteEntries entries{};
  RGBQuadsToPaletteEntries(table, entries.data());
  if (!allowPalette256) {
    for (int i = 0; i < kFirstOwnEntry; ++i) entries[i] = system[i];
    for (int i = kLastOwnEntry + 1; i < 256; ++i) entries[i] = system[i];
  }
  for (int i = 0; i < 256; ++i)
    entries[i].peFlags = (i >= kFirstOwnEntry && i <= kLastOwnEntry) ? PC_RESERVED : 0;
  return entries;
}

TDXDrawPaletteEntries ColorTableToPaletteEntries(const RGBQUAD table[256], bool allowPalette256) {
  if (allowPalette256) return MergeColorTable(table, true, TDXDrawPaletteEntries{});
  return MergeColorTable(table, false, ScreenSystemPalette());
}
