// The palette tools (see PaletteTools.h).
#include "paletteeditor/core/PaletteTools.h"

#include <algorithm>
#include <utility>

namespace pal {
namespace {

bool IsIndex(int i) { return i >= 0 && i < PaletteSize; }
bool AreIndices(int a, int b, int c) { return IsIndex(a) && IsIndex(b) && IsIndex(c); }
int TargetEnd(int from, int to, int target) { return std::min(target + to - from, PaletteSize - 1); }

}  // namespace

void ChangeColour(PaletteColours& palette, int from, int to, Colour oldColour, Colour newColour) {
  if (!IsIndex(from) || !IsIndex(to)) return;
  for (int i = from; i <= to; ++i)
    if (palette[i] == oldColour) palette[i] = newColour;
}

void CopyColours(PaletteColours& palette, int from, int to, int target) {
  if (!AreIndices(from, to, target)) return;
  for (int t = target, last = TargetEnd(from, to, target); t <= last; ++t)
    palette[t] = palette[from + t - target];
}

void ExchangeColours(PaletteColours& palette, int from, int to, int target) {
  if (!AreIndices(from, to, target)) return;
  for (int t = target, last = TargetEnd(from, to, target); t <= last; ++t)
    std::swap(palette[t], palette[from + t - target]);
}

void CopyFromOtherPalette(PaletteColours& palette, const PaletteColours& other, int from, int to,
                          int target) {
  if (!AreIndices(from, to, target)) return;
  for (int t = target, last = TargetEnd(from, to, target); t <= last; ++t)
    palette[t] = other[from + t - target];
}

void RotateColours(PaletteColours& palette, int from, int to, int amount, RotateDirection direction) {
  // A reversed range would only copy one entry over another, losing a colour.
  if (!IsIndex(from) || !IsIndex(to) || from > to) return;
  for (int n = 0; n < amount; ++n) {
    if (direction == RotateDirection::Left) {
      const Colour saved = palette[from];
      for (int k = 0; k < to - from; ++k) palette[from + k] = palette[from + k + 1];
      palette[to] = saved;
    } else {
      const Colour saved = palette[to];
      for (int k = 0; k < to - from; ++k) palette[to - k] = palette[to - k - 1];
      palette[from] = saved;
    }
  }
}

void ReverseColours(PaletteColours& palette, int from, int to) {
  if (!IsIndex(from) || !IsIndex(to)) return;
  // Truncated toward zero: a range reversed by one entry swaps its two ends.
  const int half = (to - from) / 2;
  for (int i = 0; i <= half; ++i) std::swap(palette[from + i], palette[to - i]);
}

}  // namespace pal
