#pragma once
// A thin base for the program's windows: one window procedure that forwards to the
// object's handler and stops exceptions at that boundary (they go to the error box). It owns
// its handle and knows nothing of the application.
#include <windows.h>

#include <functional>
#include <string>

namespace wolumetr::win {

struct WindowClass {
  const wchar_t* name;
  HBRUSH background = nullptr;  // nullptr: the window paints everything itself
  UINT style = 0;
};

// Restart Manager (Windows Installer replacing or removing the running executable) asks the
// program to close through whichever of its top-level windows it reaches first: WM_ENDSESSION
// with ENDSESSION_CLOSEAPP. While this lives, `close` is what the program does then, on its
// window thread; without one the request does nothing.
class RestartManagerCloseScope {
 public:
  explicit RestartManagerCloseScope(std::function<void()> close);
  ~RestartManagerCloseScope();
  RestartManagerCloseScope(const RestartManagerCloseScope&) = delete;
  RestartManagerCloseScope& operator=(const RestartManagerCloseScope&) = delete;
};

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  bool IsVisible() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_) != FALSE; }

  // Shows or hides the window, tells its owner (OwnedVisibilityMessage), then runs OnShow.
  void SetVisible(bool visible);
  // Sent to a window's owner, at once, after SetVisible has shown or hidden the window: the
  // application's taskbar window, owner of every window, keeps its button in step on it.
  static UINT OwnedVisibilityMessage();
  // OwnedVisibilityMessage's wParam when a disabled window came up in the stacking order.
  static constexpr WPARAM kRestacked = 1;
  // Shows the window as SetVisible does but leaves the keyboard where it is: for a window that
  // appears without the user asking for it (the main window at start-up).
  void ShowWithoutActivating();

  RECT ScreenRect() const;
  int Left() const { return ScreenRect().left; }
  int Top() const { return ScreenRect().top; }
  int Width() const;
  int Height() const;
  void SetLeft(int left);
  void SetTop(int top);
  void SetPosition(int left, int top);
  void SetSize(int width, int height);

  void Destroy();

 protected:
  void Create(const WindowClass& cls, DWORD style, DWORD exStyle, RECT bounds, HWND owner, const std::wstring& title);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void OnShow() {}
  // Moved to a monitor of another scale (WM_DPICHANGED): `suggested` is the system's rectangle
  // for the window at `dpi`.
  virtual void OnDpiChanged(int /*dpi*/, const RECT& /*suggested*/) {}
  // The system's colours or high contrast changed; the message goes on to HandleMessage too.
  virtual void OnSystemColoursChanged() {}
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Show(bool visible, int command);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace wolumetr::win
