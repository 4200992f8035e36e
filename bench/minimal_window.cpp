// Baseline for start-up and memory: the least a Win32 program does to show one window.
// Built with WOLUMETR_BENCH_FIGURES, it first makes the system calls wolumetr.exe makes for the
// figures of the benchmark's 18 tiles (C: and Z: in turn): a volume name and two disk-space
// queries per tile, one after the other on the one thread; the least a program that shows
// those figures in its first paint can do.
#include <windows.h>

namespace {

#ifdef WOLUMETR_BENCH_FIGURES
void AskTheDrives() {
  constexpr int kTiles = 18;
  const UINT quiet = SetErrorMode(SEM_FAILCRITICALERRORS);
  for (int tile = 0; tile < kTiles; ++tile) {
    const wchar_t* root = tile % 2 == 0 ? L"c:\\" : L"z:\\";
    ULARGE_INTEGER available{}, size{};
    GetDiskFreeSpaceExW(root, &available, &size, nullptr);  // for the free bytes
    GetDiskFreeSpaceExW(root, &available, &size, nullptr);  // for the total
    wchar_t name[MAX_PATH + 1] = {};
    GetVolumeInformationW(root, name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0);
  }
  SetErrorMode(quiet);
}
#endif

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#ifdef WOLUMETR_BENCH_FIGURES
  AskTheDrives();
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"WolumetrBenchMinimal";
  if (RegisterClassW(&wc) == 0) return 1;
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                              300, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
