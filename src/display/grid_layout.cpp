#include "display/grid_layout.h"

#include <algorithm>
#include <limits>

namespace wolumetr {

namespace {

constexpr std::int32_t kMaxFitColumns = 6;

int ClampToInt(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int WindowSide(std::int32_t cells, const TileLayout& layout) {
  const std::int64_t side = std::int64_t{layout.pitch} * std::max<std::int32_t>(cells, 0) + layout.margin;
  return static_cast<int>(std::min<std::int64_t>(side, kMaxWindowSide));
}

Point Offset(Point origin, Point by) {
  return {ClampToInt(std::int64_t{origin.x} + by.x), ClampToInt(std::int64_t{origin.y} + by.y)};
}

}  // namespace

TileLayout TileLayoutFor(int dpi) {
  TileLayout layout;
  for (int* length : {&layout.pitch, &layout.margin, &layout.pie, &layout.volumeLabelWidth, &layout.bevel}) {
    *length = ScaleToDpi(*length, dpi);
  }
  for (Point* offset : {&layout.volumeOffset, &layout.totalOffset, &layout.usedOffset, &layout.freeOffset}) {
    *offset = ScaleToDpi(*offset, dpi);
  }
  for (Size* size : {&layout.closeImage, &layout.hideImage, &layout.refreshImage, &layout.designWindow}) {
    *size = ScaleToDpi(*size, dpi);
  }
  return layout;
}

Grid FitGrid(std::int32_t columns, std::int32_t rows, std::int32_t driveCount) {
  if (driveCount <= 0 || (columns > 0 && rows > 0 && std::int64_t{columns} * rows >= driveCount)) {
    return {columns, rows};
  }
  const std::int32_t fitRows = (driveCount + kMaxFitColumns - 1) / kMaxFitColumns;
  const std::int32_t fitColumns = (driveCount + fitRows - 1) / fitRows;
  return {fitColumns, fitRows};
}

Size WindowSizeFor(Grid grid, const TileLayout& layout) {
  return {WindowSide(grid.columns, layout), WindowSide(grid.rows, layout)};
}

TilePlaces TilePlacesAt(int column, int row, const TileLayout& layout) {
  const Point origin{ClampToInt(layout.margin + std::int64_t{layout.pitch} * column),
                     ClampToInt(layout.margin + std::int64_t{layout.pitch} * row)};
  TilePlaces places;
  places.pie = origin;
  places.letter = origin;
  places.volume = Offset(origin, layout.volumeOffset);
  places.total = Offset(origin, layout.totalOffset);
  places.used = Offset(origin, layout.usedOffset);
  places.free = Offset(origin, layout.freeOffset);
  return places;
}

Point CellOfTile(int tileIndex, Grid grid) {
  const int columns = std::max<std::int32_t>(grid.columns, 1);
  return {tileIndex % columns, tileIndex / columns};
}

ImagePlaces ImagePlacesFor(int panelWidth, int panelHeight, const TileLayout& layout) {
  const int inset = 2 * layout.bevel;
  ImagePlaces places;
  places.close = {ClampToInt(std::int64_t{panelWidth} - layout.closeImage.width - inset), inset};
  places.hide = {inset, inset};
  places.refresh = {places.hide.x, ClampToInt(std::int64_t{panelHeight} - inset - layout.refreshImage.height)};
  return places;
}

}  // namespace wolumetr
