#pragma once
// A window's client area drawn off-screen first and copied in one step: no flicker.
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

}  // namespace wolumetr::win
