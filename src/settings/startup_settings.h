#pragma once
// The settings the main window reads when it starts, and the position it writes on close.
#include <cstdint>

#include "settings/settings_file.h"
#include "settings/settings_schema.h"

namespace wolumetr {

struct StartupSettings {
  bool alphaBlend = kSemiTransparent.byDefault;
  std::uint8_t alpha = kOpacityLevel.byDefault;
  bool onTop = kStayOnTop.byDefault;
  bool rememberPosition = kRememberPosition.byDefault;
  std::int32_t left = kPositionX.byDefault;  // only read when the position is remembered
  std::int32_t top = kPositionY.byDefault;
  std::int32_t gridColumns = kGridColumns.byDefault;
  std::int32_t gridRows = kGridRows.byDefault;
  bool autoRefresh = kAutoRefresh.byDefault;
  std::uint32_t refreshIntervalMs = kRefreshSeconds.byDefault * 1000u;
};

// Reads the ten start-up keys in their order, with their defaults.
StartupSettings ReadStartupSettings(SettingsFile& settings);

// Seconds to the timer's milliseconds: 0 or less leaves the timer idle; a product that would
// not fit 32 bits is clamped to the largest interval.
std::uint32_t RefreshIntervalMs(std::int32_t seconds);

// The close command's three keys, in order.
void WriteRememberedPosition(SettingsFile& settings, std::int32_t left, std::int32_t top);

// The display mode as the main window uses it: the low 8 bits of "Pasek", and anything
// outside 0..2 acts as 0 so that the program keeps a tray icon.
std::uint8_t DisplayModeFromSetting(std::int32_t stored);
std::uint8_t ReadDisplayMode(SettingsFile& settings);

}  // namespace wolumetr
