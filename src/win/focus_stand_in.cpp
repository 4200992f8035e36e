#include "win/focus_stand_in.h"

#include "win/colour_ref.h"

namespace wolumetr::win {
namespace {

const WindowClass kStandInClass{L"WolumetrFocusStandIn", nullptr, 0};
constexpr int kFocusMargin = 2;

}  // namespace

FocusStandIn::FocusStandIn(Surface& surface, GraphicControl& control, const std::wstring& name)
    : surface_(surface), control_(control) {
  Create(kStandInClass, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
         RECT{control.Left(), control.Top(), control.Left(), control.Top()}, surface.Handle(), name);
}

void FocusStandIn::FollowControl() {
  SetWindowPos(Handle(), nullptr, control_.Left(), control_.Top(), 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT FocusStandIn::FocusRect() const {
  RECT r = control_.Bounds();
  InflateRect(&r, kFocusMargin, kFocusMargin);
  return r;
}

void FocusStandIn::PaintFocus(HDC dc) const {
  if (!Focused() || !control_.Visible()) return;
  const RECT r = FocusRect();
  // The dots are drawn in the text and background colours, inverting what lies below.
  SetTextColor(dc, ColorRef(colours::kBlack));
  SetBkColor(dc, ColorRef(colours::kWhite));
  DrawFocusRect(dc, &r);
}

LRESULT FocusStandIn::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter clicks the control here rather than going to the window as the dialog's OK.
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      const bool enter = msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
      return enter ? DLGC_WANTMESSAGE : 0;
    }
    case WM_KEYDOWN: {
      const bool repeated = (lParam & (1 << 30)) != 0;
      if ((wParam == VK_RETURN || wParam == VK_SPACE) && !repeated && control_.onClick) control_.onClick();
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: surface_.Invalidate(FocusRect()); return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace wolumetr::win
