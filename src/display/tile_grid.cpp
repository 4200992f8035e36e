#include "display/tile_grid.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "display/drive_table.h"
#include "display/drive_usage.h"
#include "display/tile_speech.h"
#include "win/colour_ref.h"
#include "win/text.h"

namespace wolumetr {
namespace {

win::FontSpec TileFont(int dpi) { return win::FontSpec{win::kPanelFace, 8, true, false, dpi}; }

// The size labels grow under the mouse.
void Hover(win::Label& label, bool over) {
  win::FontSpec font = label.Font();
  font.name = over ? L"Arial" : win::kPanelFace;
  font.points = over ? font.points + 6 : 8;
  label.SetFont(font);
}

}  // namespace

void TileGrid::Build(const std::vector<std::string>& drives, const std::string& decimalSeparator,
                     const Palette& palette) {
  const COLORREF text = win::ColorRef(palette.tileText);
  decimalSeparator_ = decimalSeparator;
  tiles_.clear();
  for (const std::string& value : drives) {
    DriveTile& tile = tiles_.emplace_back();

    tile.letter = std::make_unique<win::Label>(panel_, TileFont(dpi_), text);
    tile.volume = std::make_unique<win::Label>(panel_, TileFont(dpi_), text, false);
    for (auto* label : {&tile.total, &tile.used, &tile.free}) {
      *label = std::make_unique<win::Label>(panel_, TileFont(dpi_), text);
      win::Label& ref = **label;
      ref.onMouseEnter = [&ref] { Hover(ref, true); };
      ref.onMouseLeave = [&ref] { Hover(ref, false); };
    }
    tile.pie = std::make_unique<TPie>(panel_);
    TPie& pie = *tile.pie;
    pie.SetBrush(BrushStyle{win::ColorRef(palette.pieFill), BS_SOLID});
    pie.SetPen(PenStyle{win::ColorRef(palette.pieEdge), 1, PS_SOLID, R2_COPYPEN});
    panel_.SendToBack(pie);
    Scale(tile);

    tile.driveNumber = DriveNumberOf(value);
    ShowFigures(tile, -1, -1);
    tile.letter->SetText(win::Widen(DriveLetterText(value)));
  }
}

std::optional<std::int32_t> TileGrid::TileAt(POINT client) const {
  const win::GraphicControl* under = panel_.ControlAt(client);
  if (under == nullptr) return std::nullopt;
  for (std::int32_t t = 0; t < Count(); ++t) {
    const DriveTile& tile = Tile(t);
    for (const win::GraphicControl* part :
         std::initializer_list<const win::GraphicControl*>{tile.letter.get(), tile.volume.get(), tile.total.get(),
                                                           tile.used.get(), tile.free.get(), tile.pie.get()}) {
      if (part == under) return t;
    }
  }
  return std::nullopt;
}

void TileGrid::SetScale(const TileLayout& layout, int dpi) {
  layout_ = layout;
  dpi_ = dpi;
  for (const DriveTile& tile : tiles_) Scale(tile);
}

void TileGrid::Scale(const DriveTile& tile) const {
  // Each label keeps its face and size (the hover font stays while the mouse is over it).
  for (win::Label* label : {tile.letter.get(), tile.volume.get(), tile.total.get(), tile.used.get(), tile.free.get()}) {
    win::FontSpec font = label->Font();
    font.dpi = dpi_;
    label->SetFont(font);
  }
  tile.volume->SetSize(layout_.volumeLabelWidth, tile.volume->Height());
  tile.pie->SetSize(layout_.pie, layout_.pie);
}

void TileGrid::Arrange(Grid grid) {
  for (std::int32_t t = 0; t < Count(); ++t) {
    const Point cell = CellOfTile(t, grid);
    const TilePlaces at = TilePlacesAt(cell.x, cell.y, layout_);
    const DriveTile& tile = Tile(t);
    tile.pie->SetPosition(at.pie.x, at.pie.y);
    tile.letter->SetPosition(at.letter.x, at.letter.y);
    tile.volume->SetPosition(at.volume.x, at.volume.y);
    tile.total->SetPosition(at.total.x, at.total.y);
    tile.used->SetPosition(at.used.x, at.used.y);
    tile.free->SetPosition(at.free.x, at.free.y);
  }
}

TileGrid::Change TileGrid::Apply(const DriveAnswer& answer) {
  if (answer.tile < 0 || answer.tile >= Count()) return {};
  DriveTile& tile = tiles_[static_cast<std::size_t>(answer.tile)];
  Change change;
  change.value = ShowFigures(tile, answer.freeBytes, answer.totalBytes);
  if (answer.volume) change.name = tile.volume->SetText(win::Widen(*answer.volume));
  return change;
}

bool TileGrid::ShowFigures(DriveTile& t, std::int64_t freeBytes, std::int64_t totalBytes) {
  const TileFigures figures = ComputeTileFigures(freeBytes, totalBytes, decimalSeparator_);
  TPie& pie = *t.pie;
  // An unmeasured or empty drive shows only the gauge's outline, never a full disc.
  BrushStyle brush = pie.Brush();
  brush.style = figures.showWedge ? BS_SOLID : BS_HOLLOW;
  pie.SetBrush(brush);
  pie.Angles().SetStart(figures.startAngle);
  pie.Angles().SetEnd(figures.endAngle);
  const bool total = t.total->SetText(win::Widen(figures.total));
  const bool used = t.used->SetText(win::Widen(figures.used));
  const bool free = t.free->SetText(win::Widen(figures.free));
  const std::int32_t percent = figures.measured ? figures.usedPercent : -1;
  const bool value = total || used || free || percent != t.usedPercent;
  t.usedPercent = percent;
  return value;
}

void TileGrid::ApplyPalette(const Palette& palette) {
  const COLORREF text = win::ColorRef(palette.tileText);
  for (const DriveTile& tile : tiles_) {
    for (win::Label* label :
         {tile.letter.get(), tile.volume.get(), tile.total.get(), tile.used.get(), tile.free.get()}) {
      label->SetColor(text);
    }
    BrushStyle brush = tile.pie->Brush();
    brush.color = win::ColorRef(palette.pieFill);
    tile.pie->SetBrush(brush);
    PenStyle pen = tile.pie->Pen();
    pen.color = win::ColorRef(palette.pieEdge);
    tile.pie->SetPen(pen);
  }
}

std::wstring TileGrid::SpokenName(std::int32_t tile) const {
  const DriveTile& t = Tile(tile);
  return win::Widen(TileSpokenName(win::Narrow(t.letter->Text()), win::Narrow(t.volume->Text())));
}

std::wstring TileGrid::SpokenValue(std::int32_t tile) const {
  const DriveTile& t = Tile(tile);
  return win::Widen(TileSpokenValue(t.usedPercent, win::Narrow(t.total->Text()), win::Narrow(t.used->Text()),
                                    win::Narrow(t.free->Text())));
}

}  // namespace wolumetr
