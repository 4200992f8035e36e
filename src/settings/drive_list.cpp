#include "settings/drive_list.h"

#include <algorithm>
#include <utility>

#include "common/ascii.h"
#include "settings/settings_schema.h"

namespace wolumetr {

std::optional<std::string> ReadDriveSlot(SettingsFile& file, int slot) {
  std::string value = ReadSetting(file, DriveSlot(slot));
  if (value == kEmptySlotValue) return std::nullopt;
  return value;
}

std::vector<std::string> ReadTileDrives(SettingsFile& file) {
  std::vector<std::string> drives;
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) {
    if (std::optional<std::string> stored = ReadDriveSlot(file, slot)) drives.push_back(AsciiLower(std::move(*stored)));
  }
  return drives;
}

DriveRows LoadDriveSlots(SettingsFile& file) {
  DriveRows rows;
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) {
    rows[static_cast<std::size_t>(slot - 1)] = ReadDriveSlot(file, slot).value_or(std::string(kNoDriveText));
  }
  return rows;
}

int RewriteDriveList(SettingsFile& file, const DriveRows& rows) {
  int written = 0;
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) {
    RemoveSetting(file, DriveSlot(slot));
    const std::string& row = rows[static_cast<std::size_t>(slot - 1)];
    if (row == kNoDriveText) continue;
    ++written;
    // written <= slot, so this key was already cleared in this pass; removing
    // it again also drops any duplicate lines of it.
    RemoveSetting(file, DriveSlot(written));
    WriteSetting(file, DriveSlot(written), row);
  }
  return written;
}

bool AllSlotsEmpty(const DriveRows& rows) {
  return std::all_of(rows.begin(), rows.end(), [](const std::string& row) { return row == kNoDriveText; });
}

}  // namespace wolumetr
