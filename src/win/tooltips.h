#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "win/handles.h"

namespace wolumetr::win {

// Hints over rectangles of a window's client area (for windowless controls). The hint
// window, and with it the common controls, is made on first need: when the owner passes
// its first mouse move (Relay) or when Create is called. A window that is never hovered
// costs nothing.
class Tooltips {
 public:
  explicit Tooltips(HWND owner);
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  void Create();
  // Adds the tool the first time, then moves it.
  void SetTool(UINT id, const RECT& rect, const std::wstring& text);
  // The owner's mouse messages. Only the first is needed: the hint window then follows the
  // owner's mouse by itself.
  void Relay(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Tool {
    UINT id;
    RECT rect;
    std::wstring text;
  };
  void Apply(const Tool& tool);

  HWND owner_;
  ChildWindow tips_;
  std::vector<Tool> tools_;
};

}  // namespace wolumetr::win
