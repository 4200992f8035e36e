#include "app/main_accessibility.h"

#include <utility>

namespace wolumetr {

MainAccessibility::MainAccessibility(const TileGrid& tiles, const RefreshSchedule& refreshes,
                                     win::WindowlessButtons glyphs)
    : tiles_(tiles), refreshes_(refreshes), glyphs_(std::move(glyphs)) {}

int MainAccessibility::ItemCount() const { return tiles_.Count() + glyphs_.ItemCount(); }

win::AccessibleItem MainAccessibility::Item(int index) const {
  if (index >= tiles_.Count()) return glyphs_.Item(index - tiles_.Count());
  const DriveTile& tile = tiles_.Tile(index);
  win::AccessibleItem item;
  item.role = ROLE_SYSTEM_LISTITEM;
  item.name = tiles_.SpokenName(index);
  item.value = tiles_.SpokenValue(index);
  // The tile's area: its pie and the labels beside it.
  item.bounds = tile.pie->Bounds();
  for (const win::Label* label :
       {tile.letter.get(), tile.volume.get(), tile.total.get(), tile.used.get(), tile.free.get()}) {
    UnionRect(&item.bounds, &item.bounds, &label->Bounds());
  }
  return item;
}

void MainAccessibility::DoDefaultAction(int index) {
  if (index >= tiles_.Count()) glyphs_.DoDefaultAction(index - tiles_.Count());
}

void MainAccessibility::TileChanged(const win::AccessibleWindow& window, std::int32_t tile, TileGrid::Change change) {
  if (change.value) window.ValueChanged(tile);
  if (change.name) window.NameChanged(tile);
}

}  // namespace wolumetr
