#include "settings/options_rules.h"

#include <gtest/gtest.h>

#include <set>

#include "common/dpi.h"
#include "common/drive_slots.h"
#include "display_printers.h"
#include "memory_settings_store.h"
#include "saved_options.h"
#include "settings/options_layout.h"
#include "settings/save_picture.h"

namespace {

using namespace wolumetr;

// The spinner rule as the user sees it: starting from any grid, a whole spare line of the
// other side goes and a missing place is added, one step at a time, within 1..driveCount.
std::int32_t StepwiseOtherSide(std::int32_t chosen, std::int32_t other, std::int32_t driveCount) {
  while (other >= 2 && chosen * other >= driveCount + chosen) --other;
  while (other < driveCount && chosen * other < driveCount) ++other;
  return other;
}

TEST(OptionsSpinners, OtherSideMatchesTheStepwiseRuleFromAnyStartingGrid) {
  for (std::int32_t drives = 1; drives <= kDriveSlotCount; ++drives) {
    for (std::int32_t chosen = 1; chosen <= drives; ++chosen) {
      for (std::int32_t other = 1; other <= drives + 3; ++other) {
        EXPECT_EQ(OtherSideFor(chosen, drives), StepwiseOtherSide(chosen, other, drives))
            << drives << " drives, " << chosen << " chosen, from " << other;
      }
    }
  }
}

TEST(OptionsSpinners, ChoiceOutsideTheRangeCountsAsItsNearestLimit) {
  EXPECT_EQ(OtherSideFor(0, 4), 4);
  EXPECT_EQ(OtherSideFor(40, 4), 1);
}

TEST(OptionsFields, IntervalField) {
  const struct {
    const char* text;
    bool invalid;
    std::optional<std::string> replacement;  // none: the text stays
    std::uint32_t ms;
  } cases[] = {
      {"7", false, {}, 7000},     {" +7", false, {}, 7000},
      {"$A", false, {}, 10000},   {"0", false, "60", 60000},
      {"-5", false, "60", 60000}, {"abc", true, "60", 60000},
      {"", true, "60", 60000},    {"5 s", true, "60", 60000},
      {"1.5", true, "60", 60000}, {"2147483647", false, {}, 0xFFFFFFFFu},
  };
  for (const auto& c : cases) {
    const IntervalCheck check = CheckIntervalField(c.text);
    EXPECT_EQ(check.invalid, c.invalid) << c.text;
    EXPECT_EQ(check.replacement, c.replacement) << c.text;
    EXPECT_EQ(check.intervalMs, c.ms) << c.text;
  }
}

TEST(OptionsFields, OpacityField) {
  const struct {
    const char* text;
    bool invalid;
    std::optional<std::string> replacement;
    int alpha;
  } cases[] = {
      {"190", false, {}, 190},    {"0", false, {}, 0},    {"255", false, {}, 255}, {"256", false, "255", 255},
      {"300", false, "255", 255}, {"-1", false, {}, 255}, {"-99", false, {}, 157}, {"$FF", false, {}, 255},
      {"abc", true, "190", 190},  {"", true, "190", 190},
  };
  for (const auto& c : cases) {
    const OpacityCheck check = CheckOpacityField(c.text);
    EXPECT_EQ(check.invalid, c.invalid) << c.text;
    EXPECT_EQ(check.replacement, c.replacement) << c.text;
    EXPECT_EQ(check.alpha, c.alpha) << c.text;
  }
  for (const char* zero : {"0", " 0", "-0", "$0", "0x0"}) EXPECT_TRUE(OpacityFieldIsZero(zero)) << zero;
  for (const char* other : {"1", "256", "abc", ""}) EXPECT_FALSE(OpacityFieldIsZero(other)) << other;
}

TEST(OptionsFields, FieldNumberNamesTheTextItCannotRead) {
  EXPECT_EQ(FieldNumber(" 12"), 12);
  EXPECT_EQ(FieldNumber("-0x10"), -16);
  try {
    FieldNumber("1 2");
    FAIL() << "expected InvalidIntegerError";
  } catch (const InvalidIntegerError& e) {
    EXPECT_STREQ(e.what(), "'1 2' is not a valid integer value");
  }
}

TEST(OptionsDisplayMode, ItemsAndTheirEffects) {
  ASSERT_TRUE(DisplayModeEffectFor(0));
  EXPECT_FALSE(DisplayModeEffectFor(0)->taskbarButton);
  EXPECT_TRUE(DisplayModeEffectFor(0)->trayIcon);
  EXPECT_TRUE(DisplayModeEffectFor(1)->taskbarButton);
  EXPECT_FALSE(DisplayModeEffectFor(1)->trayIcon);
  EXPECT_TRUE(DisplayModeEffectFor(2)->taskbarButton);
  EXPECT_TRUE(DisplayModeEffectFor(2)->trayIcon);
  EXPECT_FALSE(DisplayModeEffectFor(-1));
  EXPECT_FALSE(DisplayModeEffectFor(3));
  EXPECT_EQ(DisplayModeItem(2), 2);
  EXPECT_EQ(DisplayModeItem(3), -1);
  EXPECT_EQ(DisplayModeItem(255), -1);
}

TEST(OptionsSave, WritesItsKeysInOrderInOneCommit) {
  MemorySettingsStore store;
  store.Put(kTestSettingsPath, "[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n");
  SettingsFile file(store, kTestSettingsPath);
  WriteOptions(file, ExampleOptions());
  EXPECT_EQ(store.replace_count(), 0) << "nothing reaches the disk before the commit";
  file.Commit();
  EXPECT_EQ(store.replace_count(), 1);
  EXPECT_EQ(store.Content(kTestSettingsPath),
            "[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n"
            "[Wyglad]\r\nPrzezroczystosc=1\r\nPoziomprzezr=190\r\nNa wierzchu=0\r\n"
            "[Polozenie]\r\nZapamietaj pol=0\r\nPolozenie X=412\r\nPolozenie Y=300\r\nPasek=0\r\n"
            "[Program]\r\nIlosc kolumn=2\r\nIlosc wierszy=1\r\nAutoodswierzanie=1\r\nCzas odswierzania=5\r\n");
}

TEST(OptionsSave, ReplacesValuesInPlaceAndKeepsWhatItDoesNotOwn) {
  MemorySettingsStore store;
  store.Put(kTestSettingsPath, "; mine\r\n" + SavedOptionsText(ExampleOptions()) + "[Inne]\r\nx=1\r\n");
  OptionsRecord v = ExampleOptions();
  v.alphaBlend = false;
  v.alpha = -1;
  v.onTop = true;
  v.rememberPosition = true;
  v.left = -20;
  v.displayMode = -1;  // no item selected
  v.autoRefresh = false;
  v.intervalSeconds = 0;
  SettingsFile file(store, kTestSettingsPath);
  WriteOptions(file, v);
  file.Commit();
  EXPECT_EQ(store.Content(kTestSettingsPath), "; mine\r\n" + SavedOptionsText(v) + "[Inne]\r\nx=1\r\n");
}

TEST(SavePicture, IsA14By14PatternInItsOwnColours) {
  const auto& pattern = SavePicturePattern();
  ASSERT_EQ(pattern.size(), 14u);
  std::set<char> keys{'.'};
  for (const PatternColour& c : SavePicturePalette(Palette{})) keys.insert(c.key);
  for (const std::string& row : pattern) {
    EXPECT_EQ(row.size(), 14u) << row;
    for (char c : row) EXPECT_TRUE(keys.count(c)) << row;
  }
  // The background shows through the cut corner only.
  EXPECT_EQ(pattern[0][13], '.');
  EXPECT_NE(pattern[13][0], '.');
}

TEST(OptionsLayout, WindowAndControlsScaleAndStayClearOfTheirCaptions) {
  const struct {
    int dpi;
    Size window;
    Rect firstBox;  // the auto-refresh tick box, designed at 34,16 17x17
  } cases[] = {
      {96, {370, 319}, {34, 16, 51, 33}},
      {120, {463, 399}, {43, 20, 64, 41}},
      {144, {555, 479}, {51, 24, 77, 50}},
      {192, {740, 638}, {68, 32, 102, 66}},
  };
  // Tick boxes (left, width) and the left of the caption beside each.
  const struct {
    int left, width, captionLeft;
  } boxes[] = {{34, 17, 51}, {211, 16, 227}, {34, 16, 51}, {211, 16, 227}, {80, 16, 102}};
  for (const auto& c : cases) {
    EXPECT_EQ(OptionsWindowSize(c.dpi), c.window) << c.dpi;
    EXPECT_EQ(ScaledPlace(Rect{34, 16, 51, 33}, c.dpi), c.firstBox) << c.dpi;
    for (const auto& b : boxes) {
      const Rect box = ScaledPlace(Rect{b.left, 0, b.left + b.width, 1}, c.dpi);
      EXPECT_LE(box.right, ScaleToDpi(b.captionLeft, c.dpi)) << c.dpi << " dpi, box at " << b.left;
    }
    // The save picture, drawn for the scale, stays inside the window's bevel.
    const Point picture = ScaleToDpi(kSavePicturePlace, c.dpi);
    const PixelPattern pattern = ScalePattern(SavePicturePattern(), c.dpi);
    EXPECT_LT(picture.x + static_cast<int>(pattern.front().size()), c.window.width) << c.dpi;
    EXPECT_LT(picture.y + static_cast<int>(pattern.size()), c.window.height) << c.dpi;
  }
}

}  // namespace
