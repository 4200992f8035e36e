#pragma once
// What the Options window sees of the main window and may change on it, at once and without
// storing anything: the main window implements this.
#include <cstdint>

#include "settings/settings_schema.h"

namespace wolumetr {

// The main window's state as the Options window shows it, read afresh for each use: its
// settings as they stand now (the place is the window's, which the save stores) and its tile
// count.
struct OptionsSnapshot {
  OptionsRecord settings;
  std::int32_t driveCount = 0;
};

class OptionsHost {
 public:
  virtual OptionsSnapshot OptionsState() const = 0;
  // The timer, the refresh caption and "Odświerz" switch together.
  virtual void SetAutoRefresh(bool enabled) = 0;
  // Sets the timer's interval and starts it, whatever automatic refresh was.
  virtual void RestartRefreshTimer(std::uint32_t intervalMs) = 0;
  virtual void SetAlphaBlend(bool enabled, std::uint8_t alpha) = 0;
  virtual void SetStayOnTop(bool onTop) = 0;
  virtual void SetRememberPosition(bool remember) = 0;
  // Lays the tiles out again in `columns` x `rows`.
  virtual void SetGrid(std::int32_t columns, std::int32_t rows) = 0;
  // Shows the taskbar button and the tray icon as list item `item` (0..2) says; the mode
  // changes only when both steps took effect. Throws when the tray icon is refused.
  virtual void ChooseDisplayMode(std::uint8_t item) = 0;

 protected:
  ~OptionsHost() = default;
};

}  // namespace wolumetr
