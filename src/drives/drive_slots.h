#pragma once
// What the Drive selection window decides without asking the system: the choice list, how
// a slot finds its choice, what a choice shows and what saving writes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/geometry.h"
#include "settings/drive_list.h"
#include "settings/settings_file.h"

namespace wolumetr {

// A logical drive as the system lists it: its root ("C:\") and whether it is a fixed disk.
struct LogicalDrive {
  std::string root;
  bool fixed = false;
};

// The roots of a list of NUL-terminated strings ended by an empty one (the system's format
// for the logical drives); stops at the first empty string or the end of the text.
std::vector<std::string> SplitDriveStrings(std::string_view strings);

// "[brak]" followed by the roots of the fixed drives, in the order given.
std::vector<std::string> DriveChoices(const std::vector<LogicalDrive>& drives);

// Index of the choice equal to `slot` when letter case is ignored, or -1.
int FindChoice(const std::vector<std::string>& choices, std::string_view slot);

// What a choice shows next to its icon: the root with its volume label in parentheses for a
// fixed drive whose label could be read, the root alone otherwise.
std::string ChoiceCaption(std::string_view root, bool fixed, const std::optional<std::string>& volumeLabel);

// Saves the rows as the drive list and commits the file once. With every row at "[brak]"
// it writes nothing and returns 0: the stored list must survive a save that has nothing to
// keep. Otherwise returns the number of drives saved; a failed write throws
// SettingsWriteError and leaves the file as it was. With `place`, the remembered window position
// is written in the same replacement, so the restarted program appears where this one was.
int SaveDriveSlots(SettingsFile& file, const DriveRows& rows, std::optional<Point> place = std::nullopt);

}  // namespace wolumetr
