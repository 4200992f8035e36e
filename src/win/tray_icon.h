#pragma once
// The program's icon in the notification area. Its messages go to a hidden window of its
// own, so they arrive even while a modal window disables the program's other windows.
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>
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
  HICON Icon() const { return icon_; }
  // Adds or removes the icon; setting the state it already has does nothing.
  // Throws "Cannot create shell notification icon" / "Cannot remove shell notification icon".
  void SetVisible(bool visible);
  // Whether the shell took the icon with the version 4 protocol (selection and context menu
  // with the icon's anchor point); otherwise it speaks the older mouse-message protocol.
  bool UsesVersion4() const { return version4_; }

  // Left press then release (once for a double click), or the icon selected from the keyboard.
  std::function<void()> onClick;
  // Opens the menu at a screen point (the icon's anchor, or the cursor for the older protocol);
  // returns true when the menu was dismissed without a choice.
  std::function<bool(POINT)> onPopup;

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
  bool Notify(DWORD message, UINT flags = 0);
  void AskForVersion4();
  void OnNotify(WPARAM wParam, LPARAM lParam);
  void KeySelect();
  void Popup(POINT at, bool fromKeyboard);
  void Readd();
  // Takes the icon away without ever failing: for log-off and the end of the program.
  void RemoveQuietly() noexcept;

  SystemSeam& system_;
  HICON icon_;
  std::wstring hint_;
  bool visible_ = false;
  bool wanted_ = false;  // what the program last asked for, even if the shell refused
  bool version4_ = false;
  bool pressed_ = false;
  bool doubleClicked_ = false;
  bool selectPending_ = false;          // a press and release that the shell's NIN_SELECT confirms
  bool releaseSeen_ = false;            // the next NIN_SELECT follows a release, not a key
  bool rightReleased_ = false;          // the context menu that follows comes from the mouse
  std::optional<DWORD> lastKeySelect_;  // tick count of the last selection from the keyboard
  std::unique_ptr<MessageWindowImpl> window_;
};

}  // namespace wolumetr::win
