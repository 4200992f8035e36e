#pragma once
// Where the About window and its labels go.
#include "common/dpi.h"
#include "common/geometry.h"

namespace wolumetr {

inline constexpr Size kAboutClientSize{316, 218};

// The window's size drawn at `dpi`.
Size AboutClientSize(int dpi);

// Left of a label of `width` whose middle lies on the vertical centre line of the window
// drawn at `dpi`.
int CentredLabelLeft(int width, int dpi = kDesignDpi);

// The window centred on the virtual screen (every monitor together), but never starting
// left of or above it.
Point AboutWindowPlace(Rect virtualScreen, Size window);

}  // namespace wolumetr
