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

  // Taken before a tile's update and given back after it: clients hear of a change in its
  // figures or its name, and of nothing when neither changed.
  struct TileSnapshot {
    std::wstring name;
    std::wstring value;
  };
  TileSnapshot Snapshot(std::int32_t tile) const;
  void TileUpdated(std::int32_t tile, const TileSnapshot& before) const;

 private:
  const TileGrid& tiles_;
  win::WindowlessButtons glyphs_;
  win::AccessibleWindow window_;  // last: it is disconnected before the rest goes
};

}  // namespace wolumetr
