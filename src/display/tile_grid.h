#pragma once
// The main window's drive tiles: one pie gauge under five labels per monitored drive, built
// once from the drive slots, laid out on the grid, and re-measured on every refresh.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/drive_queries.h"
#include "display/grid_layout.h"
#include "display/pies.h"
#include "settings/settings_file.h"
#include "win/graphic_control.h"
#include "win/label.h"

namespace wolumetr {

struct DriveTile {
  std::uint8_t driveNumber = 0;
  std::unique_ptr<win::Label> letter;
  std::unique_ptr<win::Label> volume;
  std::unique_ptr<win::Label> total;
  std::unique_ptr<win::Label> used;
  std::unique_ptr<win::Label> free;
  std::unique_ptr<TPie> pie;
};

class TileGrid {
 public:
  // The tiles are painted on `panel`, which must outlive the grid.
  TileGrid(win::Surface& panel, DriveQueries& drives) : panel_(panel), drives_(drives) {}

  // One tile per filled slot, in slot order, each measured once; the controls sit at (0, 0)
  // until Arrange places them. Runs once per process.
  void Build(SettingsFile& settings, const std::string& decimalSeparator);
  // Places every tile's controls in its cell of `grid`, row by row.
  void Arrange(Grid grid);
  // Re-measures tile `tile` as drive `driveNumber`: pie angles and the three size texts.
  void Refresh(std::uint8_t driveNumber, std::int32_t tile);
  void RefreshAll();

  std::int32_t Count() const { return static_cast<std::int32_t>(tiles_.size()); }
  const DriveTile& Tile(std::int32_t tile) const { return tiles_[static_cast<std::size_t>(tile)]; }

  // The size labels grow under the mouse.
  static void SizeLabelMouseEnter(win::Label& label);
  static void SizeLabelMouseLeave(win::Label& label);

 private:
  win::Surface& panel_;
  DriveQueries& drives_;
  std::string decimalSeparator_ = ".";
  std::vector<DriveTile> tiles_;
};

}  // namespace wolumetr
