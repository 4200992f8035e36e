#pragma once
// What the Options window decides, apart from its controls: the grid spinners, the two number
// fields, the display modes and the keys its save writes.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/settings_file.h"
#include "settings/settings_schema.h"

namespace wolumetr {

// The number of rows (or columns) that goes with `chosen` columns (or rows) for `driveCount`
// tiles: the fewest that hold every tile, so that no whole line is spare. `chosen` is taken
// within 1..driveCount; the result stays there too. Call only with tiles (driveCount > 0).
std::int32_t OtherSideFor(std::int32_t chosen, std::int32_t driveCount);

// "'<text>' is not a valid integer value"
class InvalidIntegerError : public std::runtime_error {
 public:
  explicit InvalidIntegerError(std::string_view text);
};

// A number field's text as a number, or InvalidIntegerError.
std::int32_t FieldNumber(std::string_view text);

inline constexpr const char* kInvalidNumberText = "Nieprawidlowa liczba w polu";
inline constexpr const char* kInvalidNumberCaption = "Blad";

// The refresh period field after the user left it or pressed Enter.
struct IntervalCheck {
  bool invalid = false;                    // not a number: the user is told
  std::optional<std::string> replacement;  // new field text; none leaves the text as typed
  std::uint32_t intervalMs = 0;            // the timer's new interval
};
IntervalCheck CheckIntervalField(std::string_view text);

// The opacity field after the user left it or pressed Enter.
struct OpacityCheck {
  bool invalid = false;
  std::optional<std::string> replacement;
  std::uint8_t alpha = 0;  // the low 8 bits of the number: -1 gives 255
};
OpacityCheck CheckOpacityField(std::string_view text);

// An opacity of 0 would make the main window vanish: ticking semi-transparency then leaves it
// opaque. A text that is no number is not 0.
bool OpacityFieldIsZero(std::string_view text);

// Where the program is shown in each display mode (0 tray, 1 taskbar, 2 both); none for a
// list without a selection.
struct DisplayModeEffect {
  bool taskbarButton = false;
  bool trayIcon = false;
};
std::optional<DisplayModeEffect> DisplayModeEffectFor(int item);
// The list item for a display mode; -1 (nothing selected) outside the three modes.
int DisplayModeItem(std::int32_t mode);

// The record's keys in their order; only edits `settings`, the caller commits.
void WriteOptions(SettingsFile& settings, const OptionsRecord& values);

}  // namespace wolumetr
