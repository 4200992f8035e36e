#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/drive_slots.h"
#include "settings/settings_file.h"

namespace wolumetr {

inline constexpr std::string_view kNoDriveText = "[brak]";  // a slot's row text when it holds no drive

using DriveRows = std::array<std::string, kDriveSlotCount>;  // row 1 at index 0

// The text stored in a slot (1 to 18), or none when the slot is empty: absent or exactly "0".
std::optional<std::string> ReadDriveSlot(SettingsFile& file, int slot);

// The drives the main window shows, one tile each: the filled slots' texts in slot order, in
// lower case (ASCII).
std::vector<std::string> ReadTileDrives(SettingsFile& file);

// What the Drive selection window shows per row: "[brak]" for an empty slot,
// otherwise the stored text unchanged, even if empty.
DriveRows LoadDriveSlots(SettingsFile& file);

// Rewrites Dysk1..Dysk18 so that the first n keys hold the rows that are not
// "[brak]", in row order, and the rest are absent; returns n. Keys from
// Dysk19 on and other sections are untouched. Does not commit.
int RewriteDriveList(SettingsFile& file, const DriveRows& rows);

// True when every row reads "[brak]".
bool AllSlotsEmpty(const DriveRows& rows);

}  // namespace wolumetr
