#pragma once
// The program's rectangles as the system's, and back.
#include <windows.h>

#include "common/geometry.h"

namespace wolumetr::win {

constexpr RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
constexpr Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace wolumetr::win
