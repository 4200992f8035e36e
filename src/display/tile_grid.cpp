#include "display/tile_grid.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "common/ascii.h"
#include "display/drive_table.h"
#include "display/drive_usage.h"
#include "settings/drive_list.h"
#include "win/colour_ref.h"
#include "win/text.h"

namespace wolumetr {
namespace {

constexpr COLORREF kWhite = win::ColorRef(colours::kWhite);
constexpr COLORREF kPieBlue = win::ColorRef(colours::kBlue);
constexpr COLORREF kPieYellow = win::ColorRef(colours::kYellow);

win::FontSpec TileFont() { return win::FontSpec{L"MS Sans Serif", 8, true, false}; }

}  // namespace

void TileGrid::Build(SettingsFile& settings, const std::string& decimalSeparator) {
  decimalSeparator_ = decimalSeparator;
  tiles_.clear();
  for (int k = 1; k <= kDriveSlotCount; ++k) {
    std::optional<std::string> stored = ReadDriveSlot(settings, k);
    if (!stored) continue;
    const std::string value = AsciiLower(std::move(*stored));
    DriveTile& tile = tiles_.emplace_back();

    tile.letter = std::make_unique<win::Label>(panel_, TileFont(), kWhite);
    tile.volume = std::make_unique<win::Label>(panel_, TileFont(), kWhite, false);
    tile.volume->SetSize(kVolumeLabelWidth, tile.volume->Height());
    for (auto* label : {&tile.total, &tile.used, &tile.free}) {
      *label = std::make_unique<win::Label>(panel_, TileFont(), kWhite);
      win::Label& ref = **label;
      ref.onMouseEnter = [&ref] { SizeLabelMouseEnter(ref); };
      ref.onMouseLeave = [&ref] { SizeLabelMouseLeave(ref); };
    }
    tile.pie = std::make_unique<TPie>(panel_);
    TPie& pie = *tile.pie;
    pie.SetBrush(BrushStyle{kPieBlue, BS_SOLID});
    pie.SetPen(PenStyle{kPieYellow, 1, PS_SOLID, R2_COPYPEN});
    pie.SetSize(kPieSize, kPieSize);
    panel_.SendToBack(pie);

    tile.driveNumber = DriveNumberOf(value);
    Refresh(tile.driveNumber, Count() - 1);
    tile.letter->SetText(win::Widen(DriveLetterText(value)));
    if (auto name = drives_.VolumeName(value)) tile.volume->SetText(win::Widen(*name));
  }
}

void TileGrid::Arrange(Grid grid) {
  for (std::int32_t t = 0; t < Count(); ++t) {
    const Point cell = CellOfTile(t, grid);
    const TilePlaces at = TilePlacesAt(cell.x, cell.y);
    const DriveTile& tile = Tile(t);
    tile.pie->SetPosition(at.pie.x, at.pie.y);
    tile.letter->SetPosition(at.letter.x, at.letter.y);
    tile.volume->SetPosition(at.volume.x, at.volume.y);
    tile.total->SetPosition(at.total.x, at.total.y);
    tile.used->SetPosition(at.used.x, at.used.y);
    tile.free->SetPosition(at.free.x, at.free.y);
  }
}

void TileGrid::Refresh(std::uint8_t driveNumber, std::int32_t tile) {
  const std::int64_t freeBytes = drives_.FreeBytes(driveNumber);
  const std::int64_t totalBytes = drives_.TotalBytes(driveNumber);
  const TileFigures figures = ComputeTileFigures(freeBytes, totalBytes, decimalSeparator_);
  const DriveTile& t = Tile(tile);
  TPie& pie = *t.pie;
  // An unmeasured or empty drive shows only the gauge's outline, never a full disc.
  BrushStyle brush = pie.Brush();
  brush.style = figures.showWedge ? BS_SOLID : BS_HOLLOW;
  pie.SetBrush(brush);
  pie.Angles().SetStart(figures.startAngle);
  pie.Angles().SetEnd(figures.endAngle);
  t.total->SetText(win::Widen(figures.total));
  t.used->SetText(win::Widen(figures.used));
  t.free->SetText(win::Widen(figures.free));
}

void TileGrid::RefreshAll() {
  for (std::int32_t tile = 0; tile < Count(); ++tile) Refresh(Tile(tile).driveNumber, tile);
}

void TileGrid::SizeLabelMouseEnter(win::Label& label) {
  win::FontSpec font = label.Font();
  font.name = L"Arial";
  font.points += 6;
  label.SetFont(font);
}

void TileGrid::SizeLabelMouseLeave(win::Label& label) {
  win::FontSpec font = label.Font();
  font.name = L"MS Sans Serif";
  font.points = 8;
  label.SetFont(font);
}

}  // namespace wolumetr
