#pragma once
// The Options window's save picture: a 14x14 diskette drawn from a pixel pattern. Each
// character names a colour of the palette; '.' is transparent.
#include "common/palette.h"
#include "common/pixel_pattern.h"

namespace wolumetr {

const PixelPattern& SavePicturePattern();
// The picture's colours in a palette's: body, shutter, slot and label lines, label.
PatternPalette SavePicturePalette(const Palette& palette);

}  // namespace wolumetr
