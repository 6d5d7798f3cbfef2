// MakePaletteArray, ReadPaletteArray and StoreEditorColours.
#include "explorer/tintary/EditorPalette.h"

#include <string>

#include "forms/comclient/VarArray.h"

namespace {

constexpr char SBadEditorPalette[] =
    "The palette editor did not return a palette of 224 colours; the colours are unchanged (%s)";
constexpr LONG kLastElement = FractalColorCount - 1;

[[noreturn]] void BadAnswer(const std::string& why) { throw EEditorPaletteError(SBadEditorPalette, why.c_str()); }

}  // namespace

TOleVariant MakePaletteArray(const RGBQUAD* table) {
  TOleVariant array = VarArrayCreate(0, kLastElement, VT_I4);
  for (LONG k = 0; k <= kLastElement; ++k) {
    const RGBQUAD& e = table[FirstFractalEntry + k];
    const LONG colour = e.rgbRed | (e.rgbGreen << 8) | (e.rgbBlue << 16);
    VarArrayPut(array, TOleVariant(colour), k);
  }
  return array;
}

TEditorColours ReadPaletteArray(const TOleVariant& answer) {
  if (VarArrayDimCount(answer) != 1) BadAnswer("not a one-dimensional array");
  const LONG low = VarArrayLowBound(answer, 1);
  const LONG high = VarArrayHighBound(answer, 1);
  if (low != 0 || high != kLastElement) BadAnswer("bounds " + std::to_string(low) + " to " + std::to_string(high));
  TEditorColours colours;
  for (LONG k = 0; k <= kLastElement; ++k) {
    try {
      colours[static_cast<std::size_t>(k)] = static_cast<std::uint32_t>(VarArrayGet(answer, k).AsInteger());
    } catch (const EVariantError& e) {
      BadAnswer("element " + std::to_string(k) + ": " + e.Message());
    }
  }
  return colours;
}

void StoreEditorColours(const TEditorColours& colours, RGBQUAD* table) {
  for (std::size_t k = 0; k < colours.size(); ++k) {
    RGBQUAD& e = table[FirstFractalEntry + k];
    e.rgbRed = static_cast<BYTE>(colours[k]);
    e.rgbGreen = static_cast<BYTE>(colours[k] >> 8);
    e.rgbBlue = static_cast<BYTE>(colours[k] >> 16);
  }
}
