#include "win/window.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "common/dpi.h"
#include "win/error_box.h"

namespace wolumetr::win {
namespace {

void RegisterOnce(const WindowClass& cls, WNDPROC procedure) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, cls.name, &wc)) return;
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  wc = {sizeof wc, cls.style, procedure, 0, 0, instance, nullptr, arrow, cls.background, nullptr, cls.name, nullptr};
  if (RegisterClassExW(&wc) == 0) throw std::runtime_error("Cannot register a window class");
}

std::function<void()>& CloseForRestartManager() {
  static std::function<void()> close;
  return close;
}

}  // namespace

RestartManagerCloseScope::RestartManagerCloseScope(std::function<void()> close) {
  CloseForRestartManager() = std::move(close);
}

RestartManagerCloseScope::~RestartManagerCloseScope() { CloseForRestartManager() = nullptr; }

Window::~Window() { Destroy(); }

void Window::Destroy() {
  if (hwnd_ != nullptr) {
    HWND h = hwnd_;
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(h);
  }
}

void Window::Create(const WindowClass& cls, DWORD style, DWORD exStyle, RECT bounds, HWND owner,
                    const std::wstring& title) {
  RegisterOnce(cls, &Window::Procedure);
  // The object is attached during WM_NCCREATE so that messages sent while creating reach it.
  HWND h = CreateWindowExW(exStyle, cls.name, title.c_str(), style, bounds.left, bounds.top, bounds.right - bounds.left,
                           bounds.bottom - bounds.top, owner, nullptr, GetModuleHandleW(nullptr), this);
  if (h == nullptr) throw std::runtime_error("Cannot create a window");
  hwnd_ = h;
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<Window*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (message == WM_WINDOWPOSCHANGED && IsWindowEnabled(hwnd) == FALSE &&
      (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER) == 0) {
    // A window disabled under a modal one came up in the stacking order (Wine may raise a
    // window whose activation it learns late from X): the owner puts the modal one back on top.
    if (HWND owner = GetWindow(hwnd, GW_OWNER)) PostMessageW(owner, OwnedVisibilityMessage(), kRestacked, 0);
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  if (!Guarded([&] { result = self->Dispatch(message, wParam, lParam); })) result = 0;
  if (message == WM_NCDESTROY) {
    // The last message of a window destroyed from outside (with its parent, say): the object
    // forgets the handle instead of keeping a dead one.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

UINT Window::OwnedVisibilityMessage() {
  static const UINT message = RegisterWindowMessageW(L"WolumetrOwnedWindowVisibility");
  return message;
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DPICHANGED: {
      // Any program can send or post it: a forged scale of 65535 would build glyphs of tens of
      // megabytes, and a forged rectangle may point anywhere. The copy fails cleanly where a read
      // through the pointer would fault; the system's own message always carries a readable one.
      RECT suggested{};
      SIZE_T copied = 0;
      if (LOWORD(wParam) > 0 &&
          ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(lParam), &suggested, sizeof suggested,
                            &copied) != FALSE &&
          copied == sizeof suggested) {
        OnDpiChanged(std::clamp<int>(LOWORD(wParam), kLeastDpi, kMostDpi), suggested);
      }
      return 0;
    }
    case WM_QUERYENDSESSION:
      if ((lParam & ENDSESSION_CLOSEAPP) != 0) return TRUE;
      break;
    case WM_ENDSESSION:
      // A close called off (wParam FALSE) changes nothing; a log-off goes on to the window.
      if (wParam != FALSE && (lParam & ENDSESSION_CLOSEAPP) != 0) {
        if (const auto close = CloseForRestartManager()) close();
        return 0;
      }
      break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: OnSystemColoursChanged(); break;
    default: break;
  }
  return HandleMessage(message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Window::SetVisible(bool visible) { Show(visible, visible ? SW_SHOW : SW_HIDE); }

void Window::ShowWithoutActivating() { Show(true, SW_SHOWNA); }

void Window::Show(bool visible, int command) {
  if (hwnd_ == nullptr || IsVisible() == visible) return;
  ShowWindow(hwnd_, command);
  // Paint before anything slower happens, so the window never shows up blank.
  if (visible) UpdateWindow(hwnd_);
  if (HWND owner = GetWindow(hwnd_, GW_OWNER)) SendMessageW(owner, OwnedVisibilityMessage(), 0, 0);
  if (visible) OnShow();
}

RECT Window::ScreenRect() const {
  RECT r{};
  if (hwnd_ != nullptr) GetWindowRect(hwnd_, &r);
  return r;
}

int Window::Width() const {
  const RECT r = ScreenRect();
  return r.right - r.left;
}

int Window::Height() const {
  const RECT r = ScreenRect();
  return r.bottom - r.top;
}

void Window::SetLeft(int left) { SetPosition(left, Top()); }
void Window::SetTop(int top) { SetPosition(Left(), top); }

void Window::SetPosition(int left, int top) {
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::SetSize(int width, int height) {
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace wolumetr::win
