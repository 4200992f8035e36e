#include "gui_objects.h"

#include <windows.h>

#include <cstring>

namespace wolumetr::bench {
namespace {

// Wine's user handles: index n is 0x20 + 2n, up to 0xffef.
constexpr UINT_PTR kFirstUserHandle = 0x0020;
constexpr UINT_PTR kLastUserHandle = 0xffef;
constexpr UINT_PTR kGdiHandleCount = 0x10000;

using IconSizeCall = BOOL(WINAPI*)(HICON, UINT, LONG*, LONG*);

template <class F>
F Export(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  FARPROC proc = handle != nullptr ? GetProcAddress(handle, name) : nullptr;
  F call = nullptr;
  static_assert(sizeof call == sizeof proc);
  if (proc != nullptr) std::memcpy(&call, &proc, sizeof call);
  return call;
}

BOOL CALLBACK CountChild(HWND, LPARAM lParam) {
  ++*reinterpret_cast<long*>(lParam);
  return TRUE;
}

struct WindowCount {
  DWORD pid;
  long count = 0;
};

void CountWindowAndChildren(HWND hwnd, WindowCount& count) {
  ++count.count;
  EnumChildWindows(hwnd, CountChild, reinterpret_cast<LPARAM>(&count.count));
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lParam) {
  auto* count = reinterpret_cast<WindowCount*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == count->pid) CountWindowAndChildren(hwnd, *count);
  return TRUE;
}

long CountWindows() {
  WindowCount count{GetCurrentProcessId()};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  // Message-only windows are not top-level windows of the desktop.
  for (HWND h = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); h != nullptr;
       h = FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == count.pid) CountWindowAndChildren(h, count);
  }
  return count.count;
}

GuiObjects CountOnWine() {
  GuiObjects objects;
  for (UINT_PTR index = 1; index < kGdiHandleCount; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++objects.gdi;
  }
  objects.user = CountWindows();
  static const auto iconSize = Export<IconSizeCall>(L"win32u.dll", "NtUserGetIconSize");
  for (UINT_PTR value = kFirstUserHandle; value <= kLastUserHandle; value += 2) {
    if (IsMenu(reinterpret_cast<HMENU>(value))) {
      ++objects.user;
    } else if (iconSize != nullptr) {
      LONG width = 0, height = 0;
      if (iconSize(reinterpret_cast<HICON>(value), 0, &width, &height)) ++objects.user;
    }
  }
  return objects;
}

}  // namespace

bool RunningOnWine() {
  static const bool wine = Export<FARPROC>(L"ntdll.dll", "wine_get_version") != nullptr;
  return wine;
}

GuiObjects CountGuiObjects() {
  if (RunningOnWine()) return CountOnWine();
  GuiObjects objects;
  objects.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  objects.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  return objects;
}

std::string CountingMethod() {
  if (RunningOnWine()) {
    return "Wine: GDI by GetObjectType over the handle table's 65536 entries; USER = windows (enumerated) + "
           "menus (IsMenu) + icons/cursors (NtUserGetIconSize) over the user handle range";
  }
  return "GetGuiResources (GR_GDIOBJECTS, GR_USEROBJECTS)";
}

}  // namespace wolumetr::bench
