#pragma once
#include <string>
#include <vector>

#include "common/geometry.h"

namespace wolumetr::win {

// The primary monitor's desktop without the taskbar, read afresh on every call.
Rect WorkArea();
// Every monitor's rectangle on the virtual screen.
std::vector<Rect> MonitorRects();
// Folder of the running executable, with its trailing backslash.
std::wstring ExecutableFolder();
// Full path of the running executable.
std::wstring ExecutablePath();
// The user's decimal separator (a comma under Polish regional settings), as UTF-8.
std::string UserDecimalSeparator();

}  // namespace wolumetr::win
