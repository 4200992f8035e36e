#pragma once
// A small picture as rows of characters, each character naming a colour of a palette;
// characters the palette does not name are transparent.
#include <string>
#include <vector>

#include "common/colours.h"

namespace wolumetr {

using PixelPattern = std::vector<std::string>;

struct PatternColour {
  char key;
  Colour colour;
};
using PatternPalette = std::vector<PatternColour>;

}  // namespace wolumetr
