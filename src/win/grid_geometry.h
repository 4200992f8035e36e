#pragma once
// The cell arithmetic of a string grid whose rows all show at once: sizes, hit testing and
// moving the current cell with the keyboard.
#include <optional>
#include <vector>

#include "common/geometry.h"

namespace wolumetr {

struct GridMetrics {
  std::vector<int> columnWidths;
  int rowHeight = 0;
  int rowCount = 0;
  int fixedRows = 0;  // header rows at the top; they can never become the current row
  int lineWidth = 1;  // the grid line to the right of and below every cell
};

struct GridCell {
  int column = 0;
  int row = 0;
  friend bool operator==(const GridCell&, const GridCell&) = default;
};

enum class GridKey { Up, Down, Left, Right, PageUp, PageDown, Home, End, CtrlHome, CtrlEnd, Tab, ShiftTab };

// Width and height of all cells with their lines.
int GridWidth(const GridMetrics& grid);
int GridHeight(const GridMetrics& grid);

// The cell's own rectangle, without its lines.
Rect CellBounds(const GridMetrics& grid, GridCell cell);

// The cell under a point; a grid line belongs to the cell before it. nullopt outside.
std::optional<GridCell> CellAt(const GridMetrics& grid, Point point);

// The current cell after a key. The whole grid is always on screen, so a page is all the
// rows; Home and End go to the first and last row, as whole rows are selected. Tab walks
// the cells row by row and wraps around.
GridCell MoveCurrentCell(const GridMetrics& grid, GridCell current, GridKey key);

}  // namespace wolumetr
