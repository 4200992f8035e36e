#pragma once
// RAII owners for the Win32 handles the program keeps.
#include <windows.h>

#include <objbase.h>

#include <memory>
#include <type_traits>

#include "win/system_libraries.h"

namespace wolumetr::win {

// An owner whose handle goes back through `close`, the system's own function for it.
template <auto close>
struct CloseWith {
  template <class H>
  void operator()(H handle) const noexcept {
    close(handle);
  }
};
template <class H, auto close>
using Owner = std::unique_ptr<std::remove_pointer_t<H>, CloseWith<close>>;

template <class H>
using GdiObject = Owner<H, DeleteObject>;
using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using MemoryDc = Owner<HDC, DeleteDC>;
// A child or helper window made with CreateWindowExW directly (no Window object behind it).
using ChildWindow = Owner<HWND, DestroyWindow>;
using MenuHandle = Owner<HMENU, DestroyMenu>;
using RegKey = Owner<HKEY, RegCloseKey>;

struct KernelHandleDeleter {
  void operator()(HANDLE h) const noexcept {
    if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using KernelHandle = std::unique_ptr<void, KernelHandleDeleter>;

// CreateFileW reports failure as INVALID_HANDLE_VALUE; keep "empty" meaning "no file".
inline KernelHandle OwnFileHandle(HANDLE h) { return KernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }

// Selects an object into a DC for one scope and puts the old one back.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectObjectScope() { SelectObject(dc_, old_); }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A screen DC for measuring text, released at scope end.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// BeginPaint and EndPaint as one value: a paint callback that throws still ends the paint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintDc() { EndPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  // The part to paint, client coordinates.
  const RECT& Invalid() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Saves a DC's state (objects, colours, clip region) for one scope and restores it.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDcState() { RestoreDC(dc_, saved_); }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// The calling thread's error mode for one scope; by default a drive that is not ready fails
// quietly instead of asking the user to insert a disk. The thread's own mode is set without a
// system call, unlike the process's.
class ErrorModeScope {
 public:
  explicit ErrorModeScope(DWORD mode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX) {
    SetThreadErrorMode(mode, &old_);
  }
  ~ErrorModeScope() { SetThreadErrorMode(old_, nullptr); }
  ErrorModeScope(const ErrorModeScope&) = delete;
  ErrorModeScope& operator=(const ErrorModeScope&) = delete;

 private:
  DWORD old_ = 0;
};

// COM on this thread for one scope (balanced only when it succeeded). COM is loaded on first
// use, through win/system_libraries.h.
class ComScope {
 public:
  explicit ComScope(DWORD model = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
      : initialized_(SUCCEEDED(lazy::CoInitializeEx(nullptr, model))) {}
  ~ComScope() {
    if (initialized_) lazy::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialized_;
};

// The window thread's apartment, entered at its first need (a screen reader's question, the
// shell) and never left: an object handed to another process stays connected as long as the
// program runs, whichever window comes or goes. Call it on the window's thread only.
inline void StayInApartment() {
  thread_local const bool entered =
      SUCCEEDED(lazy::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  static_cast<void>(entered);
}

}  // namespace wolumetr::win
