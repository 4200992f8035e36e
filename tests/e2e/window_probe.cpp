// Measures from another process how quickly a window answers, or what it hands a screen reader.
//
//   window_probe <class> <rounds>
//   window_probe <class> object
//   window_probe <class> endsession <0|1>
//
// "object": asks the window for its client area's accessible object, as a screen reader in
// another process does (WM_GETOBJECT, OBJID_CLIENT), and prints "object <answer>": a positive
// answer is a reference marshalled for this process. Wine 8 cannot unmarshal it into an
// IAccessible (not even the system's own object), so the answer itself is what is judged here.
//
// "endsession": closes the window's program as Restart Manager does before an installer replaces
// its executable: WM_QUERYENDSESSION to each of the process's top-level windows, then WM_ENDSESSION
// with the given wParam (0: the close was called off), both with ENDSESSION_CLOSEAPP. Prints
// "agreed <windows that answered yes> of <windows>".
//
// Each round, 100 ms apart: a message round trip (WM_NULL sent and answered) and a paint round
// trip (the whole client area invalidated, then its update region polled until the window has
// painted it). Prints "message <worst ms>" and "paint <worst ms>"; a round the window has not
// answered within 5 s counts 5000 and ends the probe. Exit code 1 when there is no such window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr UINT kLimitMs = 5000;

double Milliseconds(LARGE_INTEGER from) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double MessageRound(HWND hwnd) {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, kLimitMs, &result) == 0) return kLimitMs;
  return Milliseconds(start);
}

// Every top-level window of `hwnd`'s process is asked, then told, as Restart Manager does.
int EndSession(HWND hwnd, WPARAM ending) {
  DWORD process = 0, owner = 0;
  GetWindowThreadProcessId(hwnd, &process);
  std::vector<HWND> windows;
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (GetWindowThreadProcessId(w, &owner) != 0 && owner == process) windows.push_back(w);
  }
  int agreed = 0;
  DWORD_PTR yes = 0;
  for (HWND w : windows) {
    if (SendMessageTimeoutW(w, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, kLimitMs, &yes) && yes)
      ++agreed;
  }
  for (HWND w : windows) {
    SendMessageTimeoutW(w, WM_ENDSESSION, ending, ENDSESSION_CLOSEAPP, SMTO_NORMAL, kLimitMs, &yes);
  }
  std::printf("agreed %d of %zu\n", agreed, windows.size());
  return 0;
}

double PaintRound(HWND hwnd) {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  InvalidateRect(hwnd, nullptr, FALSE);
  while (GetUpdateRect(hwnd, nullptr, FALSE)) {
    if (Milliseconds(start) >= kLimitMs) return kLimitMs;
    Sleep(1);
  }
  return Milliseconds(start);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool endSession = argc == 4 && std::wcscmp(argv[2], L"endsession") == 0;
  if (argc != 3 && !endSession) {
    std::fprintf(stderr, "usage: window_probe <class> <rounds>\n");
    return 2;
  }
  HWND hwnd = FindWindowW(argv[1], nullptr);
  if (hwnd == nullptr) return 1;
  if (endSession) return EndSession(hwnd, static_cast<WPARAM>(_wtoi(argv[3])));
  if (std::wcscmp(argv[2], L"object") == 0) {
    DWORD_PTR answer = 0;
    const LPARAM client = OBJID_CLIENT;
    if (!SendMessageTimeoutW(hwnd, WM_GETOBJECT, 0, client, SMTO_NORMAL, kLimitMs, &answer)) return 3;
    std::printf("object %lld\n", static_cast<long long>(static_cast<LRESULT>(answer)));
    return 0;
  }
  const int rounds = std::max(1, _wtoi(argv[2]));
  double message = 0, paint = 0;
  for (int i = 0; i < rounds && std::max(message, paint) < kLimitMs; ++i) {
    if (i > 0) Sleep(100);
    message = std::max(message, MessageRound(hwnd));
    paint = std::max(paint, PaintRound(hwnd));
  }
  std::printf("message %.1f\npaint %.1f\n", message, paint);
  return 0;
}
