#pragma once
#include <cstdint>

#include "common/dpi.h"
#include "common/geometry.h"

namespace wolumetr {

// Largest window side the layout asks for. Win32 keeps window coordinates in
// 16-bit range in many places, so a hand-edited grid of 100000 columns gives
// a window of 32767 pixels instead of an overflowing or negative size.
inline constexpr int kMaxWindowSide = 32767;

struct Grid {
  std::int32_t columns = 0;
  std::int32_t rows = 0;
  friend bool operator==(const Grid&, const Grid&) = default;
};

// The tile grid's lengths at one DPI. Every design length is scaled on its own, and sizes and
// places derive from the scaled lengths exactly as the design's derive from 81 and 16: at 144
// DPI the pitch is 122 and the margin 24, so two tiles make 24 + 2 x 122 = 268, not 178 x 1.5.
struct TileLayout {
  int pitch = 81;  // pie plus the gap to the next tile
  int margin = 16;
  int pie = 65;
  int volumeLabelWidth = 51;
  int bevel = 1;
  // Offsets of the tile's controls from the tile's origin.
  Point volumeOffset{14, 0};
  Point totalOffset{0, 16};
  Point usedOffset{0, 32};
  Point freeOffset{0, 48};
  Size closeImage{8, 9};
  Size hideImage{8, 9};
  Size refreshImage{39, 10};
  Size designWindow{501, 286};  // client size of the main window while it has no tile
};
TileLayout TileLayoutFor(int dpi);

// The grid the tiles are laid out in. A configured grid with room for every
// tile stays as it is, with any number of columns. Otherwise (too small, or
// a count of 0 or below, which means "choose for me") the fit picks the
// fewest rows of at most 6 columns, then the fewest columns for those rows.
// Without tiles the grid is returned unchanged: nothing is laid out then.
Grid FitGrid(std::int32_t columns, std::int32_t rows, std::int32_t driveCount);

// Client size of the main window for a grid: the pitch per cell plus the
// margin, clamped to margin..kMaxWindowSide per side.
Size WindowSizeFor(Grid grid, const TileLayout& layout = {});

struct TilePlaces {
  Point pie;
  Point letter;
  Point volume;
  Point total;
  Point used;
  Point free;
};

// Where the controls of the tile in grid cell (column, row) go, in the
// panel's client coordinates.
TilePlaces TilePlacesAt(int column, int row, const TileLayout& layout = {});

// Grid cell (x = column, y = row) of a tile: tiles fill the grid row by row,
// left to right. A grid without columns is read as one column.
Point CellOfTile(int tileIndex, Grid grid);

struct ImagePlaces {
  Point close;
  Point hide;
  Point refresh;
};

// The close glyph sits in the top right corner, the hide glyph in the top
// left, the refresh caption in the bottom left, inside the panel's bevel.
ImagePlaces ImagePlacesFor(int panelWidth, int panelHeight, const TileLayout& layout = {});

}  // namespace wolumetr
