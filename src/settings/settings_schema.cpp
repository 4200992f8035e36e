#include "settings/settings_schema.h"

#include <array>
#include <stdexcept>

namespace wolumetr {
namespace {

// The slot entries point into these names, built once.
struct DriveSlotTable {
  std::array<std::string, kDriveSlotCount> keys;
  std::array<TextSetting, kDriveSlotCount> settings;

  DriveSlotTable() {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      keys[i] = "Dysk" + std::to_string(i + 1);
      settings[i] = TextSetting{kDriveSection, keys[i], kEmptySlotValue};
    }
  }
};

}  // namespace

const TextSetting& DriveSlot(int slot) {
  static const DriveSlotTable table;
  if (slot < 1 || slot > kDriveSlotCount) throw std::out_of_range("no drive slot " + std::to_string(slot));
  return table.settings[static_cast<std::size_t>(slot - 1)];
}

bool ReadSetting(SettingsFile& file, const FlagSetting& setting) {
  return file.ReadFlag(setting.section, setting.key, setting.byDefault);
}

std::int32_t ReadSetting(SettingsFile& file, const NumberSetting& setting) {
  return file.ReadNumber(setting.section, setting.key, setting.byDefault);
}

std::string ReadSetting(SettingsFile& file, const TextSetting& setting) {
  return file.ReadText(setting.section, setting.key, setting.byDefault);
}

void WriteSetting(SettingsFile& file, const FlagSetting& setting, bool value) {
  file.WriteFlag(setting.section, setting.key, value);
}

void WriteSetting(SettingsFile& file, const NumberSetting& setting, std::int32_t value) {
  file.WriteNumber(setting.section, setting.key, value);
}

void WriteSetting(SettingsFile& file, const TextSetting& setting, std::string_view value) {
  file.WriteText(setting.section, setting.key, value);
}

}  // namespace wolumetr
