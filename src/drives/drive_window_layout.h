#pragma once
// Where the Drive selection window puts things around its grid.
#include "common/geometry.h"
#include "win/grid_geometry.h"

namespace wolumetr {

// Places that follow from the grid's size.
struct DriveWindowLayout {
  int gridWidth = 0;
  int gridHeight = 0;
  int rightColumnLeft = 0;  // left edge of the label, combo box and buttons beside the grid
  int width = 0;            // window size
  int height = 0;
};

// The grid sits at (gridLeft, gridTop); the right column holds controls `rightColumnWidth` wide.
DriveWindowLayout LayoutAroundGrid(const GridMetrics& grid, int gridLeft, int gridTop, int rightColumnWidth);

// The window's own lengths, drawn at a DPI. The right column's lefts follow from the grid
// (LayoutAroundGrid); only its tops are fixed.
struct DriveWindowDesign {
  GridMetrics grid;  // the slots with their header row, the number column narrow
  Point gridPlace;
  Point headingPlace;  // "Proszę wybrać dyski…" above the grid
  int changeLabelTop = 0;
  int comboTop = 0;
  int itemHeight = 0;  // the combo box's field and items
  Size buttonSize;
  int saveTop = 0;
  int cancelTop = 0;
  int iconLeft = 0;  // a drive's icon from its cell's or item's left
  int textGap = 0;   // between the icon and the text
};

DriveWindowDesign DriveWindowDesignAt(int dpi);

}  // namespace wolumetr
