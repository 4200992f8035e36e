#include "win/panel_paint.h"

#include <algorithm>

namespace wolumetr::win {
namespace {

void Line(HDC dc, COLORREF colour, int x0, int y0, int x1, int y1) {
  SetDCPenColor(dc, colour);
  SelectObjectScope pen(dc, GetStockObject(DC_PEN));
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

// One frame of a bevel, `inset` pixels inside `rect`: light at the top and left when raised.
void Frame(HDC dc, const RECT& rect, int inset, Bevel bevel) {
  if (bevel == Bevel::None) return;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF topLeft = bevel == Bevel::Raised ? light : shadow;
  const COLORREF bottomRight = bevel == Bevel::Raised ? shadow : light;
  const int l = rect.left + inset;
  const int t = rect.top + inset;
  const int r = rect.right - 1 - inset;
  const int b = rect.bottom - 1 - inset;
  Line(dc, topLeft, l, b, l, t);
  Line(dc, topLeft, l, t, r, t);
  Line(dc, bottomRight, r, t, r, b);
  Line(dc, bottomRight, r, b, l - 1, b);
}

}  // namespace

void BackBuffer::Paint(HWND hwnd, const std::function<void(HDC dc, const RECT& clip)>& paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  if (!bitmap_ || size_.cx != client.right || size_.cy != client.bottom) {
    memory_.reset();  // a bitmap cannot be deleted while a DC holds it
    bitmap_.reset(CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
    size_ = SIZE{client.right, client.bottom};
  }
  // The DC is kept with the bitmap from paint to paint rather than made for each (a few per
  // cent of the main window's paint under Wine); every paint starts from the same DC state.
  if (!memory_) {
    memory_.reset(CreateCompatibleDC(dc));
    SelectObject(memory_.get(), bitmap_.get());
  }
  const int saved = SaveDC(memory_.get());
  paint(memory_.get(), ps.rcPaint);
  RestoreDC(memory_.get(), saved);
  BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left, ps.rcPaint.bottom - ps.rcPaint.top,
         memory_.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  EndPaint(hwnd, &ps);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawBevels(HDC dc, const RECT& rect, Bevel outer, Bevel inner) {
  Frame(dc, rect, 0, outer);
  Frame(dc, rect, outer == Bevel::None ? 0 : 1, inner);
}

}  // namespace wolumetr::win
