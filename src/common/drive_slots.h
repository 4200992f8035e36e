#pragma once
#include <string_view>

#include "common/ascii.h"

namespace wolumetr {

// Drive slots in the settings, rows of the Drive selection grid and tiles of the main window:
// one number for all three.
inline constexpr int kDriveSlotCount = 18;

// The drive roots of the drive table, `c:\` to `z:\` in either case: the only slot values whose
// volume name and shell icon are asked for. Anything else (`\\host\share\`, `\??\UNC\host\share\`,
// `\\.\`, `c:\windows\`) may name a share, whose host would be offered the user's credentials,
// or a device, so it is never handed to the system by name.
constexpr bool IsDriveRoot(std::string_view slotValue) {
  if (slotValue.size() != 3 || slotValue[1] != ':' || slotValue[2] != '\\') return false;
  const char letter = AsciiLower(slotValue[0]);
  return letter >= 'c' && letter <= 'z';
}

}  // namespace wolumetr
