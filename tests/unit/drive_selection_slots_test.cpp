#include <gtest/gtest.h>

#include <string>

#include "display_printers.h"
#include "drives/drive_slots.h"
#include "drives/drive_window_layout.h"
#include "fake_drives.h"
#include "memory_settings_store.h"

namespace {

using namespace wolumetr;
using namespace std::string_literals;

const std::string kSettingsPath = "C:\\Program Files\\Wolumetr zażółć\\wolumetr.ini";

TEST(DriveChoices, SplitsTheSystemsDriveStrings) {
  EXPECT_EQ(SplitDriveStrings("C:\\\0D:\\\0Z:\\\0\0"s), (std::vector<std::string>{"C:\\", "D:\\", "Z:\\"}));
  EXPECT_EQ(SplitDriveStrings("C:\\\0\0D:\\\0"s), (std::vector<std::string>{"C:\\"})) << "ends at the empty string";
  EXPECT_EQ(SplitDriveStrings("C:\\"s), (std::vector<std::string>{"C:\\"})) << "no terminator";
  EXPECT_TRUE(SplitDriveStrings(""s).empty());
  EXPECT_TRUE(SplitDriveStrings("\0"s).empty());
}

TEST(DriveChoices, OffersBrakAndTheFixedDrivesInSystemOrderAndMatchesIgnoringCase) {
  const std::vector<std::string> choices =
      DriveChoices({{"A:\\", false}, {"C:\\", true}, {"D:\\", false}, {"E:\\", true}, {"Z:\\", true}});
  ASSERT_EQ(choices, (std::vector<std::string>{"[brak]", "C:\\", "E:\\", "Z:\\"}));
  EXPECT_EQ(DriveChoices({}), (std::vector<std::string>{"[brak]"}));

  const struct {
    const char* slot;
    int index;
  } cases[] = {{"[brak]", 0}, {"[BRAK]", 0}, {"C:\\", 1}, {"c:\\", 1},   {"e:\\", 2}, {"Z:\\", 3},
               {"D:\\", -1},  {"", -1},      {"C:", -1},  {"C:\\ ", -1}, {"0", -1},   {"zażółć", -1}};
  for (const auto& c : cases) EXPECT_EQ(FindChoice(choices, c.slot), c.index) << c.slot;
}

TEST(DriveSlotSaving, LoadedSlotsAreSavedCompactedAndEverythingElseSurvives) {
  MemorySettingsStore store;
  store.Put(kSettingsPath,
            "; moje\r\n[Dyski]\r\nDysk1=C:\\\r\nDysk2=0\r\nDysk3=d:\\\r\nDysk5=\r\nDysk6=inny\r\nDysk19=E:\\\r\n"
            "[Program]\r\nIlosc kolumn=2\r\n");
  SettingsFile file(store, kSettingsPath);
  DriveRows rows = LoadDriveSlots(file);
  rows[1] = "C:\\";  // a second C:\ picked for slot 2
  EXPECT_EQ(SaveDriveSlots(file, rows), 5);
  EXPECT_EQ(store.replace_count(), 1);
  EXPECT_EQ(store.Content(kSettingsPath),
            "; moje\r\n[Dyski]\r\nDysk19=E:\\\r\nDysk1=C:\\\r\nDysk2=C:\\\r\nDysk3=d:\\\r\nDysk4=\r\nDysk5=inny\r\n"
            "[Program]\r\nIlosc kolumn=2\r\n");
}

TEST(DriveSlotSaving, NothingToSaveLeavesTheStoredListAlone) {
  const std::string before = "[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n";
  MemorySettingsStore store;
  store.Put(kSettingsPath, before);
  SettingsFile file(store, kSettingsPath);
  EXPECT_EQ(SaveDriveSlots(file, test::Rows({})), 0);
  file.Commit();  // even a later commit finds nothing changed
  EXPECT_EQ(store.replace_count(), 0);
  EXPECT_EQ(store.Content(kSettingsPath), before);
}

TEST(DriveSlotSaving, AFailedWriteThrowsAndLeavesTheFileAsItWas) {
  const std::string before = "[Dyski]\r\nDysk1=C:\\\r\nDysk3=D:\\\r\n";
  MemorySettingsStore store;
  store.Put(kSettingsPath, before);
  store.SetFailWrites(true);
  SettingsFile file(store, kSettingsPath);
  DriveRows rows = test::Rows({});
  rows[4] = "E:\\";
  try {
    SaveDriveSlots(file, rows);
    FAIL() << "no error";
  } catch (const SettingsWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + kSettingsPath);
  }
  EXPECT_EQ(store.Content(kSettingsPath), before);
}

GridMetrics SlotGrid() { return GridMetrics{{30, 64}, 18, 19, 1, 1}; }

TEST(DriveWindowGeometry, WindowGridAndHitTestingFollowTheGridMetrics) {
  const GridMetrics grid = SlotGrid();
  EXPECT_EQ(CellBounds(grid, {1, 18}), (Rect{31, 342, 95, 360}));
  const struct {
    Point at;
    std::optional<GridCell> cell;
  } cases[] = {{{0, 0}, GridCell{0, 0}},   {{30, 5}, GridCell{0, 0}},  {{31, 5}, GridCell{1, 0}},
               {{40, 18}, GridCell{1, 0}}, {{40, 19}, GridCell{1, 1}}, {{95, 360}, GridCell{1, 18}},
               {{96, 10}, std::nullopt},   {{10, 361}, std::nullopt},  {{-1, 10}, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(CellAt(grid, c.at), c.cell) << c.at.x << "," << c.at.y;
}

TEST(DriveWindowGeometry, DesignLengthsScaleFirstAndTheWindowFollowsFromThem) {
  const struct {
    int dpi;
    GridMetrics grid;
    Point gridPlace;
    Size button;
    int rightColumnLeft;
    Size window;
  } cases[] = {
      {96, SlotGrid(), {24, 32}, {113, 33}, 144, {281, 417}},
      {120, {{38, 80}, 23, 19, 1, 1}, {30, 40}, {141, 41}, 180, {351, 526}},
      // 1.5 px grid lines round to 2, so the grid grows by more than a plain 1.5.
      {144, {{45, 96}, 27, 19, 1, 2}, {36, 48}, {170, 50}, 217, {423, 635}},
      {192, {{60, 128}, 36, 19, 1, 2}, {48, 64}, {226, 66}, 288, {562, 834}},
  };
  for (const auto& c : cases) {
    const DriveWindowDesign design = DriveWindowDesignAt(c.dpi);
    EXPECT_EQ(GridWidth(design.grid), GridWidth(c.grid)) << c.dpi;
    EXPECT_EQ(design.grid.lineWidth, c.grid.lineWidth) << c.dpi;
    EXPECT_EQ(design.gridPlace, c.gridPlace) << c.dpi;
    EXPECT_EQ(design.buttonSize, c.button) << c.dpi;
    EXPECT_EQ(design.windowSize, c.window) << c.dpi;
    // The right column's controls line up beside the grid and keep clear of each other.
    for (const Point place : {design.changeLabelPlace, design.comboPlace, design.savePlace, design.cancelPlace}) {
      EXPECT_EQ(place.x, c.rightColumnLeft) << c.dpi;
    }
    EXPECT_LE(design.comboPlace.y + design.itemHeight, design.savePlace.y) << c.dpi;
    EXPECT_LE(design.savePlace.y + design.buttonSize.height, design.cancelPlace.y) << c.dpi;
  }
}

TEST(DriveWindowGeometry, KeysMoveTheCurrentCellWithinTheSlotRows) {
  const GridMetrics grid = SlotGrid();
  const struct {
    GridCell from;
    GridKey key;
    GridCell to;
  } cases[] = {
      {{0, 1}, GridKey::Up, {0, 1}},  // the header never becomes current
      {{0, 5}, GridKey::Up, {0, 4}},       {{1, 5}, GridKey::Down, {1, 6}},      {{0, 18}, GridKey::Down, {0, 18}},
      {{0, 5}, GridKey::Right, {1, 5}},    {{1, 5}, GridKey::Right, {1, 5}},     {{0, 5}, GridKey::Left, {0, 5}},
      {{1, 9}, GridKey::PageUp, {1, 1}},   {{1, 9}, GridKey::PageDown, {1, 18}}, {{1, 9}, GridKey::Home, {1, 1}},
      {{0, 9}, GridKey::End, {0, 18}},     {{1, 9}, GridKey::CtrlHome, {0, 1}},  {{0, 9}, GridKey::CtrlEnd, {1, 18}},
      {{0, 5}, GridKey::Tab, {1, 5}},      {{1, 5}, GridKey::Tab, {0, 6}},       {{1, 18}, GridKey::Tab, {0, 1}},
      {{0, 6}, GridKey::ShiftTab, {1, 5}}, {{0, 1}, GridKey::ShiftTab, {1, 18}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MoveCurrentCell(grid, c.from, c.key), c.to)
        << c.from.column << "," << c.from.row << " key " << static_cast<int>(c.key);
  }
}

}  // namespace
