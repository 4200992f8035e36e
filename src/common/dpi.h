#pragma once
// Lengths of the program's design, made at 96 dots per inch, for a screen of another scale.
#include "common/geometry.h"
#include "common/pixel_pattern.h"

namespace wolumetr {

inline constexpr int kDesignDpi = 96;
// The scales a window takes: 50 % to 1000 %, beyond what any monitor offers.
inline constexpr int kLeastDpi = 48;
inline constexpr int kMostDpi = 960;

// length x dpi / 96, rounded half away from zero as Windows' MulDiv rounds. A DPI of 0 or less
// (not known) is taken as the design's.
int ScaleToDpi(int length, int dpi);
Point ScaleToDpi(Point point, int dpi);
Size ScaleToDpi(Size size, int dpi);

// A pixel picture for a scale, never blurred: each scaled pixel takes the colour of the design
// pixel it falls in, so a whole scale (192 dpi) doubles every pixel and 120 dpi widens every
// fourth row and column.
PixelPattern ScalePattern(const PixelPattern& pattern, int dpi);

}  // namespace wolumetr
