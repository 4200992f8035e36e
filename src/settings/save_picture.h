#pragma once
// The Options window's save picture: a 14x14 diskette drawn from a pixel pattern. Each
// character names a colour of the palette; '.' is transparent.
#include "common/pixel_pattern.h"

namespace wolumetr {

const PixelPattern& SavePicturePattern();
const PatternPalette& SavePicturePalette();

}  // namespace wolumetr
