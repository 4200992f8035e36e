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

int WindowSide(std::int32_t cells) {
  const std::int64_t side = std::int64_t{kTilePitch} * std::max<std::int32_t>(cells, 0) + kGridMargin;
  return static_cast<int>(std::min<std::int64_t>(side, kMaxWindowSide));
}

Point Offset(Point origin, Point by) {
  return {ClampToInt(std::int64_t{origin.x} + by.x), ClampToInt(std::int64_t{origin.y} + by.y)};
}

}  // namespace

Grid FitGrid(std::int32_t columns, std::int32_t rows, std::int32_t driveCount) {
  if (driveCount <= 0) {
    return {columns, rows};
  }
  if (columns > 0 && rows > 0 && std::int64_t{columns} * rows >= driveCount) {
    return {columns, rows};
  }
  const std::int32_t fitRows = (driveCount + kMaxFitColumns - 1) / kMaxFitColumns;
  const std::int32_t fitColumns = (driveCount + fitRows - 1) / fitRows;
  return {fitColumns, fitRows};
}

Size WindowSizeFor(Grid grid) { return {WindowSide(grid.columns), WindowSide(grid.rows)}; }

TilePlaces TilePlacesAt(int column, int row) {
  const Point origin{ClampToInt(kGridMargin + std::int64_t{kTilePitch} * column),
                     ClampToInt(kGridMargin + std::int64_t{kTilePitch} * row)};
  TilePlaces places;
  places.pie = origin;
  places.letter = origin;
  places.volume = Offset(origin, kVolumeLabelOffset);
  places.total = Offset(origin, kTotalLabelOffset);
  places.used = Offset(origin, kUsedLabelOffset);
  places.free = Offset(origin, kFreeLabelOffset);
  return places;
}

Point CellOfTile(int tileIndex, Grid grid) {
  const int columns = std::max<std::int32_t>(grid.columns, 1);
  return {tileIndex % columns, tileIndex / columns};
}

ImagePlaces ImagePlacesFor(int panelWidth, int panelHeight) {
  constexpr int kInset = 2 * kPanelBevel;
  ImagePlaces places;
  places.close = {ClampToInt(std::int64_t{panelWidth} - kCloseImageSize.width - kInset), kInset};
  places.hide = {kInset, kInset};
  places.refresh = {places.hide.x, ClampToInt(std::int64_t{panelHeight} - kInset - kRefreshImageSize.height)};
  return places;
}

}  // namespace wolumetr
