#pragma once
// The flat fill and the one-pixel bevels of the program's panels and panel buttons.
#include <windows.h>

namespace wolumetr::win {

enum class Bevel { None, Raised, Lowered };

// Fills `rect` with a solid colour.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Draws an outer and an inner bevel, one pixel each, along the edges of `rect`: light at the
// top and left when raised, shadow there when lowered.
void DrawBevels(HDC dc, const RECT& rect, Bevel outer, Bevel inner);

}  // namespace wolumetr::win
