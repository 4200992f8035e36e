#pragma once
// The Options window's lengths, made at 96 dpi, and the same drawn at another DPI.
#include "common/geometry.h"

namespace wolumetr {

inline constexpr Size kOptionsSize{370, 319};
inline constexpr int kOptionsComboFieldHeight = 21;  // the list opens below it
inline constexpr Point kSavePicturePlace{345, 290};

Size OptionsWindowSize(int dpi);

// A control designed at `design` (96 dpi): its left, top, width and height each scaled, its
// right and bottom following from them.
Rect ScaledPlace(const Rect& design, int dpi);

}  // namespace wolumetr
