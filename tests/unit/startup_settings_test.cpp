#include "settings/startup_settings.h"

#include <gtest/gtest.h>

#include "app/glyphs.h"
#include "memory_settings_store.h"

namespace wolumetr {
namespace {

OptionsRecord Read(const std::string& ini) {
  MemorySettingsStore store;
  store.Put(kTestSettingsPath, ini);
  SettingsFile file(store, kTestSettingsPath);
  return ReadStartupSettings(file);
}

TEST(StartupSettings, DefaultsWithoutAFile) {
  MemorySettingsStore store;
  SettingsFile file(store, kTestSettingsPath);
  const OptionsRecord s = ReadStartupSettings(file);
  EXPECT_TRUE(s.alphaBlend);
  EXPECT_EQ(OpacityFromSetting(s.alpha), 190);
  EXPECT_FALSE(s.onTop);
  EXPECT_FALSE(s.rememberPosition);
  EXPECT_EQ(s.gridColumns, 0);
  EXPECT_EQ(s.gridRows, 0);
  EXPECT_TRUE(s.autoRefresh);
  EXPECT_EQ(RefreshIntervalMs(s.intervalSeconds), 5000u);
  EXPECT_EQ(store.replace_count(), 0);
}

TEST(StartupSettings, StoredValuesAndTheirWidths) {
  const struct {
    const char* ini;
    int alpha;
    bool alphaBlend, onTop;
  } cases[] = {
      {"[Wyglad]\nPoziomprzezr=300\n", 44, true, false},
      {"[Wyglad]\nPoziomprzezr=-1\n", 255, true, false},
      {"[Wyglad]\nPoziomprzezr=256\n", 255, true, false},  // alpha 0 would make the window invisible
      {"[Wyglad]\nPoziomprzezr=0\n", 255, true, false},
      {"[Wyglad]\nPoziomprzezr=$FFFFFF00\n", 255, true, false},
      {"[Wyglad]\nPoziomprzezr=257\n", 1, true, false},
      {"[Wyglad]\nPoziomprzezr=$20\n", 32, true, false},
      {"[Wyglad]\nPoziomprzezr=0x20\n", 32, true, false},
      {"[WYGLAD]\nprzezroczystosc=2\nNa wierzchu=tak\n", 190, true, false},
      {"[Wyglad]\nPrzezroczystosc=slowo\nNa wierzchu=-1\n", 190, true, true},
      {"[Wyglad]\nPrzezroczystosc=0\nNa wierzchu=\n", 190, false, false},
  };
  for (const auto& c : cases) {
    const OptionsRecord s = Read(c.ini);
    EXPECT_EQ(OpacityFromSetting(s.alpha), c.alpha) << c.ini;
    EXPECT_EQ(s.alphaBlend, c.alphaBlend) << c.ini;
    EXPECT_EQ(s.onTop, c.onTop) << c.ini;
  }
}

TEST(StartupSettings, PositionIsReadOnlyWhenRemembered) {
  OptionsRecord s = Read("[Polozenie]\nPolozenie X=5\nPolozenie Y=6\n");
  EXPECT_FALSE(s.rememberPosition);
  s = Read("[Polozenie]\nZapamietaj pol=1\nPolozenie Y=-20\n");
  EXPECT_TRUE(s.rememberPosition);
  EXPECT_EQ(s.left, 10);
  EXPECT_EQ(s.top, -20);
}

TEST(RefreshIntervalMs, SecondsToMillisecondsIdleAndClamped) {
  EXPECT_EQ(RefreshIntervalMs(5), 5000u);
  EXPECT_EQ(RefreshIntervalMs(0), 0u);
  EXPECT_EQ(RefreshIntervalMs(-1), 0u);
  EXPECT_EQ(RefreshIntervalMs(-2147483647 - 1), 0u);
  EXPECT_EQ(RefreshIntervalMs(4294967), 4294967000u);
  EXPECT_EQ(RefreshIntervalMs(4294968), 4294967295u);
  EXPECT_EQ(RefreshIntervalMs(2147483647), 4294967295u);
}

TEST(DisplayModeFromSetting, LowByteAndOutOfRangeActsAsTrayOnly) {
  const struct { int stored, mode; } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {257, 1}, {256, 0}, {-1, 0}, {258, 2}};
  for (const auto& c : cases) EXPECT_EQ(DisplayModeFromSetting(c.stored), c.mode) << c.stored;
}

TEST(WriteRememberedPosition, WritesTheThreeKeysInOrderKeepingOtherLines) {
  MemorySettingsStore store;
  store.Put(kTestSettingsPath, "; moje\r\n[Dyski]\r\nDysk1=C:\\\r\n");
  SettingsFile file(store, kTestSettingsPath);
  WriteRememberedPosition(file, -7, 1200);
  file.Commit();
  EXPECT_EQ(store.Content(kTestSettingsPath),
            "; moje\r\n[Dyski]\r\nDysk1=C:\\\r\n[Polozenie]\r\nZapamietaj pol=1\r\nPolozenie X=-7\r\n"
            "Polozenie Y=1200\r\n");
}

TEST(Glyphs, SizesFramesAndTheTransparentBottomRow) {
  const struct {
    const std::vector<std::string>* glyph;
    size_t width, height;
  } cases[] = {{&CloseGlyph(), 8, 9}, {&HideGlyph(), 8, 9}, {&RefreshGlyph(), 39, 10}};
  for (const auto& c : cases) {
    const auto& g = *c.glyph;
    ASSERT_EQ(g.size(), c.height);
    for (const auto& row : g) EXPECT_EQ(row.size(), c.width);
    EXPECT_EQ(g.back(), std::string(c.width, '.'));
    EXPECT_EQ(g.front(), std::string(c.width, '#'));
    EXPECT_EQ(g[c.height - 2], std::string(c.width, '#'));
    for (size_t y = 1; y + 2 < c.height; ++y) {
      EXPECT_EQ(g[y].front(), '#');
      EXPECT_EQ(g[y].back(), '#');
    }
  }
  // The close glyph's cross and the hide glyph's bar, four pixels wide.
  EXPECT_EQ(CloseGlyph()[2], "#.#..#.#");
  EXPECT_EQ(HideGlyph()[3], "#......#");
  EXPECT_EQ(HideGlyph()[4], "#.####.#");  // two rows thick, in the lower half
  EXPECT_EQ(HideGlyph()[5], "#.####.#");
  // The caption's letters are five rows high: rows 2..6 hold ink, rows 1 and 7 do not.
  EXPECT_EQ(RefreshGlyph()[1].find('#', 1), 38u);
  EXPECT_NE(RefreshGlyph()[2].find('#', 1), 38u);
  EXPECT_NE(RefreshGlyph()[6].find('#', 1), 38u);
  EXPECT_EQ(RefreshGlyph()[7].find('#', 1), 38u);
}

}  // namespace
}  // namespace wolumetr
