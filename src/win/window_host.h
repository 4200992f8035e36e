#pragma once
// What a window may ask of the program it belongs to: the taskbar window that owns every window,
// the modal loop, and quitting. The application object is the one host; windows are given it.
#include <windows.h>

#include <string>

namespace wolumetr::win {

class Window;

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  // Creates the taskbar window; safe to call more than once.
  virtual void Initialize() = 0;
  virtual HWND TaskbarWindow() const = 0;
  // The program's title: the taskbar button's and the error box's caption.
  virtual const std::wstring& Title() const = 0;
  // Shows `window` modally: the program's other windows are disabled until EndModal.
  virtual void RunModal(Window& window) = 0;
  virtual void EndModal(Window& window) = 0;
  // Ends the program's message loop.
  virtual void Terminate() = 0;
};

}  // namespace wolumetr::win
