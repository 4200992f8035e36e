#pragma once
// Fonts by description, created once per distinct description and shared by every control
// that uses it, so that a hundred labels cost a handful of GDI fonts.
#include <windows.h>

#include <string>

namespace wolumetr::win {

struct FontSpec {
  std::wstring name = L"MS Sans Serif";
  int points = 8;
  bool bold = false;
  bool underline = false;
  bool operator==(const FontSpec&) const = default;
};

// Height in logical units for a point size at the screen's resolution (8 pt is -11 at 96 dpi).
int FontHeightForPoints(int points);

// The shared font for a description; it lives until the process ends.
HFONT SharedFont(const FontSpec& wanted);

}  // namespace wolumetr::win
