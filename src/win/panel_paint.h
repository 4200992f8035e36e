#pragma once
// Painting shared by the program's windows: a whole client area drawn off-screen first (no
// flicker), and the one-pixel bevels of their panels.
#include <windows.h>

#include <functional>

#include "win/handles.h"

namespace wolumetr::win {

// Keeps one off-screen bitmap per window size between paints.
class BackBuffer {
 public:
  // Handles WM_PAINT: `paint` draws the invalid part (`clip`, client coordinates) off-screen,
  // which is then copied to the window in one step.
  void Paint(HWND hwnd, const std::function<void(HDC dc, const RECT& clip)>& paint);

 private:
  BitmapHandle bitmap_;
  MemoryDc memory_;  // holds bitmap_ selected; declared after it, so deleted before it
  SIZE size_{0, 0};
};

// The panels' navy.
inline constexpr COLORREF kNavy = RGB(0, 0, 128);

enum class Bevel { None, Raised, Lowered };

// Fills `rect` with a solid colour.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Draws an outer and an inner bevel, one pixel each, along the edges of `rect`.
void DrawBevels(HDC dc, const RECT& rect, Bevel outer, Bevel inner);

}  // namespace wolumetr::win
