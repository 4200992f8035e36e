#include "settings/startup_settings.h"

#include <limits>

namespace wolumetr {

StartupSettings ReadStartupSettings(SettingsFile& settings) {
  StartupSettings s;
  s.alphaBlend = settings.ReadFlag("Wyglad", "Przezroczystosc", true);
  s.alpha = static_cast<std::uint8_t>(settings.ReadNumber("Wyglad", "Poziomprzezr", 190) & 0xFF);
  s.onTop = settings.ReadFlag("Wyglad", "Na wierzchu", false);
  s.rememberPosition = settings.ReadFlag("Polozenie", "Zapamietaj pol", false);
  if (s.rememberPosition) {
    s.left = settings.ReadNumber("Polozenie", "Polozenie X", 10);
    s.top = settings.ReadNumber("Polozenie", "Polozenie Y", 10);
  }
  s.gridColumns = settings.ReadNumber("Program", "Ilosc kolumn", 0);
  s.gridRows = settings.ReadNumber("Program", "Ilosc wierszy", 0);
  s.autoRefresh = settings.ReadFlag("Program", "Autoodswierzanie", true);
  s.refreshIntervalMs = RefreshIntervalMs(settings.ReadNumber("Program", "Czas odswierzania", 5));
  return s;
}

std::uint32_t RefreshIntervalMs(std::int32_t seconds) {
  if (seconds <= 0) return 0;
  const std::uint64_t ms = static_cast<std::uint64_t>(seconds) * 1000u;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(ms > kMax ? kMax : ms);
}

void WriteRememberedPosition(SettingsFile& settings, std::int32_t left, std::int32_t top) {
  settings.WriteFlag("Polozenie", "Zapamietaj pol", true);
  settings.WriteNumber("Polozenie", "Polozenie X", left);
  settings.WriteNumber("Polozenie", "Polozenie Y", top);
}

std::uint8_t DisplayModeFromSetting(std::int32_t stored) {
  const auto mode = static_cast<std::uint8_t>(stored & 0xFF);
  return mode <= 2 ? mode : 0;
}

std::uint8_t ReadDisplayMode(SettingsFile& settings) {
  return DisplayModeFromSetting(settings.ReadNumber("Polozenie", "Pasek", 0));
}

}  // namespace wolumetr
