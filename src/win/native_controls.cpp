#include "win/native_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "win/error_box.h"
#include "win/private_messages.h"
#include "win/system_libraries.h"

namespace wolumetr::win {

bool ColourAnswer::Set(const ControlColours& colours) {
  if (colours_ && colours_->text == colours.text && colours_->back == colours.back) return false;
  if (!colours_ || colours_->back != colours.back) brush_.reset(CreateSolidBrush(colours.back));
  colours_ = colours;
  return true;
}

std::optional<LRESULT> ColourAnswer::Answer(HDC dc) const {
  if (!colours_) return std::nullopt;
  if (colours_->text) SetTextColor(dc, *colours_->text);
  SetBkColor(dc, colours_->back);
  return reinterpret_cast<LRESULT>(brush_.get());
}

// The set --------------------------------------------------------------------------------------

NativeControl* ControlSet::Find(auto matches) const {
  const auto found = std::ranges::find_if(controls_, matches);
  return found == controls_.end() ? nullptr : *found;
}

std::optional<LRESULT> ControlSet::Reflect(UINT message, WPARAM wParam, LPARAM lParam) const {
  const int id = static_cast<int>(wParam);
  NativeControl* control = nullptr;
  switch (message) {
    case WM_COMMAND:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
      control = Find([part = reinterpret_cast<HWND>(lParam)](const NativeControl* c) { return c->Owns(part); });
      break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      // Measured while the control is being made, before its handle is known: found by its id.
      if (id != 0) control = Find([id](const NativeControl* c) { return c->id_ == id; });
      break;
    case kControlLeftMessage:
      // Posted: the control may be gone by now, and then there is no one to tell.
      control = Find([id](const NativeControl* c) { return c->id_ == id; });
      if (control != nullptr && control->onLeave) control->onLeave();
      return 0;
    default: return std::nullopt;
  }
  return control != nullptr ? control->Reflected(message, wParam, lParam) : std::nullopt;
}

// The control ----------------------------------------------------------------------------------

NativeControl::~NativeControl() {
  Forget();
  if (hwnd_) lazy::RemoveWindowSubclass(hwnd_.get(), &NativeControl::Subclass, 0);
}

void NativeControl::Forget() {
  onEnter = nullptr;
  onLeave = nullptr;
  if (set_ != nullptr) std::erase(set_->controls_, this);
  set_ = nullptr;
}

void NativeControl::Create(HWND parent, ControlSet& set, int id, const Rect& place) {
  id_ = id;
  set_ = &set;
  set.controls_.push_back(this);  // before the window: it is measured while it is made
  const DWORD style = Style() & ~static_cast<DWORD>(tabStop ? 0 : WS_TABSTOP);
  hwnd_.reset(CreateWindowExW(0, className_, L"", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr));
  if (!hwnd_) {
    Forget();
    throw std::runtime_error("Cannot create a window");
  }
  lazy::SetWindowSubclass(hwnd_.get(), &NativeControl::Subclass, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK NativeControl::Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
  auto* self = reinterpret_cast<NativeControl*>(data);
  std::optional<LRESULT> own;
  Guarded([&] { own = self->OwnMessage(message, wParam, lParam); });
  if (own) return *own;
  if (message == WM_KILLFOCUS) {
    // Leaving for another control of the window is leaving; switching to another program is not.
    const auto next = reinterpret_cast<HWND>(wParam);
    HWND parent = GetParent(hwnd);
    if (self->onLeave && next != nullptr && IsChild(parent, next)) {
      PostMessageW(parent, kControlLeftMessage, static_cast<WPARAM>(self->id_), 0);
    }
  }
  return lazy::DefSubclassProc(hwnd, message, wParam, lParam);
}

void NativeControl::SetPlace(const Rect& place) {
  SetWindowPos(Handle(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativeControl::SetFont(HFONT font) { SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

void NativeControl::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled ? TRUE : FALSE); }

std::wstring NativeControl::Text() const {
  const int length = GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(Handle(), text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void NativeControl::SetText(const std::wstring& text) { SetWindowTextW(Handle(), text.c_str()); }

void NativeControl::SetColours(const ControlColours& colours) {
  if (colours_.Set(colours) && hwnd_) InvalidateRect(Handle(), nullptr, TRUE);
}

std::optional<LRESULT> NativeControl::Reflected(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return colours_.Answer(reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:
    case WM_VSCROLL:
    case WM_HSCROLL: return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM: return TRUE;
    default: return std::nullopt;  // the system's colours
  }
}

// Check box ------------------------------------------------------------------------------------

CheckBox::CheckBox() : NativeControl(WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX) {}

bool CheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<LRESULT> CheckBox::Reflected(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && onClick) onClick();
  return NativeControl::Reflected(message, wParam, lParam);
}

// Number field ---------------------------------------------------------------------------------

NumberField::NumberField() : NativeControl(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL) {}

void NumberField::SetLimit(int characters) { SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(characters), 0); }

std::optional<LRESULT> NumberField::Reflected(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_SETFOCUS && onEnter) onEnter();
  return NativeControl::Reflected(message, wParam, lParam);
}

std::optional<LRESULT> NumberField::OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = lazy::DefSubclassProc(Handle(), message, wParam, lParam);
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;  // Enter belongs to the field, not to the dialog keys
      }
      return code;
    }
    case WM_CHAR:
      if (wParam != L'\r' || !onReturn) return std::nullopt;
      Guarded(onReturn);
      return 0;  // handled: the field keeps the focus and does not beep
    default: return std::nullopt;
  }
}

// Spinner --------------------------------------------------------------------------------------

Spinner::Spinner() : NativeControl(UPDOWN_CLASSW, WS_TABSTOP | UDS_ARROWKEYS) {}

int Spinner::Position() const { return static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0)); }

void Spinner::SetPosition(int position) { SendMessageW(Handle(), UDM_SETPOS32, 0, position); }

void Spinner::SetRange(int low, int high) { SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(low), high); }

std::optional<LRESULT> Spinner::Reflected(UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_VSCROLL || message == WM_HSCROLL) && LOWORD(wParam) == SB_THUMBPOSITION && onChange) onChange();
  return NativeControl::Reflected(message, wParam, lParam);
}

std::optional<LRESULT> Spinner::OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_GETDLGCODE) return std::nullopt;
  return lazy::DefSubclassProc(Handle(), message, wParam, lParam) | DLGC_WANTARROWS;  // the arrow keys turn it
}

// Drop list ------------------------------------------------------------------------------------

DropList::DropList() : NativeControl(WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST) {}

DWORD DropList::Style() const {
  return NativeControl::Style() | (ownerDrawn ? CBS_OWNERDRAWFIXED | CBS_HASSTRINGS : 0);
}

void DropList::Clear() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

void DropList::Add(const std::wstring& item) {
  SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int DropList::Count() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

int DropList::Selected() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void DropList::Select(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void DropList::ShowList(bool shown) { SendMessageW(Handle(), CB_SHOWDROPDOWN, shown ? TRUE : FALSE, 0); }

int DropList::ItemHeight(int part) const {
  return static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(part), 0));
}

void DropList::SetItemHeight(int part, int height) {
  SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(part), height);
}

void DropList::SetVisibleItems(int count) { SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(count), 0); }

void DropList::SetListColours(const ControlColours& colours) {
  if (listColours_.Set(colours) && List() != nullptr) InvalidateRect(List(), nullptr, TRUE);
}

std::optional<LRESULT> DropList::Reflected(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_SELCHANGE && onChange) onChange();
      if (HIWORD(wParam) == CBN_CLOSEUP && onCloseUp) onCloseUp();
      break;
    case WM_CTLCOLORLISTBOX: return listColours_.Answer(reinterpret_cast<HDC>(wParam));
    case WM_MEASUREITEM:
      // The field and every item alike.
      if (itemHeight > 0) reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(itemHeight);
      break;
    case WM_DRAWITEM:
      if (onDrawItem) onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      break;
    default: break;
  }
  return NativeControl::Reflected(message, wParam, lParam);
}

HWND DropList::List() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return Handle() != nullptr && GetComboBoxInfo(Handle(), &info) ? info.hwndList : nullptr;
}

bool DropList::Owns(HWND part) const { return NativeControl::Owns(part) || (part != nullptr && part == List()); }

}  // namespace wolumetr::win
