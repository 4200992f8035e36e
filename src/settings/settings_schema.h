#pragma once
// Every key of the settings file, once: its section, its name, the default its readers use and
// the member of the options record that carries it. The program reads and writes the file only
// through these entries.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/drive_slots.h"
#include "settings/settings_file.h"

namespace wolumetr {

inline constexpr const char* kSettingsFileName = "wolumetr.ini";

// The values of every setting but the drive slots, one member each, as the file holds them:
// what start-up reads, what the Options window shows and saves. The entries below name each one.
struct OptionsRecord {
  bool alphaBlend{};
  std::int32_t alpha{};
  bool onTop{};
  bool rememberPosition{};
  std::int32_t left{};
  std::int32_t top{};
  std::int32_t displayMode{};
  std::int32_t gridColumns{};
  std::int32_t gridRows{};
  bool autoRefresh{};
  std::int32_t intervalSeconds{};
};

// A flag is stored as "1" or "0", a number in decimal, a text unchanged.
template <typename Value>
struct Setting {
  std::string_view section;
  std::string_view key;
  Value byDefault;
  Value OptionsRecord::*member = nullptr;  // where the record carries it; none for the drive slots
};
using FlagSetting = Setting<bool>;
using NumberSetting = Setting<std::int32_t>;
using TextSetting = Setting<std::string_view>;

inline constexpr std::string_view kLookSection = "Wyglad";
inline constexpr std::string_view kPositionSection = "Polozenie";
inline constexpr std::string_view kProgramSection = "Program";
inline constexpr std::string_view kDriveSection = "Dyski";

// Opacity and display mode are stored as 32-bit numbers of which only the low 8 bits count. The
// place is read only when it is remembered; the close writes it too.
inline constexpr FlagSetting kSemiTransparent{kLookSection, "Przezroczystosc", true, &OptionsRecord::alphaBlend};
inline constexpr NumberSetting kOpacityLevel{kLookSection, "Poziomprzezr", 190, &OptionsRecord::alpha};
inline constexpr FlagSetting kStayOnTop{kLookSection, "Na wierzchu", false, &OptionsRecord::onTop};
inline constexpr FlagSetting kRememberPosition{kPositionSection, "Zapamietaj pol", false,
                                               &OptionsRecord::rememberPosition};
inline constexpr NumberSetting kPositionX{kPositionSection, "Polozenie X", 10, &OptionsRecord::left};
inline constexpr NumberSetting kPositionY{kPositionSection, "Polozenie Y", 10, &OptionsRecord::top};
inline constexpr NumberSetting kDisplayMode{kPositionSection, "Pasek", 0, &OptionsRecord::displayMode};
inline constexpr NumberSetting kGridColumns{kProgramSection, "Ilosc kolumn", 0, &OptionsRecord::gridColumns};
inline constexpr NumberSetting kGridRows{kProgramSection, "Ilosc wierszy", 0, &OptionsRecord::gridRows};
inline constexpr FlagSetting kAutoRefresh{kProgramSection, "Autoodswierzanie", true, &OptionsRecord::autoRefresh};
inline constexpr NumberSetting kRefreshSeconds{kProgramSection, "Czas odswierzania", 5,
                                               &OptionsRecord::intervalSeconds};

// "Dysk1" to "Dysk18" in kDriveSection; an empty slot is absent or holds kEmptySlotValue,
// which is also its default.
inline constexpr std::string_view kEmptySlotValue = "0";
const TextSetting& DriveSlot(int slot);  // slots counted from 1

// The record's entries, in the order the Options save writes them.
template <typename Visit>
void ForEachOptionsSetting(Visit&& visit) {
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
}

// Every entry above, the drive slots last in slot order.
template <typename Visit>
void ForEachSetting(Visit&& visit) {
  ForEachOptionsSetting(visit);
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
