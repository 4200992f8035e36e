#include "drives/drive_window_layout.h"

#include "common/dpi.h"
#include "common/drive_slots.h"

namespace wolumetr {

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
  design.itemHeight = scaled(16);
  design.buttonSize = ScaleToDpi(Size{113, 33}, dpi);
  design.iconLeft = scaled(2);
  design.textGap = scaled(4);

  // Lengths that follow from the grid's, each scaled and rounded on its own.
  const int margin = design.gridPlace.x;
  const int right = GridWidth(design.grid) + 2 * margin;
  design.changeLabelPlace = {right, scaled(48)};
  design.comboPlace = {right, scaled(64)};
  design.savePlace = {right, scaled(112)};
  design.cancelPlace = {right, scaled(168)};
  design.windowSize = {right + design.buttonSize.width + margin, GridHeight(design.grid) + design.gridPlace.y + margin};
  return design;
}

}  // namespace wolumetr
