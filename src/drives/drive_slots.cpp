#include "drives/drive_slots.h"

#include "common/ascii.h"

#include "settings/startup_settings.h"

namespace wolumetr {
std::vector<std::string> SplitDriveStrings(std::string_view strings) {
  std::vector<std::string> roots;
  while (!strings.empty()) {
    const std::size_t end = strings.find('\0');
    const std::string_view root = strings.substr(0, end);
    if (root.empty()) break;
    roots.emplace_back(root);
    if (end == std::string_view::npos) break;
    strings.remove_prefix(end + 1);
  }
  return roots;
}

std::vector<std::string> DriveChoices(const std::vector<LogicalDrive>& drives) {
  std::vector<std::string> choices{std::string(kNoDriveText)};
  for (const LogicalDrive& drive : drives) {
    if (drive.fixed) choices.push_back(drive.root);
  }
  return choices;
}

int FindChoice(const std::vector<std::string>& choices, std::string_view slot) {
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (EqualIgnoringAsciiCase(choices[i], slot)) return static_cast<int>(i);
  }
  return -1;
}

std::string ChoiceCaption(std::string_view root, bool fixed, const std::optional<std::string>& volumeLabel) {
  std::string caption(root);
  if (fixed && volumeLabel) caption += " (" + *volumeLabel + ")";
  return caption;
}

int SaveDriveSlots(SettingsFile& file, const DriveRows& rows, std::optional<Point> place) {
  if (AllSlotsEmpty(rows)) return 0;
  const int saved = RewriteDriveList(file, rows);
  if (place) WriteRememberedPosition(file, place->x, place->y);
  file.Commit();
  return saved;
}

}  // namespace wolumetr
