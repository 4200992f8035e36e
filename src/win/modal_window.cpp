#include "win/modal_window.h"

namespace wolumetr::win {

void ModalWindow::EndModal() {
  closing_ = true;
  Host().EndModal(*this);
}

std::optional<LRESULT> ModalWindow::OnKindMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      // An open list or a field that wants Enter keeps the key for itself.
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) OnOk();
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) OnCancel();
      return 0;
    case WM_CLOSE: EndModal(); return 0;
    case WM_ACTIVATE: {
      // Not a dialog: the focused control is kept across activations by hand.
      HWND first = FirstFocus();
      if (first == nullptr) return std::nullopt;
      focus_.OnActivate(Handle(), wParam, first);
      return 0;
    }
    default: return std::nullopt;
  }
}

}  // namespace wolumetr::win
