#include "drives/drive_window_layout.h"

namespace wolumetr {

DriveWindowLayout LayoutAroundGrid(const GridMetrics& grid, int gridLeft, int gridTop, int rightColumnWidth) {
  DriveWindowLayout layout;
  layout.gridWidth = GridWidth(grid);
  layout.gridHeight = GridHeight(grid);
  layout.height = layout.gridHeight + gridTop + gridLeft;
  layout.rightColumnLeft = layout.gridWidth + 2 * gridLeft;
  layout.width = layout.rightColumnLeft + rightColumnWidth + gridLeft;
  return layout;
}

}  // namespace wolumetr
