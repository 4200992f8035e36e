#include "settings/save_picture.h"

namespace wolumetr {

const std::vector<std::string>& SavePicturePattern() {
  // Teal body with its corner cut, a silver shutter with its slot, a white label with two lines.
  static const std::vector<std::string> pattern{
      "TTSSSSSSSSTT..",
      "TTSSSSSKKSTTT.",
      "TTSSSSSKKSTTTT",
      "TTSSSSSKKSTTTT",
      "TTSSSSSSSSTTTT",
      "TTTTTTTTTTTTTT",
      "TTTTTTTTTTTTTT",
      "TTWWWWWWWWWWTT",
      "TTWWWWWWWWWWTT",
      "TTWKKKKKKKKWTT",
      "TTWWWWWWWWWWTT",
      "TTWKKKKKKKKWTT",
      "TTWWWWWWWWWWTT",
      "TTTTTTTTTTTTTT",
  };
  return pattern;
}

const std::vector<PictureColour>& SavePicturePalette() {
  static const std::vector<PictureColour> palette{
      {'T', 0, 176, 184},    // the teal of the main window's glyphs
      {'S', 192, 192, 192},  // shutter
      {'K', 0, 0, 80},       // slot and label lines
      {'W', 255, 255, 255},  // label
  };
  return palette;
}

}  // namespace wolumetr
