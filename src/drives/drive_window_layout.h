#pragma once
// Where the Drive selection window puts things around its grid.
#include "common/geometry.h"
#include "win/grid_geometry.h"

namespace wolumetr {

// The window's own lengths and places, drawn at a DPI. The right column (the "Zmień na :" label,
// the combo box and the buttons) stands beside the grid, a margin as wide as the grid's left one
// from it and from the window's right edge; the grid's left margin is under it too.
struct DriveWindowDesign {
  GridMetrics grid;  // the slots with their header row, the number column narrow
  Point gridPlace;
  Point headingPlace;  // "Proszę wybrać dyski…" above the grid
  Point changeLabelPlace;
  Point comboPlace;
  int itemHeight = 0;  // the combo box's field and items
  Size buttonSize;
  Point savePlace;
  Point cancelPlace;
  int iconLeft = 0;  // a drive's icon from its cell's or item's left
  int textGap = 0;   // between the icon and the text
  Size windowSize;
};

DriveWindowDesign DriveWindowDesignAt(int dpi);

}  // namespace wolumetr
