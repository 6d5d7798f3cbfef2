// The geometry of a palette grid: cells of rounded size laid out row by row, the cell a
// click falls in, and the arrow-key moves of the selection. Used by the main window's
// grid (16 x 16 or 32 x 8) and the copy-from-other-palette dialog's (16 x 16).
#pragma once

#include "paletteeditor/core/PaletteTypes.h"

namespace pal {

struct GridLayout {
  int columns;
  int rows;
};
constexpr GridLayout Grid16x16{16, 16};
constexpr GridLayout Grid32x8{32, 8};

struct CellRect {
  int left, top, right, bottom;
};

// Cell `index` of a paint area of width x height: width and height per cell are the
// area's size divided by the columns and rows, rounded to nearest with ties to even.
CellRect GridCellRect(const GridLayout& grid, int width, int height, int index);

// The entry under (x, y): column x div the rounded cell width, row y div the rounded
// cell height, column + columns x row taken modulo 256. A cell size that rounds to 0
// counts as 1, so a tiny area never divides by zero.
int GridCellAt(const GridLayout& grid, int width, int height, int x, int y);

enum class GridMove { Up, Down, Left, Right };
// The selection after an arrow key: a row or an entry on, wrapping modulo 256.
int MoveSelection(const GridLayout& grid, int index, GridMove move);

}  // namespace pal
