// The main window's drive tiles: built once from the drive slots, laid out on the grid,
// and re-measured on every refresh.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "app/main_form.h"
#include "common/ascii.h"
#include "display/drive_table.h"
#include "display/drive_usage.h"
#include "display/grid_layout.h"
#include "settings/drive_list.h"
#include "settings/settings_file.h"
#include "win/colour_ref.h"
#include "win/text.h"

namespace wolumetr {
namespace {

constexpr COLORREF kWhite = win::ColorRef(colours::kWhite);
constexpr COLORREF kPieBlue = win::ColorRef(colours::kBlue);
constexpr COLORREF kPieYellow = win::ColorRef(colours::kYellow);

win::FontSpec TileFont() { return win::FontSpec{L"MS Sans Serif", 8, true, false}; }

}  // namespace

void TForm1::BuildDriveTiles() {
  DriveCount = 0;
  SettingsFile settings(services_.settings, SettingsPath());
  for (int k = 1; k <= kDriveSlotCount; ++k) {
    std::optional<std::string> stored = ReadDriveSlot(settings, k);
    if (!stored) continue;
    const std::string value = AsciiLower(std::move(*stored));
    const std::int32_t t = DriveCount;

    DriveLetterLabels[t] = std::make_unique<win::Label>(Panel1, TileFont(), kWhite);
    VolumeLabels[t] = std::make_unique<win::Label>(Panel1, TileFont(), kWhite, false);
    VolumeLabels[t]->SetSize(kVolumeLabelWidth, VolumeLabels[t]->Height());
    for (auto* labels : {&TotalLabels, &UsedLabels, &FreeLabels}) {
      auto& label = (*labels)[t];
      label = std::make_unique<win::Label>(Panel1, TileFont(), kWhite);
      win::Label& ref = *label;
      ref.onMouseEnter = [this, &ref] { SizeLabelMouseEnter(ref); };
      ref.onMouseLeave = [this, &ref] { SizeLabelMouseLeave(ref); };
    }
    Pies[t] = std::make_unique<TPie>(Panel1);
    TPie& pie = *Pies[t];
    pie.SetBrush(BrushStyle{kPieBlue, BS_SOLID});
    pie.SetPen(PenStyle{kPieYellow, 1, PS_SOLID, R2_COPYPEN});
    pie.SetSize(kPieSize, kPieSize);
    Panel1.SendToBack(pie);

    DriveNumbers[t] = DriveNumberOf(value);
    RefreshDrive(DriveNumbers[t], t);
    DriveLetterLabels[t]->SetText(win::Widen(DriveLetterText(value)));
    if (auto name = services_.drives.VolumeName(value)) VolumeLabels[t]->SetText(win::Widen(*name));
    ++DriveCount;
  }
}

void TForm1::ArrangeTiles() {
  if (DriveCount <= 0) return;
  const Grid grid = FitGrid(GridColumns, GridRows, DriveCount);
  GridColumns = grid.columns;
  GridRows = grid.rows;
  const Size size = WindowSizeFor(grid);
  SetSize(size.width, size.height);

  RECT client;
  GetClientRect(Handle(), &client);
  const ImagePlaces places = ImagePlacesFor(client.right, client.bottom);
  Image1->SetPosition(places.close.x, places.close.y);
  Image2->SetPosition(places.hide.x, places.hide.y);
  Image3->SetPosition(places.refresh.x, places.refresh.y);
  UpdateHints();

  for (std::int32_t t = 0; t < DriveCount; ++t) {
    const Point cell = CellOfTile(t, grid);
    const TilePlaces at = TilePlacesAt(cell.x, cell.y);
    Pies[t]->SetPosition(at.pie.x, at.pie.y);
    DriveLetterLabels[t]->SetPosition(at.letter.x, at.letter.y);
    VolumeLabels[t]->SetPosition(at.volume.x, at.volume.y);
    TotalLabels[t]->SetPosition(at.total.x, at.total.y);
    UsedLabels[t]->SetPosition(at.used.x, at.used.y);
    FreeLabels[t]->SetPosition(at.free.x, at.free.y);
  }
  RECT whole;
  GetClientRect(Handle(), &whole);
  Panel1.Invalidate(whole);
}

void TForm1::RefreshDrive(std::uint8_t driveNumber, std::int32_t tile) {
  const std::int64_t freeBytes = services_.drives.FreeBytes(driveNumber);
  const std::int64_t totalBytes = services_.drives.TotalBytes(driveNumber);
  const TileFigures figures = ComputeTileFigures(freeBytes, totalBytes, decimalSeparator_);
  TPie& pie = *Pies[tile];
  // An unmeasured or empty drive shows only the gauge's outline, never a full disc.
  BrushStyle brush = pie.Brush();
  brush.style = figures.showWedge ? BS_SOLID : BS_HOLLOW;
  pie.SetBrush(brush);
  pie.Angles().SetStart(figures.startAngle);
  pie.Angles().SetEnd(figures.endAngle);
  TotalLabels[tile]->SetText(win::Widen(figures.total));
  UsedLabels[tile]->SetText(win::Widen(figures.used));
  FreeLabels[tile]->SetText(win::Widen(figures.free));
}

void TForm1::RefreshAllDrives() {
  for (std::int32_t tile = 0; tile < DriveCount; ++tile) RefreshDrive(DriveNumbers[tile], tile);
}

void TForm1::SizeLabelMouseEnter(win::Label& label) {
  win::FontSpec font = label.Font();
  font.name = L"Arial";
  font.points += 6;
  label.SetFont(font);
}

void TForm1::SizeLabelMouseLeave(win::Label& label) {
  win::FontSpec font = label.Font();
  font.name = L"MS Sans Serif";
  font.points = 8;
  label.SetFont(font);
}

}  // namespace wolumetr
