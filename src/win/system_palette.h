#pragma once
// Where every window takes its colours from: the program's own, or the system's while high
// contrast is on. Windows ask again on WM_SETTINGCHANGE, WM_SYSCOLORCHANGE and WM_THEMECHANGED.
#include <windows.h>

#include "common/palette.h"

namespace wolumetr::win {

bool HighContrastOn();
// The program's colours, or the system's in their place while `highContrast`.
Palette CurrentPalette(bool highContrast);

}  // namespace wolumetr::win
