#pragma once
// Where the About window and its labels go.
#include "common/geometry.h"

namespace wolumetr {

inline constexpr Size kAboutClientSize{316, 218};

// Left of a label of `width` whose middle lies on the window's vertical centre line.
int CentredLabelLeft(int width);

// The window centred on the virtual screen (every monitor together), but never starting
// left of or above it.
Point AboutWindowPlace(Rect virtualScreen, Size window);

}  // namespace wolumetr
