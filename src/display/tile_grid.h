#pragma once
// The main window's drive tiles: one pie gauge under five labels per monitored drive, built
// once from the drive slots, laid out on the grid, and showing what the drive worker measured.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/palette.h"
#include "display/drive_worker.h"
#include "display/grid_layout.h"
#include "display/pies.h"
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
  std::int32_t usedPercent = -1;  // -1 while not measured
};

class TileGrid {
 public:
  // The tiles are painted on `panel`, which must outlive the grid.
  explicit TileGrid(win::Surface& panel) : panel_(panel) {}

  // One tile per drive (as ReadTileDrives gives them), unmeasured (outline only, no figures),
  // in `palette`'s colours; the controls sit at (0, 0) until Arrange places them. Runs once per
  // process.
  void Build(const std::vector<std::string>& drives, const std::string& decimalSeparator, const Palette& palette);
  // The scale the tiles are drawn at: lengths from `layout`, fonts made for `dpi`. Tiles built
  // before keep their texts and hover state and take the new sizes; Arrange places them.
  void SetScale(const TileLayout& layout, int dpi);
  const TileLayout& Layout() const { return layout_; }
  // Places every tile's controls in its cell of `grid`, row by row.
  void Arrange(Grid grid);
  // Shows a tile's answers: pie angles, the three size texts, and the volume name if asked.
  // Only what changed is repainted, and the result says what a screen reader hears anew.
  struct Change {
    bool value = false;  // SpokenValue
    bool name = false;   // SpokenName
  };
  Change Apply(const DriveAnswer& answer);

  // The tile one of whose controls lies under a point of the panel, if any.
  std::optional<std::int32_t> TileAt(POINT client) const;
  // The labels' and pies' colours.
  void ApplyPalette(const Palette& palette);
  // What a screen reader hears of a tile: the name and value the labels add up to.
  std::wstring SpokenName(std::int32_t tile) const;
  std::wstring SpokenValue(std::int32_t tile) const;

  std::int32_t Count() const { return static_cast<std::int32_t>(tiles_.size()); }
  const DriveTile& Tile(std::int32_t tile) const { return tiles_[static_cast<std::size_t>(tile)]; }

 private:
  // True when the spoken value changed.
  bool ShowFigures(DriveTile& tile, std::int64_t freeBytes, std::int64_t totalBytes);
  void Scale(const DriveTile& tile) const;

  win::Surface& panel_;
  std::string decimalSeparator_ = ".";
  TileLayout layout_;
  int dpi_ = kDesignDpi;
  std::vector<DriveTile> tiles_;
};

}  // namespace wolumetr
