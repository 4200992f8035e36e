#pragma once
// The main window's three small pictures, as pixel patterns: '#' is the teal ink, '.'
// transparent. Each has one transparent row at the bottom.
#include <string>
#include <vector>

#include "common/pixel_pattern.h"

namespace wolumetr {

// '#' in the teal ink.
const PatternPalette& GlyphPalette();
// '#' in another ink (the system's, in high contrast).
PatternPalette GlyphPalette(Colour ink);

const std::vector<std::string>& CloseGlyph();    // 8x9: frame with a diagonal cross
const std::vector<std::string>& HideGlyph();     // 8x9: frame with a bar in its lower half
const std::vector<std::string>& RefreshGlyph();  // 39x10: frame around ODSWIERZ

}  // namespace wolumetr
