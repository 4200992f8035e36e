#include "common/palette.h"

#include <gtest/gtest.h>

namespace wolumetr {
namespace {

// Different system colours, none of them one of the program's own.
constexpr SystemColours kSystem{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {6, 6, 6}, {7, 7, 7}, {8, 8, 8}};

// Each colour that is painted over another: text, ink and edges against what lies below them.
struct Pair {
  const char* what;
  Colour Palette::*ink;
  Colour Palette::*ground;
};
constexpr Pair kPairs[] = {
    {"tile text", &Palette::tileText, &Palette::panel},
    {"caption", &Palette::caption, &Palette::panel},
    {"note", &Palette::note, &Palette::panel},
    {"glyph", &Palette::glyphInk, &Palette::panel},
    {"pie wedge", &Palette::pieFill, &Palette::panel},
    {"pie edge", &Palette::pieEdge, &Palette::panel},
    {"about text", &Palette::aboutText, &Palette::aboutPanel},
    {"field", &Palette::fieldText, &Palette::fieldBack},
    {"typed field", &Palette::fieldActiveText, &Palette::fieldBack},
    {"button", &Palette::buttonText, &Palette::buttonFace},
    {"picture slot", &Palette::pictureSlot, &Palette::pictureShutter},
};

bool IsSystem(Colour c) { return c.r >= 1 && c.r <= 8 && c.g == c.r && c.b == c.r; }

// Where the program's own colours go is seen in the windows' pixels; here, that the system's keep
// their roles and that no pair becomes unreadable.
TEST(Palette, EveryInkDiffersFromItsGroundAndHighContrastUsesOnlySystemColours) {
  for (const bool highContrast : {false, true}) {
    const Palette p = PaletteFor(highContrast, kSystem);
    // Roles the system's colours keep in both: swapped bevels make every raised panel look sunk.
    EXPECT_EQ(p.bevelLight, kSystem.buttonHighlight) << highContrast;
    EXPECT_EQ(p.bevelShadow, kSystem.buttonShadow) << highContrast;
    EXPECT_EQ(p.selectionText, kSystem.highlightText) << highContrast;
    for (const Pair& pair : kPairs) {
      const Colour ink = p.*pair.ink;
      const Colour ground = p.*pair.ground;
      EXPECT_NE(ink, ground) << pair.what << (highContrast ? " in high contrast" : "");
      if (!highContrast) continue;
      EXPECT_TRUE(IsSystem(ink)) << pair.what;
      EXPECT_TRUE(IsSystem(ground)) << pair.what;
    }
  }
  EXPECT_EQ(PaletteFor(true, kSystem).pieEdge, kSystem.windowText);
}

}  // namespace
}  // namespace wolumetr
