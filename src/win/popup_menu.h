#pragma once
// A popup menu described by data: items keep their state (visible, enabled, checked) between
// showings; the native menu is built for each showing and destroyed after it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wolumetr::win {

struct MenuItem {
  UINT id = 0;  // 0 for a separator
  std::wstring caption;
  std::function<void()> onClick;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  bool autoCheck = false;
  std::vector<MenuItem> submenu;
  bool IsSeparator() const { return caption == L"-"; }
};

enum class MenuOutcome { AlreadyOpen, Chosen, Dismissed };

class PopupMenu {
 public:
  void SetItems(std::vector<MenuItem> items) { items_ = std::move(items); }
  const std::vector<MenuItem>& Items() const { return items_; }
  MenuItem& Item(UINT id);
  const MenuItem& Item(UINT id) const;

  // Opens the menu at a screen point, owned by `owner`, and activates the chosen item. A menu
  // that is already open (the request came from inside its own loop) opens no second one.
  MenuOutcome Popup(HWND owner, POINT screen);
  // What choosing an item does: if enabled, flip an auto-check mark, then run the handler.
  void Activate(UINT id);

 private:
  std::vector<MenuItem> items_;
  bool open_ = false;
};

// Keeps an item disabled for one scope (while the window it opened is showing) and enables it
// again however the scope ends.
class ItemDisabledScope {
 public:
  ItemDisabledScope(PopupMenu& menu, UINT id) : menu_(menu), id_(id) { menu_.Item(id_).enabled = false; }
  ~ItemDisabledScope() { menu_.Item(id_).enabled = true; }
  ItemDisabledScope(const ItemDisabledScope&) = delete;
  ItemDisabledScope& operator=(const ItemDisabledScope&) = delete;

 private:
  PopupMenu& menu_;
  UINT id_;
};

}  // namespace wolumetr::win
