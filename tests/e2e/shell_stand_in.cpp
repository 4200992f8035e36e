// Plays the parts of the shell that the fault tests cannot get from Wine on demand.
//
//   shell_stand_in refuse            a notification area that refuses every icon: a hidden
//                                    "Shell_TrayWnd" above Wine's own, answering FALSE to
//                                    each request; prints "ready", runs until it is killed
//   shell_stand_in forget <class> <id>
//                                    the notification area loses the icon <id> of the window
//                                    of class <class>, as when the shell restarts
//   shell_stand_in broadcast         the shell's "TaskbarCreated" broadcast
//   shell_stand_in button <class> restore|minimize
//                                    a click on the taskbar button of the window of class
//                                    <class>: the taskbar posts it the system command
//   shell_stand_in exstyle <class>   prints the extended style of the window of class <class>
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace {

LRESULT CALLBACK RefusingTray(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) return FALSE;  // every icon request fails
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int Refuse() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = RefusingTray;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Shell_TrayWnd";
  if (RegisterClassW(&wc) == 0) return 1;
  // Topmost, so that the search for the tray window meets this one before Wine's.
  HWND tray = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, wc.hInstance, nullptr);
  if (tray == nullptr || FindWindowW(L"Shell_TrayWnd", nullptr) != tray) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

int Forget(const wchar_t* windowClass, UINT id) {
  HWND owner = FindWindowW(windowClass, nullptr);
  if (owner == nullptr) return 1;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = id;
  return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
}

int Broadcast() {
  const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message != 0 && PostMessageW(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
}

int Button(const wchar_t* windowClass, const wchar_t* command) {
  HWND window = FindWindowW(windowClass, nullptr);
  if (window == nullptr) return 1;
  const WPARAM code = std::wcscmp(command, L"restore") == 0 ? SC_RESTORE : SC_MINIMIZE;
  return PostMessageW(window, WM_SYSCOMMAND, code, 0) ? 0 : 1;
}

int ExStyle(const wchar_t* windowClass) {
  HWND window = FindWindowW(windowClass, nullptr);
  if (window == nullptr) return 1;
  std::printf("%#lx\n", static_cast<unsigned long>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wcscmp(argv[1], L"refuse") == 0) return Refuse();
  if (argc == 4 && std::wcscmp(argv[1], L"forget") == 0) {
    return Forget(argv[2], static_cast<UINT>(std::wcstoul(argv[3], nullptr, 10)));
  }
  if (argc == 2 && std::wcscmp(argv[1], L"broadcast") == 0) return Broadcast();
  if (argc == 4 && std::wcscmp(argv[1], L"button") == 0) return Button(argv[2], argv[3]);
  if (argc == 3 && std::wcscmp(argv[1], L"exstyle") == 0) return ExStyle(argv[2]);
  std::fprintf(stderr,
               "usage: shell_stand_in refuse | forget <class> <id> | broadcast | button <class> restore|minimize"
               " | exstyle <class>\n");
  return 2;
}
