#include "settings/startup_settings.h"

#include <limits>

namespace wolumetr {

OptionsRecord ReadStartupSettings(SettingsFile& settings) {
  OptionsRecord s;
  ForEachOptionsSetting([&](const auto& setting) { s.*setting.member = ReadSetting(settings, setting); });
  if (!s.rememberPosition) {
    s.left = kPositionX.byDefault;
    s.top = kPositionY.byDefault;
  }
  return s;
}

std::uint8_t OpacityFromSetting(std::int32_t stored) {
  const auto alpha = static_cast<std::uint8_t>(stored & 0xFF);
  // 256 (or any multiple) leaves nothing to see: in taskbar-only mode the program would be out
  // of reach. Shown opaque instead; the file keeps what it says.
  return alpha == 0 ? 255 : alpha;
}

std::uint32_t RefreshIntervalMs(std::int32_t seconds) {
  if (seconds <= 0) return 0;
  const std::uint64_t ms = static_cast<std::uint64_t>(seconds) * 1000u;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(ms > kMax ? kMax : ms);
}

void WriteRememberedPosition(SettingsFile& settings, std::int32_t left, std::int32_t top) {
  WriteSetting(settings, kRememberPosition, true);
  WriteSetting(settings, kPositionX, left);
  WriteSetting(settings, kPositionY, top);
}

std::uint8_t DisplayModeFromSetting(std::int32_t stored) {
  const auto mode = static_cast<std::uint8_t>(stored & 0xFF);
  return mode <= 2 ? mode : 0;
}

std::uint8_t ReadDisplayMode(SettingsFile& settings) {
  return DisplayModeFromSetting(ReadSetting(settings, kDisplayMode));
}

}  // namespace wolumetr
