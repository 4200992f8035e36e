#include "win/tray_icon.h"

#include <stdexcept>

namespace wolumetr::win {
namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayId = 1;
const WindowClass kTrayClass{L"WolumetrTrayIcon", nullptr, CS_DBLCLKS};

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace

TrayIcon::MessageWindowImpl::MessageWindowImpl(TrayIcon& owner) : owner_(owner) {
  // A hidden top-level window (not message-only): only those receive the shell's broadcasts.
  Create(kTrayClass, WS_POPUP, WS_EX_TOOLWINDOW, RECT{0, 0, 0, 0}, nullptr, L"");
}

LRESULT TrayIcon::MessageWindowImpl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayMessage) {
    owner_.OnNotify(lParam);
    return 0;
  }
  if (message == TaskbarCreatedMessage() && message != 0) {
    owner_.Readd();
    return 0;
  }
  if (message == WM_QUERYENDSESSION) return TRUE;
  if (message == WM_ENDSESSION && wParam != 0) {
    // Logging off: take the icon away now, nothing else will.
    if (owner_.visible_) owner_.SetVisible(false);
    return 0;
  }
  return Default(message, wParam, lParam);
}

TrayIcon::TrayIcon(HICON icon, std::wstring hint, SystemSeam& system)
    : system_(system), icon_(icon), hint_(std::move(hint)) {}

TrayIcon::~TrayIcon() {
  if (visible_) {
    NOTIFYICONDATAW data = Data(0);
    system_.NotifyIcon(NIM_DELETE, data);
  }
}

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = MessageWindow();
  data.uID = kTrayId;
  data.uFlags = flags;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = icon_;
  lstrcpynW(data.szTip, hint_.c_str(), static_cast<int>(std::size(data.szTip)));
  return data;
}

void TrayIcon::SetVisible(bool visible) {
  wanted_ = visible;
  if (visible == visible_) return;
  if (visible) {
    if (!window_) window_ = std::make_unique<MessageWindowImpl>(*this);
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (!system_.NotifyIcon(NIM_ADD, data)) throw std::runtime_error("Cannot create shell notification icon");
  } else {
    NOTIFYICONDATAW data = Data(0);
    if (!system_.NotifyIcon(NIM_DELETE, data)) throw std::runtime_error("Cannot remove shell notification icon");
  }
  visible_ = visible;
}

void TrayIcon::Readd() {
  // An icon the shell refused earlier (it was not ready, say at log-on) gets its chance now.
  if (!wanted_) return;
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  // The broadcast can also come while the icon is still there: then it only needs refreshing.
  if (!system_.NotifyIcon(NIM_ADD, data) && !system_.NotifyIcon(NIM_MODIFY, data)) {
    throw std::runtime_error("Cannot create shell notification icon");
  }
  visible_ = true;
}

void TrayIcon::OnNotify(LPARAM event) {
  switch (LOWORD(event)) {
    case WM_LBUTTONDOWN:
      pressed_ = true;
      break;
    case WM_LBUTTONDBLCLK:
      // The press and release before it already clicked; the release after it must not.
      doubleClicked_ = true;
      pressed_ = false;
      break;
    case WM_LBUTTONUP:
      if (pressed_ && !doubleClicked_ && onClick) {
        pressed_ = false;
        onClick();
      }
      pressed_ = false;
      doubleClicked_ = false;
      break;
    case WM_RBUTTONUP:
      if (onPopup) {
        POINT at{};
        GetCursorPos(&at);
        onPopup(at);
      }
      break;
    default:
      break;
  }
}

}  // namespace wolumetr::win
