// Palette grid geometry (see PaletteGrid.h).
#include "paletteeditor/core/PaletteGrid.h"

#include <cmath>

namespace pal {
namespace {

int RoundedCell(int extent, int count) {
  return static_cast<int>(std::nearbyint(static_cast<double>(extent) / count));
}

int Wrap(int index) { return ((index % PaletteSize) + PaletteSize) % PaletteSize; }

}  // namespace

CellRect GridCellRect(const GridLayout& grid, int width, int height, int index) {
  const int w = RoundedCell(width, grid.columns);
  const int h = RoundedCell(height, grid.rows);
  const int c = index % grid.columns;
  const int r = index / grid.columns;
  return CellRect{w * c, h * r, w * c + w, h * r + h};
}

int GridCellAt(const GridLayout& grid, int width, int height, int x, int y) {
  int w = RoundedCell(width, grid.columns);
  int h = RoundedCell(height, grid.rows);
  if (w < 1) w = 1;
  if (h < 1) h = 1;
  return Wrap(x / w + grid.columns * (y / h));
}

int MoveSelection(const GridLayout& grid, int index, GridMove move) {
  switch (move) {
    case GridMove::Up:
      return Wrap(index - grid.columns);
    case GridMove::Down:
      return Wrap(index + grid.columns);
    case GridMove::Left:
      return Wrap(index - 1);
    case GridMove::Right:
      return Wrap(index + 1);
  }
  return Wrap(index);
}

}  // namespace pal
