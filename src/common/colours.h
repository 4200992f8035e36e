#pragma once
// The program's named colours, as red, green and blue bytes; the window code turns them into
// the system's colour values at its edge.
#include <cstdint>

namespace wolumetr {

struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

namespace colours {

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kSilver{192, 192, 192};
inline constexpr Colour kNavy{0, 0, 128};  // the windows' panels
inline constexpr Colour kBlue{0, 0, 255};
inline constexpr Colour kYellow{255, 255, 0};
inline constexpr Colour kTeal{0, 176, 184};        // the glyphs' ink and the save picture's body
inline constexpr Colour kDarkNavy{0, 0, 80};       // the save picture's slot and label lines
inline constexpr Colour kPaleBlue{236, 249, 255};  // the drive slots' cells
inline constexpr Colour kSkyBlue{0, 128, 255};     // the drive slots' header

}  // namespace colours
}  // namespace wolumetr
