#pragma once
// What the main window tells screen readers: every tile (name and figures) and the three glyphs
// as buttons, in that order; the window is busy while a refresh keeps the user waiting for a drive.
#include <windows.h>

#include <cstdint>

#include "display/refresh_schedule.h"
#include "display/tile_grid.h"
#include "win/accessible_window.h"

namespace wolumetr {

class MainAccessibility final : public win::AccessibleItems {
 public:
  // Everything given must outlive this object.
  MainAccessibility(const TileGrid& tiles, const RefreshSchedule& refreshes, win::WindowlessButtons glyphs);

  int ItemCount() const override;
  win::AccessibleItem Item(int index) const override;
  void DoDefaultAction(int index) override;
  bool Busy() const override { return refreshes_.Slow(); }

  // Clients of `window` hear of a change in a tile's figures or its name, and of nothing else.
  static void TileChanged(const win::AccessibleWindow& window, std::int32_t tile, TileGrid::Change change);

 private:
  const TileGrid& tiles_;
  const RefreshSchedule& refreshes_;
  win::WindowlessButtons glyphs_;
};

}  // namespace wolumetr
