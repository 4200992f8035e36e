#pragma once
// The Options window's save picture: a 14x14 diskette drawn from a pixel pattern. Each
// character names a colour of the palette; '.' is transparent.
#include <string>
#include <vector>

namespace wolumetr {

struct PictureColour {
  char key;
  unsigned char r, g, b;
};

const std::vector<std::string>& SavePicturePattern();
const std::vector<PictureColour>& SavePicturePalette();

}  // namespace wolumetr
