#include "win/application.h"

#include <functional>
#include <tuple>
#include <vector>

#include "resources/resource_ids.h"
#include "win/error_box.h"

namespace wolumetr::win {
namespace {

const WindowClass kTaskbarClass{L"WolumetrApplication", nullptr, 0};

BOOL CALLBACK CollectOne(HWND hwnd, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
  return TRUE;
}

// The thread's top-level windows that pass `test`, in the system's order.
std::vector<HWND> ThreadWindows(const std::function<bool(HWND)>& test) {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectOne, reinterpret_cast<LPARAM>(&windows));
  std::erase_if(windows, [&test](HWND h) { return !test(h); });
  return windows;
}

// A visible window of the program's other than the taskbar window (which owns them all).
bool VisibleOwned(HWND hwnd, HWND taskbar) {
  return hwnd != taskbar && IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == taskbar;
}

constexpr UINT kQuietPos = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

}  // namespace

Application& Application::Instance() {
  static Application app;
  return app;
}

// Failures stopped at a window's boundary are shown through the program's seam, under its title.
Application::Application() {
  SetBoundarySite([this] { return ErrorBoxSite{&System(), title_, taskbar_.Handle()}; });
}

void Application::TaskbarHost::CreateFor(const std::wstring& title) {
  // Zero size and centred: only its taskbar button is ever seen.
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
  Create(kTaskbarClass, WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, RECT{x, y, x, y},
         nullptr, title);
}

void Application::TaskbarHost::GiveIcons() {
  if (hasIcons_) return;
  hasIcons_ = true;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const auto& [size, metricX, metricY] :
       {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON}, std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
    auto* icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                               GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
    SendMessageW(Handle(), WM_SETICON, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(icon));
  }
}

LRESULT Application::TaskbarHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == OwnedVisibilityMessage()) {
    if (wParam == kRestacked) {
      owner_.RaiseModalWindow();
    } else {
      owner_.SyncTaskbarWindow();
    }
    return 0;
  }
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      // The icons are given when the button first shows, which is after the main window has
      // appeared, rather than with the window class, which would load them while the main
      // window is still being built.
      if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0) GiveIcons();
      return Default(message, wParam, lParam);
    case WM_SYSCOMMAND:
      // The taskbar button minimizes and restores the program as "Ukryj" does: stay-on-top is
      // put aside and given back, and the owned windows come back with it.
      if ((wParam & 0xFFF0) == SC_MINIMIZE || (wParam & 0xFFF0) == SC_RESTORE) {
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
          owner_.Minimize(owner_.mainHandle_);
        } else {
          owner_.Restore(owner_.mainHandle_);
        }
        return 0;
      }
      return Default(message, wParam, lParam);
    case WM_CLOSE:
      // Closing the taskbar button closes the program like closing its main window.
      owner_.Terminate();
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

// Made by the first window that asks for its owner, so that the window system starts with the
// main window, after the first drive round is under way.
HWND Application::TaskbarWindow() {
  if (taskbar_.Handle() == nullptr) taskbar_.CreateFor(title_);
  return taskbar_.Handle();
}

void Application::SetTitle(const std::wstring& title) {
  title_ = title;
  if (taskbar_.Handle() != nullptr) SetWindowTextW(taskbar_.Handle(), title_.c_str());
}

void Application::SyncTaskbarWindow() {
  HWND taskbar = taskbar_.Handle();
  if (taskbar == nullptr) return;
  const bool show = !ThreadWindows([taskbar](HWND h) { return VisibleOwned(h, taskbar); }).empty();
  if (show == (IsWindowVisible(taskbar) != FALSE)) return;
  SetWindowPos(taskbar, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

bool Application::Minimized() const { return taskbar_.Handle() != nullptr && IsIconic(taskbar_.Handle()) != FALSE; }

void Application::Minimize(HWND main) {
  HWND taskbar = taskbar_.Handle();
  if (taskbar == nullptr || Minimized()) return;
  topMost_ = ThreadWindows([taskbar](HWND h) {
    return VisibleOwned(h, taskbar) && (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  });
  for (HWND h : topMost_) SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, kQuietPos);
  SetActiveWindow(taskbar);
  if (main != nullptr && IsWindow(main) && IsWindowVisible(main) && IsWindowEnabled(main)) {
    // Start the animation from the main window's place; owned windows hide with it.
    RECT r{};
    GetWindowRect(main, &r);
    SetWindowPos(taskbar, main, r.left, r.top, r.right - r.left, 0, SWP_SHOWWINDOW);
    DefWindowProcW(taskbar, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else {
    ShowWindow(taskbar, SW_SHOWMINNOACTIVE);
  }
}

void Application::Restore(HWND main) {
  HWND taskbar = taskbar_.Handle();
  if (taskbar == nullptr || !Minimized()) return;
  HWND focus = GetFocus();
  SetActiveWindow(taskbar);
  if (main != nullptr && IsWindow(main) && IsWindowVisible(main) && IsWindowEnabled(main)) {
    DefWindowProcW(taskbar, WM_SYSCOMMAND, SC_RESTORE, 0);
  } else {
    ShowWindow(taskbar, SW_RESTORE);
  }
  // Windows shows the owned windows again by itself; Wine needs to be asked.
  ShowOwnedPopups(taskbar, TRUE);
  // Back to the zero-size window at the centre of the screen that carries the button.
  SetWindowPos(taskbar, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
               SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND h : topMost_) {
    if (IsWindow(h)) SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, kQuietPos);
  }
  topMost_.clear();
  if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
}

void Application::BringToFront() {
  HWND taskbar = taskbar_.Handle();
  if (taskbar == nullptr) return;
  HWND last = GetLastActivePopup(taskbar);
  if (last != nullptr && last != taskbar && IsWindowVisible(last) && IsWindowEnabled(last)) {
    SetForegroundWindow(last);
  }
}

void Application::Dispatch(MSG& msg) {
  if (modalWindow_ != nullptr && modalWindow_->Handle() != nullptr && IsDialogMessageW(modalWindow_->Handle(), &msg)) {
    return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void Application::Run(Window& mainWindow) {
  mainWindow_ = &mainWindow;
  if (terminated_) return;
  // The widget appears without taking the keyboard from what the user is typing (it may well
  // start with the system). A failure while showing (a refused tray icon) is reported in front,
  // since nothing the user did caused it; the program goes on.
  Guarded([&] { mainWindow.ShowWithoutActivating(); }, kUnpromptedBox);
  MSG msg;
  while (!terminated_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    Dispatch(msg);
  }
  terminated_ = true;
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void Application::RunModal(Window& window) {
  Window* outer = modalWindow_;
  modalWindow_ = &window;
  HWND keep = window.Handle();
  const HWND before = GetActiveWindow();
  const std::vector<HWND> disabled =
      ThreadWindows([keep](HWND h) { return h != keep && IsWindowVisible(h) && IsWindowEnabled(h); });
  for (HWND h : disabled) EnableWindow(h, FALSE);
  window.SetVisible(true);
  SetForegroundWindow(window.Handle());
  MSG msg;
  while (!terminated_ && window.Handle() != nullptr && modalWindow_ == &window) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      // WM_QUIT belongs to the outer loop: leave it in the queue for that loop.
      terminated_ = true;
      PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
      break;
    }
    Dispatch(msg);
  }
  // Re-enable the others before hiding, so that activation falls back to them.
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
  window.SetVisible(false);
  modalWindow_ = outer;
  // The keyboard goes back to the window it was in (the main window whose menu opened this one),
  // not to whichever window of the program the system picks.
  if (before != nullptr && before != keep && IsWindow(before) && IsWindowVisible(before) && IsWindowEnabled(before) &&
      GetForegroundWindow() != before) {
    SetForegroundWindow(before);
  }
}

void Application::RaiseModalWindow() {
  if (modalWindow_ == nullptr || modalWindow_->Handle() == nullptr) return;
  SetWindowPos(modalWindow_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Application::EndModal(Window& window) {
  if (modalWindow_ == &window) {
    modalWindow_ = nullptr;
    PostMessageW(nullptr, WM_NULL, 0, 0);  // wake the modal loop
  }
}

}  // namespace wolumetr::win
