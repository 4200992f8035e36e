#include "win/panel_paint.h"

namespace wolumetr::win {
namespace {

// One frame of a bevel, `inset` pixels inside `rect`. The top and left edges stop one pixel
// short of the far corners, which belong to the bottom and right edges.
void Frame(HDC dc, const RECT& rect, int inset, Bevel bevel, BevelColours colours) {
  if (bevel == Bevel::None) return;
  const COLORREF topLeft = bevel == Bevel::Raised ? colours.light : colours.shadow;
  const COLORREF bottomRight = bevel == Bevel::Raised ? colours.shadow : colours.light;
  const LONG l = rect.left + inset;
  const LONG t = rect.top + inset;
  const LONG r = rect.right - inset;
  const LONG b = rect.bottom - inset;
  FillSolid(dc, RECT{l, t, r - 1, t + 1}, topLeft);
  FillSolid(dc, RECT{l, t, l + 1, b - 1}, topLeft);
  FillSolid(dc, RECT{l, b - 1, r, b}, bottomRight);
  FillSolid(dc, RECT{r - 1, t, r, b}, bottomRight);
}

}  // namespace

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawBevels(HDC dc, const RECT& rect, Bevel outer, Bevel inner, BevelColours colours) {
  Frame(dc, rect, 0, outer, colours);
  Frame(dc, rect, outer == Bevel::None ? 0 : 1, inner, colours);
}

void PaintPanel(HWND hwnd, HDC dc, const RECT& clip, COLORREF colour, Bevel outer, Bevel inner, BevelColours bevels) {
  RECT client;
  GetClientRect(hwnd, &client);
  FillSolid(dc, clip, colour);
  DrawBevels(dc, client, outer, inner, bevels);
}

}  // namespace wolumetr::win
