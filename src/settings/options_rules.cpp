#include "settings/options_rules.h"

#include <algorithm>

#include "settings/number_reading.h"
#include "settings/startup_settings.h"

namespace wolumetr {

std::int32_t OtherSideFor(std::int32_t chosen, std::int32_t driveCount) {
  if (driveCount <= 0) return 1;
  const std::int32_t side = std::clamp(chosen, 1, driveCount);
  // Shrinking while a whole line is spare and growing while a tile has no place both end at
  // the fewest lines that hold every tile.
  return (driveCount + side - 1) / side;
}

InvalidIntegerError::InvalidIntegerError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

std::int32_t FieldNumber(std::string_view text) {
  const std::optional<std::int32_t> number = ParseNumber(text);
  if (!number) throw InvalidIntegerError(text);
  return *number;
}

IntervalCheck CheckIntervalField(std::string_view text) {
  IntervalCheck check;
  const std::optional<std::int32_t> number = ParseNumber(text);
  check.invalid = !number;
  std::int32_t seconds = number.value_or(60);
  if (!number || seconds <= 0) {
    check.replacement = "60";
    seconds = 60;
  }
  check.intervalMs = RefreshIntervalMs(seconds);
  return check;
}

OpacityCheck CheckOpacityField(std::string_view text) {
  OpacityCheck check;
  const std::optional<std::int32_t> number = ParseNumber(text);
  check.invalid = !number;
  // A text that is no number falls back to the level a missing setting reads as.
  std::int32_t level = number.value_or(kOpacityLevel.byDefault);
  if (!number) {
    check.replacement = std::to_string(kOpacityLevel.byDefault);
  } else if (level > 255) {
    check.replacement = "255";
    level = 255;
  }
  check.alpha = static_cast<std::uint8_t>(static_cast<std::uint32_t>(level) & 0xFFu);
  return check;
}

bool OpacityFieldIsZero(std::string_view text) { return ParseNumber(text) == 0; }

std::optional<DisplayModeEffect> DisplayModeEffectFor(int item) {
  switch (item) {
    case 0: return DisplayModeEffect{false, true};
    case 1: return DisplayModeEffect{true, false};
    case 2: return DisplayModeEffect{true, true};
    default: return std::nullopt;
  }
}

int DisplayModeItem(std::int32_t mode) { return mode >= 0 && mode <= 2 ? mode : -1; }

void WriteOptions(SettingsFile& settings, const OptionsRecord& values) {
  ForEachOptionsSetting([&](const auto& setting) { WriteSetting(settings, setting, values.*setting.member); });
}

}  // namespace wolumetr
