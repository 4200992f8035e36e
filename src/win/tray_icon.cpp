#include "win/tray_icon.h"

#include <windowsx.h>

#include <stdexcept>
#include <utility>

#include "win/error_box.h"
#include "win/private_messages.h"

namespace wolumetr::win {
namespace {

constexpr UINT kTrayId = 1;
constexpr UINT kAddFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
const WindowClass kTrayClass{L"WolumetrTrayIcon", nullptr, CS_DBLCLKS};

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace

TrayIcon::MessageWindowImpl::MessageWindowImpl(TrayIcon& owner) : owner_(owner) {
  // A hidden top-level window (not message-only): only those receive the shell's broadcasts.
  Create(kTrayClass, WS_POPUP, WS_EX_TOOLWINDOW, RECT{0, 0, 0, 0}, nullptr, L"");
  // An elevated program would otherwise never hear that the shell restarted: the broadcast
  // comes from a process of lower integrity. Without elevation this changes nothing.
  ChangeWindowMessageFilterEx(Handle(), TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
}

LRESULT TrayIcon::MessageWindowImpl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayMessage) {
    owner_.OnNotify(wParam, lParam);
    return 0;
  }
  if (message == TaskbarCreatedMessage() && message != 0) {
    // Nobody asked for this: a failure's box must not hide behind the user's windows.
    Guarded([&] { owner_.Readd(); }, kUnpromptedBox);
    return 0;
  }
  if (message == WM_QUERYENDSESSION) return TRUE;
  if (message == WM_ENDSESSION && wParam != 0) {
    // Logging off: take the icon away now, nothing else will. A box here would hold up the log-off.
    owner_.RemoveQuietly();
    return 0;
  }
  return Default(message, wParam, lParam);
}

TrayIcon::TrayIcon(HICON icon, std::wstring hint, SystemSeam& system)
    : system_(system), icon_(icon), hint_(std::move(hint)) {}

TrayIcon::~TrayIcon() { RemoveQuietly(); }

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

bool TrayIcon::Notify(DWORD message, UINT flags) {
  NOTIFYICONDATAW data = Data(flags);
  return system_.NotifyIcon(message, data);
}

void TrayIcon::AskForVersion4() {
  NOTIFYICONDATAW data = Data(0);
  data.uVersion = NOTIFYICON_VERSION_4;
  // A shell that refuses keeps sending the older protocol's messages, which are handled too.
  version4_ = system_.NotifyIcon(NIM_SETVERSION, data);
}

void TrayIcon::SetVisible(bool visible) {
  wanted_ = visible;
  if (visible == visible_) return;
  if (visible) {
    if (!window_) window_ = std::make_unique<MessageWindowImpl>(*this);
    if (!Notify(NIM_ADD, kAddFlags)) throw std::runtime_error("Cannot create shell notification icon");
    AskForVersion4();
  } else {
    if (!Notify(NIM_DELETE)) throw std::runtime_error("Cannot remove shell notification icon");
  }
  visible_ = visible;
}

void TrayIcon::RemoveQuietly() noexcept {
  if (!visible_) return;
  visible_ = false;
  try {
    Notify(NIM_DELETE);
  } catch (...) {
    // The shell is going or gone: there is nothing left to tell.
  }
}

void TrayIcon::Readd() {
  // An icon the shell refused earlier (it was not ready, say at log-on) gets its chance now.
  if (!wanted_) return;
  // The broadcast can also come while the icon is still there: then it only needs refreshing.
  if (!Notify(NIM_ADD, kAddFlags) && !Notify(NIM_MODIFY, kAddFlags)) {
    throw std::runtime_error("Cannot create shell notification icon");
  }
  visible_ = true;
  AskForVersion4();
}

void TrayIcon::OnNotify(WPARAM wParam, LPARAM lParam) {
  // Version 4 puts the icon's anchor in wParam (the place of the click, or the icon itself when
  // it was reached from the keyboard); the older protocol gives only the cursor.
  POINT anchor{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
  if (!version4_) GetCursorPos(&anchor);
  switch (LOWORD(lParam)) {
    case WM_LBUTTONDOWN: pressed_ = true; break;
    case WM_LBUTTONDBLCLK:
      // The press and release before it already clicked; the release after it must not.
      doubleClicked_ = true;
      pressed_ = false;
      break;
    case WM_LBUTTONUP: {
      const bool click = pressed_ && !doubleClicked_;
      pressed_ = false;
      doubleClicked_ = false;
      // Version 4 follows the release with NIN_SELECT, which is where the click counts.
      selectPending_ = version4_ && click;
      releaseSeen_ = version4_;
      if (!version4_ && click && onClick) onClick();
      break;
    }
    case NIN_SELECT:
      // Without a release before it, it is Enter on the icon the mouse selected.
      if (!std::exchange(releaseSeen_, false)) {
        KeySelect();
      } else if (std::exchange(selectPending_, false) && onClick) {
        onClick();
      }
      break;
    case NIN_KEYSELECT: KeySelect(); break;
    case WM_RBUTTONUP:
      // Version 4 follows the release with WM_CONTEXTMENU, which opens the menu.
      if (version4_) {
        rightReleased_ = true;
      } else {
        Popup(anchor, false);
      }
      break;
    case WM_CONTEXTMENU: {
      const bool fromKeyboard = !rightReleased_;
      rightReleased_ = false;
      Popup(anchor, fromKeyboard);
      break;
    }
    default: break;
  }
}

void TrayIcon::KeySelect() {
  // One press of Enter may reach us twice; like a double click, a second selection within the
  // double-click time counts once. The time counts from the end of the click's work: showing the
  // window may take longer than the double-click time on a busy machine, and the second report
  // waits in the queue meanwhile.
  const bool repeated = lastKeySelect_ && GetTickCount() - *lastKeySelect_ < GetDoubleClickTime();
  if (!repeated && onClick) onClick();
  lastKeySelect_ = GetTickCount();
}

void TrayIcon::Popup(POINT at, bool fromKeyboard) {
  if (!onPopup || !onPopup(at)) return;
  // Left with Escape, or without a choice after the keyboard opened it: the keyboard goes back
  // to the notification area, where the user was.
  if (fromKeyboard || (GetKeyState(VK_ESCAPE) & 0x8000) != 0) Notify(NIM_SETFOCUS);
}

}  // namespace wolumetr::win
