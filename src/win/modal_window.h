#pragma once
// A window shown modally: Enter and Escape (as the dialog keys send them) and the system's
// close end it the way the window says, it keeps its focused control across activation, and
// its modal run ends through the host.
#include <windows.h>

#include <optional>

#include "win/focus_keeper.h"
#include "win/panel_window.h"

namespace wolumetr::win {

class ModalWindow : public PanelWindow {
 protected:
  using PanelWindow::PanelWindow;

  // Enter (IDOK); by default what Escape does.
  virtual void OnOk() { OnCancel(); }
  // Escape (IDCANCEL); by default the window closes.
  virtual void OnCancel() { EndModal(); }
  // Ends the modal run (the system's close does it too: left to the default, Alt+F4 would
  // destroy the window under its own loop). From then on the window is closing.
  void EndModal();
  bool Closing() const { return closing_; }
  // The control the focus goes to when the window is first activated; nullptr: the system's
  // default, no focus kept.
  virtual HWND FirstFocus() const { return nullptr; }

 private:
  std::optional<LRESULT> OnKindMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  FocusKeeper focus_;
  bool closing_ = false;
};

}  // namespace wolumetr::win
