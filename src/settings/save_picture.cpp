#include "settings/save_picture.h"

namespace wolumetr {

const PixelPattern& SavePicturePattern() {
  // Teal body with its corner cut, a silver shutter with its slot, a white label with two lines.
  static const PixelPattern pattern{
      "TTSSSSSSSSTT..", "TTSSSSSKKSTTT.", "TTSSSSSKKSTTTT", "TTSSSSSKKSTTTT", "TTSSSSSSSSTTTT",
      "TTTTTTTTTTTTTT", "TTTTTTTTTTTTTT", "TTWWWWWWWWWWTT", "TTWWWWWWWWWWTT", "TTWKKKKKKKKWTT",
      "TTWWWWWWWWWWTT", "TTWKKKKKKKKWTT", "TTWWWWWWWWWWTT", "TTTTTTTTTTTTTT",
  };
  return pattern;
}

PatternPalette SavePicturePalette(const Palette& p) {
  return PatternPalette{{'T', p.glyphInk}, {'S', p.pictureShutter}, {'K', p.pictureSlot}, {'W', p.pictureLabel}};
}

}  // namespace wolumetr
