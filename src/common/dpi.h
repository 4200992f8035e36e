#pragma once
// Lengths of the program's design, made at 96 dots per inch, for a screen of another scale.
#include "common/geometry.h"

namespace wolumetr {

inline constexpr int kDesignDpi = 96;

// length x dpi / 96, rounded half away from zero as Windows' MulDiv rounds. A DPI of 0 or less
// (not known) is taken as the design's.
int ScaleToDpi(int length, int dpi);
Point ScaleToDpi(Point point, int dpi);
Size ScaleToDpi(Size size, int dpi);

}  // namespace wolumetr
