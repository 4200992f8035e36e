#include "app/main_accessibility.h"

#include <utility>

namespace wolumetr {

MainAccessibility::MainAccessibility(HWND hwnd, const TileGrid& tiles, std::vector<MainWindowGlyph> glyphs,
                                     std::function<void(int glyph)> press)
    : tiles_(tiles), glyphs_(std::move(glyphs)), press_(std::move(press)), window_(hwnd, *this) {}

int MainAccessibility::ItemCount() const { return tiles_.Count() + static_cast<int>(glyphs_.size()); }

win::AccessibleItem MainAccessibility::Item(int index) const {
  win::AccessibleItem item;
  if (index < tiles_.Count()) {
    const DriveTile& tile = tiles_.Tile(index);
    item.role = ROLE_SYSTEM_LISTITEM;
    item.name = tiles_.SpokenName(index);
    item.value = tiles_.SpokenValue(index);
    // The tile's area: its pie and the labels beside it.
    item.bounds = tile.pie->Bounds();
    for (const win::Label* label : {tile.letter.get(), tile.volume.get(), tile.total.get(), tile.used.get(),
                                    tile.free.get()}) {
      UnionRect(&item.bounds, &item.bounds, &label->Bounds());
    }
    return item;
  }
  const MainWindowGlyph& glyph = glyphs_[static_cast<std::size_t>(index - tiles_.Count())];
  item.role = ROLE_SYSTEM_PUSHBUTTON;
  item.name = glyph.name;
  item.bounds = glyph.image->Bounds();
  item.visible = glyph.image->Visible();
  item.defaultAction = L"Naciśnij";
  return item;
}

void MainAccessibility::DoDefaultAction(int index) {
  if (index >= tiles_.Count() && press_) press_(index - tiles_.Count());
}

MainAccessibility::TileSnapshot MainAccessibility::Snapshot(std::int32_t tile) const {
  return TileSnapshot{tiles_.SpokenName(tile), tiles_.SpokenValue(tile)};
}

void MainAccessibility::TileUpdated(std::int32_t tile, const TileSnapshot& before) const {
  const TileSnapshot now = Snapshot(tile);
  if (now.value != before.value) window_.ValueChanged(tile);
  if (now.name != before.name) window_.NameChanged(tile);
}

}  // namespace wolumetr
