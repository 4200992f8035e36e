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

const PatternPalette& SavePicturePalette() {
  static const PatternPalette palette{
      {'T', colours::kTeal},      // the teal of the main window's glyphs
      {'S', colours::kSilver},    // shutter
      {'K', colours::kDarkNavy},  // slot and label lines
      {'W', colours::kWhite},     // label
  };
  return palette;
}

PatternPalette SavePicturePalette(const Palette& p) {
  return PatternPalette{{'T', p.glyphInk}, {'S', p.pictureShutter}, {'K', p.pictureSlot}, {'W', p.pictureLabel}};
}

}  // namespace wolumetr
