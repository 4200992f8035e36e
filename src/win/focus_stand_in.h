#pragma once
// Gives a windowless control a place in the Tab order: a child window of no size takes the
// keyboard focus for it, the parent paints the focus rectangle around the control meanwhile,
// and Enter or Space click it.
#include <windows.h>

#include <string>

#include "win/graphic_control.h"
#include "win/window.h"

namespace wolumetr::win {

class FocusStandIn final : public Window {
 public:
  // Comes after the tab stops already on `surface`'s window. `control` lies on `surface` and
  // outlives this; `name` is the window's text, for whoever reads the focused window's name.
  FocusStandIn(Surface& surface, GraphicControl& control, const std::wstring& name);

  bool Focused() const { return Handle() != nullptr && GetFocus() == Handle(); }
  // For the surface's paint, after its controls: the dotted rectangle while focused.
  void PaintFocus(HDC dc) const;
  // Where that rectangle goes: just around the control.
  RECT FocusRect() const;
  // Back at the control's corner after the control moved (a new scale).
  void FollowControl();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Surface& surface_;
  GraphicControl& control_;
};

}  // namespace wolumetr::win
