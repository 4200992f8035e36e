#include "win/control_router.h"

#include <windowsx.h>

#include <utility>

namespace wolumetr::win {

std::optional<LRESULT> ControlRouter::Route(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_PAINT:
      if (!paint) return std::nullopt;
      backBuffer_.Paint(surface_.Handle(), paint);
      return 0;
    case WM_PRINTCLIENT: {
      // The same picture drawn into someone else's DC (a snapshot of the window).
      if (!paint) return std::nullopt;
      RECT client;
      GetClientRect(surface_.Handle(), &client);
      paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel: erasing first would only flicker
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Press(p, wParam); return 0;
    case WM_LBUTTONUP: Release(p); return 0;
    case WM_CAPTURECHANGED:
      // Whoever took the mouse gets the release: the press can no longer end in a click.
      pressed_ = nullptr;
      surfacePressed_ = false;
      return 0;
    case WM_MOUSEMOVE: MouseMove(p, true); return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      SetHover(nullptr);
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) != surface_.Handle() || LOWORD(lParam) != HTCLIENT) return std::nullopt;
      surface_.SetCursorAtPointer();
      return TRUE;
    default: return std::nullopt;
  }
}

void ControlRouter::MouseMove(POINT client, bool hover) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, surface_.Handle(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  if (hover) SetHover(surface_.ControlAt(client));
}

GraphicControl* ControlRouter::PressTarget(POINT client) const {
  GraphicControl* control = surface_.ControlAt(client);
  return control != nullptr && (!clickableOnly || control->onClick) ? control : nullptr;
}

void ControlRouter::Press(POINT client, WPARAM keys) {
  pressed_ = PressTarget(client);
  surfacePressed_ = pressed_ == nullptr && onSurfaceClick;
  // The click completes only over what was pressed, so the release is wanted wherever it is.
  if (pressed_ != nullptr || surfacePressed_) SetCapture(surface_.Handle());
  if (pressed_ == nullptr && onSurfacePress) onSurfacePress(client, keys);
}

void ControlRouter::Release(POINT client) {
  GraphicControl* pressed = std::exchange(pressed_, nullptr);
  const bool surfacePressed = std::exchange(surfacePressed_, false);
  if (GetCapture() == surface_.Handle()) ReleaseCapture();
  RECT area;
  GetClientRect(surface_.Handle(), &area);
  if (!PtInRect(&area, client)) return;
  GraphicControl* under = PressTarget(client);
  if (pressed != nullptr && under == pressed) {
    if (pressed->onClick) pressed->onClick();
  } else if (surfacePressed && under == nullptr && onSurfaceClick) {
    onSurfaceClick();
  }
}

void ControlRouter::SetHover(GraphicControl* control) {
  if (control == hover_) return;
  GraphicControl* before = std::exchange(hover_, control);
  if (before != nullptr && before->onMouseLeave) before->onMouseLeave();
  if (control != nullptr && control->onMouseEnter) control->onMouseEnter();
}

}  // namespace wolumetr::win
