#pragma once
// What a window may ask of the program it belongs to: the taskbar window that owns every window,
// minimizing and restoring the program, the modal loop, and quitting. The application object is
// the one host; windows are given it.
#include <windows.h>

#include <string>

namespace wolumetr::win {

class Window;

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  // The window that owns every window of the program; made when first asked for.
  virtual HWND TaskbarWindow() = 0;
  // The program's title: the taskbar button's, the error box's and the start-up box's caption.
  virtual const std::wstring& Title() const = 0;

  // The window that the taskbar button's own minimize and restore animate from.
  virtual void SetMainWindow(const Window& mainWindow) = 0;
  // Minimizes every window of the program into the taskbar button (nothing when already
  // minimized); stay-on-top windows are made ordinary meanwhile. `mainWindow` is where the
  // minimize animation starts.
  virtual void Minimize(const Window& mainWindow) = 0;
  // Brings the minimized program back (nothing when it is not minimized).
  virtual void Restore(const Window& mainWindow) = 0;
  // Makes the program's last active window the foreground window.
  virtual void BringToFront() = 0;

  // Shows `window` modally: the program's other windows are disabled until EndModal.
  virtual void RunModal(Window& window) = 0;
  virtual void EndModal(Window& window) = 0;
  // Ends the program's message loop.
  virtual void Terminate() = 0;
};

}  // namespace wolumetr::win
