#pragma once
#include <string_view>

namespace wolumetr {

// Drive slots in the settings, rows of the Drive selection grid and tiles of the main window:
// one number for all three.
inline constexpr int kDriveSlotCount = 18;

// A slot value that starts with two slashes of either kind names a network share or a device
// (`\\host\share\`, `//host/`, `\\.\`, `\\?\`). Asking the system about it would open a session
// to that host and offer it the user's credentials, so the program never hands it on.
inline bool NamesNetworkOrDevicePath(std::string_view slotValue) {
  const auto slash = [](char c) { return c == '\\' || c == '/'; };
  return slotValue.size() >= 2 && slash(slotValue[0]) && slash(slotValue[1]);
}

}  // namespace wolumetr
