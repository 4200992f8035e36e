#pragma once
// The program's colours as the system's colour values.
#include <windows.h>

#include "common/colours.h"

namespace wolumetr::win {

constexpr COLORREF ColorRef(Colour c) { return RGB(c.r, c.g, c.b); }

}  // namespace wolumetr::win
