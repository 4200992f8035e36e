// Start-up and memory, measured from inside the same Wine (or Windows) session: starts a
// program with CreateProcessW and polls the window list every millisecond until the program's
// window is visible (for wolumetr.exe: its main window at the size of 18 tiles).
//
//   bench_launcher [--pause] <memory runs> <start-up runs> <wolumetr.exe> <minimal.exe> <figures.exe>
//
// wolumetr.exe must sit in a folder whose wolumetr.ini lists 18 drives; figures.exe is the
// minimal window that first makes the same calls for those drives' figures. One unmeasured
// start of each comes first; then per start-up run one start of each, in rotating order, and
// per memory run one of wolumetr.exe and minimal.exe, in alternating order.
// A memory run lets the process settle after its window shows, reads its working set and
// private bytes and prints "launch <program|baseline> <ms to the visible window> <working set>
// <private bytes>" (bytes, as GetProcessMemoryInfo reports them); with --pause it first prints
// "ready <program|baseline>" and waits for a line on its input, so that the caller can read
// the memory from outside (Wine reports no private bytes for another process).
// A start-up run closes the program as soon as its window shows and prints
// "start <program|baseline|figures> <ms to the visible window>".
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "display/grid_layout.h"

namespace {

constexpr int kTiles = 18;
constexpr DWORD kSettleMs = 1500;  // after the window shows: caches filled, first timers run

struct Target {
  const char* name;
  std::wstring exe;
  const wchar_t* windowClass;
  int width;  // client size to wait for; 0: any
  int height;
};

struct Search {
  DWORD pid;
  const Target* target;
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (lstrcmpW(name, search->target->windowClass) != 0) return TRUE;
  RECT client{};
  GetClientRect(hwnd, &client);
  if (search->target->width > 0 && (client.right != search->target->width || client.bottom != search->target->height)) {
    return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

struct Launch {
  double startupMs = 0;
  double workingSet = 0;
  double privateBytes = 0;
};

[[noreturn]] void Fail(const char* what, const std::wstring& exe) {
  std::fprintf(stderr, "bench_launcher: %s: %ls (error %lu)\n", what, exe.c_str(), GetLastError());
  std::exit(1);
}

bool pauseWhenReady = false;

void ReadMemory(HANDLE process, const Target& target, Launch& result) {
  WaitForInputIdle(process, 10000);
  Sleep(kSettleMs);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    Fail("cannot read the memory figures", target.exe);
  }
  result.workingSet = static_cast<double>(memory.WorkingSetSize);
  result.privateBytes = static_cast<double>(memory.PrivateUsage);
  if (pauseWhenReady) {
    std::printf("ready %s\n", target.name);
    std::fflush(stdout);
    char line[16];
    if (std::fgets(line, sizeof line, stdin) == nullptr) pauseWhenReady = false;
  }
}

Launch Run(const Target& target, bool settle) {
  std::wstring command = L"\"" + target.exe + L"\"";
  const std::wstring folder = FolderOf(target.exe);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(target.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    Fail("cannot start", target.exe);
  }
  Search search{process.dwProcessId, &target};
  LARGE_INTEGER now = start;
  while (search.found == nullptr) {
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.found != nullptr) break;
    if (Seconds(start, now) > 60 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 1);
      Fail("no window showed", target.exe);
    }
    Sleep(1);
  }
  Launch result;
  result.startupMs = Seconds(start, now) * 1000.0;
  if (settle) ReadMemory(process.hProcess, target, result);

  // Closed the way a user closes it, so that the tray icon goes with it.
  PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

void Report(const Target& target, const Launch& launch, bool settled) {
  if (settled) {
    std::printf("launch %s %.3f %.0f %.0f\n", target.name, launch.startupMs, launch.workingSet, launch.privateBytes);
  } else {
    std::printf("start %s %.3f\n", target.name, launch.startupMs);
  }
  std::fflush(stdout);
}

// One start of each, in an order that rotates with `run`, so that a slow drift of the machine
// weighs on all alike.
void Round(std::initializer_list<const Target*> targets, int run, bool settle) {
  const int count = static_cast<int>(targets.size());
  for (int k = 0; k < count; ++k) {
    const Target& target = *targets.begin()[(k + run) % count];
    Report(target, Run(target, settle), settle);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int first = 1;
  if (argc > 1 && lstrcmpW(argv[1], L"--pause") == 0) {
    pauseWhenReady = true;
    first = 2;
  }
  if (argc - first != 5) {
    std::fprintf(stderr,
                 "usage: bench_launcher [--pause] <memory runs> <start-up runs> <wolumetr.exe> <minimal.exe> "
                 "<figures.exe>\n");
    return 2;
  }
  const int memoryRuns = _wtoi(argv[first]);
  const int startupRuns = _wtoi(argv[first + 1]);
  const wolumetr::Size size = wolumetr::WindowSizeFor(wolumetr::FitGrid(0, 0, kTiles));
  const Target program{"program", argv[first + 2], L"TForm1", size.width, size.height};
  const Target baseline{"baseline", argv[first + 3], L"WolumetrBenchMinimal", 0, 0};
  const Target figures{"figures", argv[first + 4], L"WolumetrBenchMinimal", 0, 0};

  // One unmeasured start of each: the files are in the cache for every measured one.
  Run(program, false);
  Run(baseline, false);
  Run(figures, false);
  for (int i = 0; i < startupRuns; ++i) Round({&program, &baseline, &figures}, i, false);
  for (int i = 0; i < memoryRuns; ++i) Round({&program, &baseline}, i, true);
  return 0;
}
