#pragma once
// What the main window tells screen readers: every tile (name and figures) and the three glyphs
// as buttons, in that order.
#include <windows.h>

#include <functional>
#include <string>

#include "display/tile_grid.h"
#include "win/accessible_window.h"
#include "win/pattern_image.h"

namespace wolumetr {

struct MainWindowGlyph {
  const win::PatternImage* image;
  std::wstring name;
};

class MainAccessibility final : public win::AccessibleItems {
 public:
  // `press(n)` runs the n-th glyph's click. Everything given must outlive this object.
  MainAccessibility(HWND hwnd, const TileGrid& tiles, std::vector<MainWindowGlyph> glyphs,
                    std::function<void(int glyph)> press);

  int ItemCount() const override;
  win::AccessibleItem Item(int index) const override;
  void DoDefaultAction(int index) override;

  std::optional<LRESULT> Answer(WPARAM wParam, LPARAM lParam) const { return window_.Answer(wParam, lParam); }
  const win::AccessibleWindow& Window() const { return window_; }

  // Call around a tile's update: clients hear of a change in its figures or its name, and of
  // nothing when neither changed.
  struct TileSnapshot {
    std::wstring name;
    std::wstring value;
  };
  TileSnapshot Snapshot(std::int32_t tile) const;
  void TileUpdated(std::int32_t tile, const TileSnapshot& before) const;

 private:
  const TileGrid& tiles_;
  std::vector<MainWindowGlyph> glyphs_;
  std::function<void(int)> press_;
  win::AccessibleWindow window_;  // last: it is disconnected before the rest goes
};

}  // namespace wolumetr
