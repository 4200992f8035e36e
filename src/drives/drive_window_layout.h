#pragma once
// Where the Drive selection window puts things around its grid.
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

}  // namespace wolumetr
