#pragma once
// The application object: its invisible taskbar window (title and taskbar button, owner of
// every window of the program), the message loop and modal windows.
#include <windows.h>

#include <string>
#include <vector>

#include "win/system_seam.h"
#include "win/window.h"
#include "win/window_host.h"

namespace wolumetr::win {

class Application final : public WindowHost {
 public:
  static Application& Instance();

  void SetTitle(const std::wstring& title);
  const std::wstring& Title() const override { return title_; }
  HWND TaskbarWindow() override;

  // The system calls the error box at the exception boundary goes through: the program's
  // one seam once it is set, the system's own before. nullptr brings back the system's own.
  void SetSystem(SystemSeam* system) { system_ = system; }
  SystemSeam& System() { return system_ != nullptr ? *system_ : ownSystem_; }

  // Shows the main window and runs the message loop until the main window is closed or
  // Terminate is called.
  void Run(Window& mainWindow);
  void Terminate() override;
  bool Terminated() const { return terminated_; }

  void RunModal(Window& window) override;
  void EndModal(Window& window) override;
  // Puts the modal window back above the windows it disabled.
  void RaiseModalWindow();

  // Shows the taskbar window when any window of the program is visible and hides it when
  // none is, without moving, sizing, re-ordering or activating it.
  void SyncTaskbarWindow();

  void Minimize(const Window& mainWindow) override { Minimize(mainWindow.Handle()); }
  void Restore(const Window& mainWindow) override { Restore(mainWindow.Handle()); }
  void SetMainWindow(const Window& mainWindow) override { mainHandle_ = mainWindow.Handle(); }
  bool Minimized() const;
  void BringToFront() override;

  // Handles one message from the queue the way the loop does (dialog keys, dispatch).
  void Dispatch(MSG& msg);

 private:
  class TaskbarHost final : public Window {
   public:
    explicit TaskbarHost(Application& owner) : owner_(owner) {}
    void CreateFor(const std::wstring& title);

   protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    void GiveIcons();
    Application& owner_;
    bool hasIcons_ = false;
  };

  Application();
  void Minimize(HWND mainWindow);
  void Restore(HWND mainWindow);

  TaskbarHost taskbar_{*this};
  SystemSeam ownSystem_;
  SystemSeam* system_ = nullptr;
  std::wstring title_ = L"Wolumetr";
  Window* mainWindow_ = nullptr;
  HWND mainHandle_ = nullptr;
  Window* modalWindow_ = nullptr;
  bool terminated_ = false;
  std::vector<HWND> topMost_;  // stay-on-top windows made ordinary while minimized
};

}  // namespace wolumetr::win
