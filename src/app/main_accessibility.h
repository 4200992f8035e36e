#pragma once
// What the main window tells screen readers: every tile (name and figures) and the three glyphs
// as buttons, in that order.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "display/tile_grid.h"
#include "win/accessible_window.h"

namespace wolumetr {

class MainAccessibility final : public win::AccessibleItems {
 public:
  // Everything given must outlive this object.
  MainAccessibility(HWND hwnd, const TileGrid& tiles, win::WindowlessButtons glyphs);

  int ItemCount() const override;
  win::AccessibleItem Item(int index) const override;
  void DoDefaultAction(int index) override;

  std::optional<LRESULT> Route(UINT message, WPARAM wParam, LPARAM lParam) const {
    return window_.Route(message, wParam, lParam);
  }
  const win::AccessibleWindow& Window() const { return window_; }

  // Clients hear of a change in a tile's figures or its name, and of nothing else.
  void TileChanged(std::int32_t tile, TileGrid::Change change) const;

 private:
  const TileGrid& tiles_;
  win::WindowlessButtons glyphs_;
  win::AccessibleWindow window_;  // last: it is disconnected before the rest goes
};

}  // namespace wolumetr
