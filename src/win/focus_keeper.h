#pragma once
// A window that is not a dialog keeps its focused control across deactivation by hand.
#include <windows.h>

namespace wolumetr::win {

class FocusKeeper {
 public:
  // For WM_ACTIVATE: remembers the focused child on the way out and gives the focus back to it
  // (or to `first` when there is none yet) on the way in.
  void OnActivate(HWND window, WPARAM wParam, HWND first) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      if (focus != nullptr && IsChild(window, focus)) last_ = focus;
    } else {
      SetFocus(last_ != nullptr && IsWindow(last_) ? last_ : first);
    }
  }

 private:
  HWND last_ = nullptr;
};

}  // namespace wolumetr::win
