#pragma once
// The main window's three small pictures, as pixel patterns: '#' is the teal ink, '.' black,
// which is transparent. Each has one all-black row at the bottom.
#include <string>
#include <vector>

namespace wolumetr {

struct Rgb {
  unsigned char r, g, b;
};
inline constexpr Rgb kGlyphInk{0, 176, 184};

const std::vector<std::string>& CloseGlyph();    // 8x9: frame with a diagonal cross
const std::vector<std::string>& HideGlyph();     // 8x9: frame with a bar in its lower half
const std::vector<std::string>& RefreshGlyph();  // 39x10: frame around ODSWIERZ

}  // namespace wolumetr
