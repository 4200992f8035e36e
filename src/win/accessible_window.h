#pragma once
// A window's answer to screen readers: its client area as the system describes it, with the
// windowless controls painted on it as children (which the system cannot see).
#include <windows.h>

#include <oleacc.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win/com_ref.h"
#include "win/graphic_control.h"

namespace wolumetr::win {

struct AccessibleItem {
  LONG role = ROLE_SYSTEM_LISTITEM;
  std::wstring name;
  std::wstring value;
  RECT bounds{0, 0, 0, 0};  // client coordinates
  bool visible = true;
  std::wstring defaultAction;  // empty: the item has none
};

// What a window tells about its windowless controls. With no items, the system's own children
// of the window (a combo box's list, say) stay as they are.
class AccessibleItems {
 public:
  AccessibleItems() = default;
  // A copy is not answered for by the window the original is.
  AccessibleItems(const AccessibleItems&) {}
  AccessibleItems& operator=(const AccessibleItems&) { return *this; }
  // The accessible window answering from these items is cut off first: whatever a window
  // declares, no client reaches items, or the controls they stand for, once they go.
  virtual ~AccessibleItems() { Disconnect(); }
  virtual int ItemCount() const = 0;
  virtual AccessibleItem Item(int index) const = 0;  // index from 0
  // Runs from the window's own message loop, never inside the client's call.
  virtual void DoDefaultAction(int index) = 0;
  // The window's own name when the system's (its text) says nothing; empty: the system's.
  virtual std::wstring OwnName() const { return {}; }
  // The window is still measuring what its items show: clients read it as busy until then.
  virtual bool Busy() const { return false; }

 private:
  friend class AccessibleWindow;
  void Disconnect() {
    if (reach_) *reach_ = nullptr;
  }
  std::shared_ptr<AccessibleItems*> reach_;  // the accessible window's way to these items
};

// Windowless controls that act as buttons: named for screen readers, pressed as clicked.
class WindowlessButtons final : public AccessibleItems {
 public:
  struct Button {
    const GraphicControl* control;
    std::wstring name;
  };
  explicit WindowlessButtons(std::vector<Button> buttons) : buttons_(std::move(buttons)) {}
  int ItemCount() const override { return static_cast<int>(buttons_.size()); }
  AccessibleItem Item(int index) const override;
  void DoDefaultAction(int index) override;

 private:
  std::vector<Button> buttons_;
};

// The default action's name of every button item.
inline constexpr wchar_t kPressAction[] = L"Naciśnij";

class AccessibleWindow {
 public:
  AccessibleWindow(HWND hwnd, AccessibleItems& items);
  // Objects handed out before answer as disconnected from then on: a client may hold one longer.
  ~AccessibleWindow();
  AccessibleWindow(const AccessibleWindow&) = delete;
  AccessibleWindow& operator=(const AccessibleWindow&) = delete;

  // Answers WM_GETOBJECT for the client area and runs the actions clients asked for; nullopt
  // for every other message (and any other object asked).
  std::optional<LRESULT> Route(UINT message, WPARAM wParam, LPARAM lParam) const;
  // Tells listening clients that an item's value or name changed (child id: index + 1).
  void ValueChanged(int index) const;
  void NameChanged(int index) const;
  // Tells listening clients that the window's own state (busy or not) changed.
  void StateChanged() const;
  // A new object, as WM_GETOBJECT hands it out; empty when the system's part cannot be made.
  ComRef<IAccessible> Object() const;

 private:
  HWND hwnd_;
  std::shared_ptr<AccessibleItems*> items_;
  std::shared_ptr<std::deque<int>> pending_;  // items whose default action a client asked for
};

// Gives a child window (a check box, a field) a name for screen readers when its own text is
// empty: the caption painted beside it. The name lives as long as the window.
void NameForScreenReaders(HWND control, std::wstring name);
// A caption as a name: "Ilość kolumn :" is read without the colon that sets it off on the panel.
std::wstring NameFromCaption(std::wstring caption);
// The object such a window hands out, for tests (empty for a window without a name given).
ComRef<IAccessible> NamedWindowObject(HWND control);

}  // namespace wolumetr::win
