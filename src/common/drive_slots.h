#pragma once

namespace wolumetr {

// Drive slots in the settings, rows of the Drive selection grid and tiles of the main window:
// one number for all three.
inline constexpr int kDriveSlotCount = 18;

}  // namespace wolumetr
