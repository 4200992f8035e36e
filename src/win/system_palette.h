#pragma once
// Where every window takes its colours from: the program's own, or the system's while high
// contrast is on. Windows ask again on WM_SETTINGCHANGE, WM_SYSCOLORCHANGE and WM_THEMECHANGED.
#include <windows.h>

#include <optional>

#include "common/palette.h"

namespace wolumetr::win {

bool HighContrastOn();
Palette CurrentPalette();

// Tests decide whether high contrast is on; nullopt asks the system again.
void SetHighContrastForTesting(std::optional<bool> on);

}  // namespace wolumetr::win
