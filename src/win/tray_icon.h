#pragma once
// The program's icon in the notification area. Its messages go to a hidden window of its
// own, so they arrive even while a modal window disables the program's other windows.
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "win/system_seam.h"
#include "win/window.h"

namespace wolumetr::win {

class TrayIcon {
 public:
  // Every call to the shell goes through `system`, which must outlive the icon.
  TrayIcon(HICON icon, std::wstring hint, SystemSeam& system);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  bool Visible() const { return visible_; }
  // Adds or removes the icon; setting the state it already has does nothing.
  // Throws "Cannot create shell notification icon" / "Cannot remove shell notification icon".
  void SetVisible(bool visible);

  std::function<void()> onClick;       // left press then release; once for a double click
  std::function<void(POINT)> onPopup;  // right-button release, at the cursor

  // The hidden window that receives the icon's messages; made when the icon is first shown.
  HWND MessageWindow() const { return window_ ? window_->Handle() : nullptr; }

 private:
  class MessageWindowImpl final : public Window {
   public:
    explicit MessageWindowImpl(TrayIcon& owner);

   protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    TrayIcon& owner_;
  };

  NOTIFYICONDATAW Data(UINT flags) const;
  void OnNotify(LPARAM event);
  void Readd();

  SystemSeam& system_;
  HICON icon_;
  std::wstring hint_;
  bool visible_ = false;
  bool wanted_ = false;  // what the program last asked for, even if the shell refused
  bool pressed_ = false;
  bool doubleClicked_ = false;
  std::unique_ptr<MessageWindowImpl> window_;
};

}  // namespace wolumetr::win
