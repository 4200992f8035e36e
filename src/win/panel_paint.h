#pragma once
// The flat fill and the one-pixel bevels of the program's panels and panel buttons.
#include <windows.h>

namespace wolumetr::win {

enum class Bevel { None, Raised, Lowered };

struct BevelColours {
  COLORREF light;
  COLORREF shadow;
};

// Fills `rect` with a solid colour.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Draws an outer and an inner bevel, one pixel each, along the edges of `rect`: light at the
// top and left when raised, shadow there when lowered.
void DrawBevels(HDC dc, const RECT& rect, Bevel outer, Bevel inner, BevelColours colours);

// A window's client area as one panel: `colour` over the invalid part `clip`, bevels along the
// client edges. The window then paints its controls over it.
void PaintPanel(HWND hwnd, HDC dc, const RECT& clip, COLORREF colour, Bevel outer, Bevel inner, BevelColours bevels);

}  // namespace wolumetr::win
