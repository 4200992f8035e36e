#include "win/popup_menu.h"

#include <stdexcept>

#include "win/handles.h"

namespace wolumetr::win {
namespace {

MenuItem* Find(std::vector<MenuItem>& items, UINT id) {
  for (MenuItem& item : items) {
    if (item.id == id && !item.IsSeparator()) return &item;
    if (MenuItem* inner = Find(item.submenu, id)) return inner;
  }
  return nullptr;
}

HMENU Build(const std::vector<MenuItem>& items) {
  HMENU menu = CreatePopupMenu();
  bool lastWasSeparator = true;  // no separator at the top or twice in a row
  for (const MenuItem& item : items) {
    if (!item.visible) continue;
    if (item.IsSeparator()) {
      if (!lastWasSeparator) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      lastWasSeparator = true;
      continue;
    }
    UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : 0u);
    if (!item.submenu.empty()) {
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(Build(item.submenu)), item.caption.c_str());
    } else {
      AppendMenuW(menu, flags, item.id, item.caption.c_str());
    }
    lastWasSeparator = false;
  }
  return menu;
}

}  // namespace

MenuItem& PopupMenu::Item(UINT id) {
  MenuItem* item = Find(items_, id);
  if (item == nullptr) throw std::logic_error("no such menu item");
  return *item;
}

const MenuItem& PopupMenu::Item(UINT id) const { return const_cast<PopupMenu*>(this)->Item(id); }

MenuOutcome PopupMenu::Popup(HWND owner, POINT screen) {
  if (open_) return MenuOutcome::AlreadyOpen;
  open_ = true;
  MenuHandle menu(Build(items_));  // destroying the menu destroys its submenus too
  // The menu closes when clicked away only if its owner is the foreground window. Nothing may
  // pump messages between here and the menu: a second request would open a second menu.
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenuEx(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       screen.x, screen.y, owner, nullptr));
  // Lets the owner lose the foreground properly when the menu came from the tray.
  PostMessageW(owner, WM_NULL, 0, 0);
  open_ = false;
  if (chosen == 0) return MenuOutcome::Dismissed;
  Activate(chosen);
  return MenuOutcome::Chosen;
}

void PopupMenu::Activate(UINT id) {
  MenuItem* item = Find(items_, id);
  if (item == nullptr || !item->enabled) return;
  if (item->autoCheck) item->checked = !item->checked;
  if (item->onClick) item->onClick();
}

}  // namespace wolumetr::win
