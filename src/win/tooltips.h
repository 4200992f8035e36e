#pragma once
#include <windows.h>

#include <string>

namespace wolumetr::win {

// Hints over rectangles of a window's client area (for windowless controls).
class Tooltips {
 public:
  explicit Tooltips(HWND owner);
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // Adds the tool the first time, then moves it.
  void SetTool(UINT id, const RECT& rect, const std::wstring& text);

 private:
  HWND owner_;
  HWND tips_;
};

}  // namespace wolumetr::win
