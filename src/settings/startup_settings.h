#pragma once
// The settings the main window reads when it starts, and the position it writes on close.
#include <cstdint>

#include "settings/settings_file.h"
#include "settings/settings_schema.h"

namespace wolumetr {

// Every entry of the record, with its default; the place only when it is remembered.
OptionsRecord ReadStartupSettings(SettingsFile& settings);

// The opacity as the main window uses it: the low 8 bits of "Poziomprzezr", and none of them
// set acts as opaque.
std::uint8_t OpacityFromSetting(std::int32_t stored);

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
