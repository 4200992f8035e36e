#include "drives/drive_window_layout.h"

#include "common/dpi.h"
#include "common/drive_slots.h"

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

DriveWindowDesign DriveWindowDesignAt(int dpi) {
  const auto scaled = [dpi](int length) { return ScaleToDpi(length, dpi); };
  DriveWindowDesign design;
  design.grid.columnWidths = {scaled(30), scaled(64)};
  design.grid.rowHeight = scaled(18);
  design.grid.rowCount = kDriveSlotCount + 1;
  design.grid.fixedRows = 1;
  design.grid.lineWidth = scaled(1);
  design.gridPlace = ScaleToDpi(Point{24, 32}, dpi);
  design.headingPlace = ScaleToDpi(Point{24, 8}, dpi);
  design.changeLabelTop = scaled(48);
  design.comboTop = scaled(64);
  design.itemHeight = scaled(16);
  design.buttonSize = ScaleToDpi(Size{113, 33}, dpi);
  design.saveTop = scaled(112);
  design.cancelTop = scaled(168);
  design.iconLeft = scaled(2);
  design.textGap = scaled(4);
  return design;
}

}  // namespace wolumetr
