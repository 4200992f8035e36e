#pragma once
// Every key of the settings file, once: its section, its name and the default its readers
// use. The program reads and writes the file only through these entries.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/drive_slots.h"
#include "settings/settings_file.h"

namespace wolumetr {

inline constexpr const char* kSettingsFileName = "wolumetr.ini";

// A flag is stored as "1" or "0", a number in decimal, a text unchanged.
template <typename Value>
struct Setting {
  std::string_view section;
  std::string_view key;
  Value byDefault;
};
using FlagSetting = Setting<bool>;
using NumberSetting = Setting<std::int32_t>;
using TextSetting = Setting<std::string_view>;

inline constexpr std::string_view kLookSection = "Wyglad";
inline constexpr std::string_view kPositionSection = "Polozenie";
inline constexpr std::string_view kProgramSection = "Program";
inline constexpr std::string_view kDriveSection = "Dyski";

inline constexpr FlagSetting kSemiTransparent{kLookSection, "Przezroczystosc", true};
inline constexpr NumberSetting kOpacityLevel{kLookSection, "Poziomprzezr", 190};  // low 8 bits count
inline constexpr FlagSetting kStayOnTop{kLookSection, "Na wierzchu", false};
inline constexpr FlagSetting kRememberPosition{kPositionSection, "Zapamietaj pol", false};
inline constexpr NumberSetting kPositionX{kPositionSection, "Polozenie X", 10};
inline constexpr NumberSetting kPositionY{kPositionSection, "Polozenie Y", 10};
inline constexpr NumberSetting kDisplayMode{kPositionSection, "Pasek", 0};  // low 8 bits count
inline constexpr NumberSetting kGridColumns{kProgramSection, "Ilosc kolumn", 0};
inline constexpr NumberSetting kGridRows{kProgramSection, "Ilosc wierszy", 0};
inline constexpr FlagSetting kAutoRefresh{kProgramSection, "Autoodswierzanie", true};
inline constexpr NumberSetting kRefreshSeconds{kProgramSection, "Czas odswierzania", 5};

// "Dysk1" to "Dysk18" in kDriveSection; an empty slot is absent or holds kEmptySlotValue,
// which is also its default.
inline constexpr std::string_view kEmptySlotValue = "0";
const TextSetting& DriveSlot(int slot);  // slots counted from 1

// Every entry above, the drive slots last in slot order.
template <typename Visit>
void ForEachSetting(Visit&& visit) {
  visit(kSemiTransparent);
  visit(kOpacityLevel);
  visit(kStayOnTop);
  visit(kRememberPosition);
  visit(kPositionX);
  visit(kPositionY);
  visit(kDisplayMode);
  visit(kGridColumns);
  visit(kGridRows);
  visit(kAutoRefresh);
  visit(kRefreshSeconds);
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) visit(DriveSlot(slot));
}

// The stored value of an entry, or its default when absent or, for flags and numbers, not a number.
bool ReadSetting(SettingsFile& file, const FlagSetting& setting);
std::int32_t ReadSetting(SettingsFile& file, const NumberSetting& setting);
std::string ReadSetting(SettingsFile& file, const TextSetting& setting);

void WriteSetting(SettingsFile& file, const FlagSetting& setting, bool value);
void WriteSetting(SettingsFile& file, const NumberSetting& setting, std::int32_t value);
void WriteSetting(SettingsFile& file, const TextSetting& setting, std::string_view value);

template <typename Value>
void RemoveSetting(SettingsFile& file, const Setting<Value>& setting) {
  file.RemoveKey(setting.section, setting.key);
}

}  // namespace wolumetr
