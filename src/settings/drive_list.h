#pragma once
#include <array>
#include <string>
#include <string_view>

#include "common/drive_slots.h"
#include "settings/settings_file.h"

namespace wolumetr {

inline constexpr std::string_view kDriveSection = "Dyski";
inline constexpr std::string_view kNoDriveText = "[brak]";  // a slot's row text when it holds no drive
inline constexpr std::string_view kEmptySlotValue = "0";   // the stored text of an empty slot

using DriveRows = std::array<std::string, kDriveSlotCount>;  // row 1 at index 0

// "Dysk" + slot number, slots counted from 1.
std::string DriveSlotKey(int slot);

// What the Drive selection window shows per row: "[brak]" for an empty slot
// (absent or exactly "0"), otherwise the stored text unchanged, even if empty.
DriveRows LoadDriveSlots(SettingsFile& file);

// Rewrites Dysk1..Dysk18 so that the first n keys hold the rows that are not
// "[brak]", in row order, and the rest are absent; returns n. Keys from
// Dysk19 on and other sections are untouched. Does not commit.
int RewriteDriveList(SettingsFile& file, const DriveRows& rows);

// True when every row reads "[brak]".
bool AllSlotsEmpty(const DriveRows& rows);

}  // namespace wolumetr
