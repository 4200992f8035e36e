#pragma once
// A window's answer to screen readers: its client area as the system describes it, with the
// windowless controls painted on it as children (which the system cannot see).
#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <optional>
#include <string>

#include "win/com_ref.h"

namespace wolumetr::win {

struct AccessibleItem {
  LONG role = ROLE_SYSTEM_LISTITEM;
  std::wstring name;
  std::wstring value;
  RECT bounds{0, 0, 0, 0};  // client coordinates
  bool visible = true;
  std::wstring defaultAction;  // empty: the item has none
};

// What a window tells about its windowless controls.
class AccessibleItems {
 public:
  virtual ~AccessibleItems() = default;
  virtual int ItemCount() const = 0;
  virtual AccessibleItem Item(int index) const = 0;  // index from 0
  virtual void DoDefaultAction(int index) = 0;
};

class AccessibleWindow {
 public:
  AccessibleWindow(HWND hwnd, AccessibleItems& items);
  // Objects handed out before answer as disconnected from then on: a client may hold one longer.
  ~AccessibleWindow();
  AccessibleWindow(const AccessibleWindow&) = delete;
  AccessibleWindow& operator=(const AccessibleWindow&) = delete;

  // Answers WM_GETOBJECT for the client area; nullopt for any other object asked.
  std::optional<LRESULT> Answer(WPARAM wParam, LPARAM lParam) const;
  // Tells listening clients that an item's value or name changed (child id: index + 1).
  void ValueChanged(int index) const;
  void NameChanged(int index) const;
  // A new object, as WM_GETOBJECT hands it out; empty when the system's part cannot be made.
  ComRef<IAccessible> Object() const;

 private:
  HWND hwnd_;
  std::shared_ptr<AccessibleItems*> items_;
};

}  // namespace wolumetr::win
