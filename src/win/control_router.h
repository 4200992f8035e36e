#pragma once
// What a window does for the windowless controls on its surface: paints the surface
// off-screen, and routes the left button, hover and the cursor to the control under the
// pointer. The window passes its messages to Route and keeps only its own rules.
#include <windows.h>

#include <functional>
#include <optional>

#include "win/back_buffer.h"
#include "win/graphic_control.h"

namespace wolumetr::win {

class ControlRouter {
 public:
  explicit ControlRouter(Surface& surface) : surface_(surface) {}
  ControlRouter(const ControlRouter&) = delete;
  ControlRouter& operator=(const ControlRouter&) = delete;

  // Handles WM_PAINT (while `paint` is set), WM_ERASEBKGND, the left button, WM_CAPTURECHANGED,
  // WM_MOUSEMOVE, WM_MOUSELEAVE and WM_SETCURSOR over the client area. Returns the message's
  // result, or nullopt for a message it leaves to the window.
  std::optional<LRESULT> Route(UINT message, WPARAM wParam, LPARAM lParam);

  // Draws the invalid part `clip` of the client area, controls included; unset, the window
  // answers WM_PAINT itself.
  std::function<void(HDC dc, const RECT& clip)> paint;
  // A left press on the bare surface.
  std::function<void(POINT client, WPARAM keys)> onSurfacePress;
  // A left press and release on the bare surface. While set, a press there holds the mouse
  // as a press on a control does.
  std::function<void()> onSurfaceClick;
  // Only controls with a click handler take a press; a press on another one is a press on
  // the bare surface.
  bool clickableOnly = false;

  // The control a left press holds, or nullptr.
  GraphicControl* Pressed() const { return pressed_; }
  // Route's answer to WM_MOUSEMOVE, for a window that handles the move itself: asks for the
  // leave notice, then moves the hover to the control under `client` if `hover` is set.
  void MouseMove(POINT client, bool hover);

 private:
  GraphicControl* PressTarget(POINT client) const;
  void Press(POINT client, WPARAM keys);
  void Release(POINT client);
  void SetHover(GraphicControl* control);

  Surface& surface_;
  BackBuffer backBuffer_;
  GraphicControl* pressed_ = nullptr;
  bool surfacePressed_ = false;
  GraphicControl* hover_ = nullptr;
  bool trackingLeave_ = false;
};

}  // namespace wolumetr::win
