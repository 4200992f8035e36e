#include "settings/drive_list.h"

#include <algorithm>

namespace wolumetr {

std::string DriveSlotKey(int slot) { return "Dysk" + std::to_string(slot); }

DriveRows LoadDriveSlots(SettingsFile& file) {
  DriveRows rows;
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) {
    std::string value = file.ReadText(kDriveSection, DriveSlotKey(slot), kEmptySlotValue);
    rows[static_cast<std::size_t>(slot - 1)] = value == kEmptySlotValue ? std::string(kNoDriveText) : std::move(value);
  }
  return rows;
}

int RewriteDriveList(SettingsFile& file, const DriveRows& rows) {
  int written = 0;
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) {
    file.RemoveKey(kDriveSection, DriveSlotKey(slot));
    const std::string& row = rows[static_cast<std::size_t>(slot - 1)];
    if (row == kNoDriveText) continue;
    ++written;
    // written <= slot, so this key was already cleared in this pass; removing
    // it again also drops any duplicate lines of it.
    file.RemoveKey(kDriveSection, DriveSlotKey(written));
    file.WriteText(kDriveSection, DriveSlotKey(written), row);
  }
  return written;
}

bool AllSlotsEmpty(const DriveRows& rows) {
  return std::all_of(rows.begin(), rows.end(), [](const std::string& row) { return row == kNoDriveText; });
}

}  // namespace wolumetr
