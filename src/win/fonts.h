#pragma once
// Fonts by description, created once per distinct description and shared by every control
// that uses it, so that a hundred labels cost a handful of GDI fonts.
#include <windows.h>

#include <string>

namespace wolumetr::win {

// The sans-serif face of the program's panels: TrueType, so it has every Polish letter at
// any size, with the metrics of the old raster face at 8 points.
inline constexpr wchar_t kPanelFace[] = L"Microsoft Sans Serif";

struct FontSpec {
  std::wstring name = kPanelFace;
  int points = 8;
  bool bold = false;
  bool underline = false;
  int dpi = 0;  // the scale it is drawn at; 0 is the system's
  bool operator==(const FontSpec&) const = default;
};

// Height in logical units for a point size at a DPI (8 pt is -11 at 96 dpi); a DPI of 0 is
// the system's.
int FontHeightForPoints(int points, int dpi = 0);

// The face a font of this name is made with: the name itself when the system has it. The
// panel face, where missing, falls back to the old face when that one is TrueType (as Wine's
// is), else to the system's message font, so Polish letters never come out as boxes.
std::wstring FaceFor(const std::wstring& name);

// The shared font for a description; it lives until the process ends.
HFONT SharedFont(const FontSpec& wanted);

}  // namespace wolumetr::win
