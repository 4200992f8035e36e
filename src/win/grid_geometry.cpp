#include "win/grid_geometry.h"

#include <algorithm>

namespace wolumetr {
namespace {

int ColumnCount(const GridMetrics& grid) { return static_cast<int>(grid.columnWidths.size()); }

int ColumnLeft(const GridMetrics& grid, int column) {
  int left = 0;
  for (int c = 0; c < column; ++c) left += grid.columnWidths[static_cast<std::size_t>(c)] + grid.lineWidth;
  return left;
}

int RowPitch(const GridMetrics& grid) { return grid.rowHeight + grid.lineWidth; }

}  // namespace

int GridWidth(const GridMetrics& grid) { return ColumnLeft(grid, ColumnCount(grid)); }

int GridHeight(const GridMetrics& grid) { return grid.rowCount * RowPitch(grid); }

Rect CellBounds(const GridMetrics& grid, GridCell cell) {
  const int left = ColumnLeft(grid, cell.column);
  const int top = cell.row * RowPitch(grid);
  return Rect{left, top, left + grid.columnWidths[static_cast<std::size_t>(cell.column)], top + grid.rowHeight};
}

std::optional<GridCell> CellAt(const GridMetrics& grid, Point point) {
  if (point.x < 0 || point.y < 0 || point.x >= GridWidth(grid) || point.y >= GridHeight(grid)) return std::nullopt;
  int column = 0;
  while (point.x >= ColumnLeft(grid, column + 1)) ++column;
  return GridCell{column, point.y / RowPitch(grid)};
}

GridCell MoveCurrentCell(const GridMetrics& grid, GridCell current, GridKey key) {
  const int firstRow = grid.fixedRows;
  const int lastRow = grid.rowCount - 1;
  const int lastColumn = ColumnCount(grid) - 1;
  if (lastRow < firstRow || lastColumn < 0) return current;
  GridCell next = current;
  switch (key) {
    case GridKey::Up: next.row = current.row - 1; break;
    case GridKey::Down: next.row = current.row + 1; break;
    case GridKey::Left: next.column = current.column - 1; break;
    case GridKey::Right: next.column = current.column + 1; break;
    case GridKey::PageUp:
    case GridKey::Home: next.row = firstRow; break;
    case GridKey::PageDown:
    case GridKey::End: next.row = lastRow; break;
    case GridKey::CtrlHome: next = GridCell{0, firstRow}; break;
    case GridKey::CtrlEnd: next = GridCell{lastColumn, lastRow}; break;
    case GridKey::Tab:
      if (++next.column > lastColumn) {
        next.column = 0;
        if (++next.row > lastRow) next.row = firstRow;
      }
      break;
    case GridKey::ShiftTab:
      if (--next.column < 0) {
        next.column = lastColumn;
        if (--next.row < firstRow) next.row = lastRow;
      }
      break;
  }
  next.row = std::clamp(next.row, firstRow, lastRow);
  next.column = std::clamp(next.column, 0, lastColumn);
  return next;
}

}  // namespace wolumetr
