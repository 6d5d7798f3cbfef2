// The table inversion declared in NegativeImage.h.
#include "explorer/palette/NegativeImage.h"

namespace {
constexpr int FirstInvertedEntry = 15;  // the inverse of the inside colour
}  // namespace

std::uint32_t InvertColorTable(ColorTableEntry* table) {
  for (int i = FirstInvertedEntry; i <= InsideEntry; ++i) {
    ColorTableEntry& e = table[i];
    e.Blue = std::uint8_t(~e.Blue);
    e.Green = std::uint8_t(~e.Green);
    e.Red = std::uint8_t(~e.Red);
  }
  return EntryColor(table[InsideEntry]);
}
