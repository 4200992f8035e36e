#include "win/accessible_window.h"

#include <atomic>
#include <deque>
#include <utility>

#include "win/handles.h"
#include "win/system_libraries.h"

namespace wolumetr::win {
namespace {

// Posted to the window by a client's default action; run from its loop. Any program can send the
// message itself, so it carries nothing: the items to act on wait in the window's own queue.
UINT ActionMessage() {
  static const UINT message = RegisterWindowMessageW(L"Wolumetr.AccessibleAction");
  return message;
}

// A client that asks faster than the window's loop runs the actions is told to wait.
constexpr std::size_t kMostPendingActions = 16;

BSTR ToBstr(const std::wstring& text) { return lazy::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

// VariantInit without loading the automation DLL for it.
void Empty(VARIANT* v) { v->vt = VT_EMPTY; }

// A COM object is deleted only by its own Release, never through an interface pointer.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// The client area's object: questions about the window itself go to the system's own object for
// it, questions about child ids 1..n to the window's items. The system's own children of the
// window (child windows) follow the items: its child k is n + k here, so an item's id never
// depends on how many child windows there are.
class ClientObject final : public IAccessible {
 public:
  ClientObject(HWND hwnd, std::shared_ptr<AccessibleItems*> items, std::shared_ptr<std::deque<int>> pending,
               ComRef<IAccessible> standard)
      : hwnd_(hwnd), items_(std::move(items)), pending_(std::move(pending)), standard_(std::move(standard)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    // The last reference gives the object back to the owner it was made in.
    if (left == 0) std::unique_ptr<ClientObject> last(this);
    return left;
  }

  // IDispatch: not offered; clients use the IAccessible calls.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (count == nullptr) return E_POINTER;
    if (*items_ == nullptr) return RPC_E_DISCONNECTED;
    long system = 0;
    if (FAILED(standard_->get_accChildCount(&system)) || system < 0) system = 0;
    *count = Items() + system;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    const Target t = Resolve(child);
    if (t.hr != S_OK) return t.hr;
    if (t.index < 0 && child.lVal == CHILDID_SELF) {
      AddRef();
      *out = this;
      return S_OK;
    }
    if (t.index < 0) return standard_->get_accChild(t.system, out);
    return S_FALSE;  // an item is a simple element of this object, with no object of its own
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    if (out != nullptr && *items_ != nullptr && child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
      if (const std::wstring own = (*items_)->OwnName(); !own.empty()) {
        *out = ToBstr(own);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
      }
    }
    return Text(child, out, &IAccessible::get_accName, [](const AccessibleItem& i) { return i.name; });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return Text(child, out, &IAccessible::get_accValue, [](const AccessibleItem& i) { return i.value; });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return Text(child, out, &IAccessible::get_accDescription, [](const AccessibleItem&) { return std::wstring(); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
    return Text(child, out, &IAccessible::get_accHelp, [](const AccessibleItem&) { return std::wstring(); });
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return Text(child, out, &IAccessible::get_accKeyboardShortcut,
                [](const AccessibleItem&) { return std::wstring(); });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return Text(child, out, &IAccessible::get_accDefaultAction,
                [](const AccessibleItem& i) { return i.defaultAction; });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    return Number(child, out, &IAccessible::get_accRole, [](const AccessibleItem& i) { return i.role; });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    const HRESULT hr = Number(child, out, &IAccessible::get_accState, [this](const AccessibleItem& item) {
      LONG state = item.visible ? STATE_SYSTEM_READONLY : STATE_SYSTEM_INVISIBLE;
      if (item.role == ROLE_SYSTEM_PUSHBUTTON) state &= ~STATE_SYSTEM_READONLY;
      if (IsWindowEnabled(hwnd_) == FALSE) state |= STATE_SYSTEM_UNAVAILABLE;  // under a modal window
      return state;
    });
    // The window itself, as the system's object tells it: busy while its items are still measured.
    if (hr == S_OK && out->vt == VT_I4 && child.lVal == CHILDID_SELF && (*items_)->Busy()) {
      out->lVal |= STATE_SYSTEM_BUSY;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    const Target t = Resolve(child);
    if (t.hr != S_OK) return t.hr;
    return t.index < 0 ? standard_->get_accHelpTopic(file, t.system, topic) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    return FromSystem(standard_->get_accFocus(out), out);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    return FromSystem(standard_->get_accSelection(out), out);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    const Target t = Resolve(child);
    if (t.hr != S_OK) return t.hr;
    return t.index < 0 ? standard_->accSelect(flags, t.system) : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    const Target t = Resolve(child);
    if (t.hr != S_OK) return t.hr;
    if (t.index < 0) return standard_->accLocation(left, top, width, height, t.system);
    const RECT r = (*items_)->Item(t.index).bounds;
    POINT origin{r.left, r.top};
    ClientToScreen(hwnd_, &origin);
    *left = origin.x;
    *top = origin.y;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    Empty(out);
    const Target t = Resolve(start);
    if (t.hr != S_OK) return t.hr;
    const int count = Items();
    // Among the items, and from the object itself to its first item; the rest is the system's.
    int next = -1;
    if (t.index < 0) {
      if (start.lVal != CHILDID_SELF || direction != NAVDIR_FIRSTCHILD || count == 0) {
        return FromSystem(standard_->accNavigate(direction, t.system, out), out);
      }
      next = 0;
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
      next = t.index + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
      next = t.index - 1;
    }
    if (next < 0 || next >= count) return S_FALSE;
    out->vt = VT_I4;
    out->lVal = next + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    Empty(out);
    if (*items_ == nullptr) return RPC_E_DISCONNECTED;
    POINT p{x, y};
    ScreenToClient(hwnd_, &p);
    // Front to back: the last item drawn is on top.
    for (int i = (*items_)->ItemCount() - 1; i >= 0; --i) {
      const AccessibleItem item = (*items_)->Item(i);
      if (!item.visible || PtInRect(&item.bounds, p) == FALSE) continue;
      out->vt = VT_I4;
      out->lVal = i + 1;
      return S_OK;
    }
    return FromSystem(standard_->accHitTest(x, y, out), out);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const Target t = Resolve(child);
    if (t.hr != S_OK) return t.hr;
    if (t.index < 0) return standard_->accDoDefaultAction(t.system);
    if ((*items_)->Item(t.index).defaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
    // As a click: later, from the window's loop (the action may open a window of its own).
    if (pending_->size() >= kMostPendingActions) return E_FAIL;
    pending_->push_back(t.index);
    if (PostMessageW(hwnd_, ActionMessage(), 0, 0) != FALSE) return S_OK;
    pending_->pop_back();
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  int Items() const { return (*items_)->ItemCount(); }

  // What a child id asks about. index: the item, or -1 for a question to the system's object
  // about `system` (the object itself, or one of its children in its own numbering). hr: S_OK,
  // or the error to hand back.
  struct Target {
    HRESULT hr;
    int index = -1;
    VARIANT system{};
  };
  Target Resolve(const VARIANT& child) const {
    if (*items_ == nullptr) return {RPC_E_DISCONNECTED};
    if (child.vt != VT_I4 || child.lVal < 0) return {E_INVALIDARG};
    Target t{S_OK, -1, child};
    if (child.lVal > Items()) {
      t.system.lVal = child.lVal - Items();
    } else if (child.lVal != CHILDID_SELF) {
      t.index = static_cast<int>(child.lVal) - 1;
    }
    return t;
  }

  // A child id the system's object answered with, in this object's numbering.
  HRESULT FromSystem(HRESULT hr, VARIANT* out) const {
    if (SUCCEEDED(hr) && out->vt == VT_I4 && out->lVal != CHILDID_SELF && *items_ != nullptr) out->lVal += Items();
    return hr;
  }

  template <typename Read>
  HRESULT Text(VARIANT child, BSTR* out, HRESULT (STDMETHODCALLTYPE IAccessible::*own)(VARIANT, BSTR*), Read read) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    const Target t = Resolve(child);
    if (t.hr != S_OK) return t.hr;
    if (t.index < 0) return (standard_.get()->*own)(t.system, out);
    const std::wstring text = read((*items_)->Item(t.index));
    if (text.empty()) return S_FALSE;
    *out = ToBstr(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  template <typename Read>
  HRESULT Number(VARIANT child, VARIANT* out, HRESULT (STDMETHODCALLTYPE IAccessible::*own)(VARIANT, VARIANT*),
                 Read read) {
    if (out == nullptr) return E_POINTER;
    Empty(out);
    const Target t = Resolve(child);
    if (t.hr != S_OK) return t.hr;
    if (t.index < 0) return (standard_.get()->*own)(t.system, out);
    out->vt = VT_I4;
    out->lVal = read((*items_)->Item(t.index));
    return S_OK;
  }

  std::atomic<ULONG> references_{1};
  HWND hwnd_;
  std::shared_ptr<AccessibleItems*> items_;
  std::shared_ptr<std::deque<int>> pending_;
  ComRef<IAccessible> standard_;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace

AccessibleWindow::AccessibleWindow(HWND hwnd, AccessibleItems& items)
    : hwnd_(hwnd), items_(std::make_shared<AccessibleItems*>(&items)), pending_(std::make_shared<std::deque<int>>()) {
  items.reach_ = items_;
}

AccessibleWindow::~AccessibleWindow() { *items_ = nullptr; }

ComRef<IAccessible> AccessibleWindow::Object() const {
  ComRef<IAccessible> standard;
  if (FAILED(lazy::CreateStdAccessibleObject(hwnd_, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(standard.put()))) ||
      !standard) {
    return {};
  }
  auto object = std::make_unique<ClientObject>(hwnd_, items_, pending_, std::move(standard));
  return ComRef<IAccessible>(object.release());  // its first reference
}

std::optional<LRESULT> AccessibleWindow::Route(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (message == ActionMessage()) {
    if (pending_->empty()) return 0;  // sent by someone else, or already run
    const int index = pending_->front();
    pending_->pop_front();
    // The items may have changed since the client asked, and a modal window may have disabled
    // this one since: a click would not reach it then either.
    AccessibleItems* items = *items_;
    if (items != nullptr && index >= 0 && index < items->ItemCount() && IsWindowEnabled(hwnd_) != FALSE) {
      items->DoDefaultAction(index);
    }
    return 0;
  }
  if (message != WM_GETOBJECT || static_cast<LONG>(lParam) != OBJID_CLIENT) return std::nullopt;
  // Marshalling the object to another process needs the thread in an apartment.
  StayInApartment();
  const ComRef<IAccessible> object = Object();
  if (!object) return std::nullopt;
  return lazy::LresultFromObject(__uuidof(IAccessible), wParam, object.get());
}

void AccessibleWindow::ValueChanged(int index) const {
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, index + 1);
}

void AccessibleWindow::NameChanged(int index) const {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd_, OBJID_CLIENT, index + 1);
}

void AccessibleWindow::StateChanged() const {
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

AccessibleItem WindowlessButtons::Item(int index) const {
  const Button& button = buttons_[static_cast<std::size_t>(index)];
  AccessibleItem item;
  item.role = ROLE_SYSTEM_PUSHBUTTON;
  item.name = button.name;
  item.bounds = button.control->Bounds();
  item.visible = button.control->Visible();
  item.defaultAction = kPressAction;
  return item;
}

void WindowlessButtons::DoDefaultAction(int index) {
  if (index < 0 || index >= ItemCount()) return;
  const Button& button = buttons_[static_cast<std::size_t>(index)];
  if (button.control->Visible() && button.control->onClick) button.control->onClick();
}

namespace {

// A child window's name and the object that tells it, kept by the window's subclass.
class NamedWindow final : public AccessibleItems {
 public:
  NamedWindow(HWND hwnd, std::wstring name) : name_(std::move(name)), window_(hwnd, *this) {}
  int ItemCount() const override { return 0; }
  AccessibleItem Item(int) const override { return {}; }
  void DoDefaultAction(int) override {}
  std::wstring OwnName() const override { return name_; }
  const AccessibleWindow& Window() const { return window_; }

 private:
  std::wstring name_;
  AccessibleWindow window_;
};

constexpr UINT_PTR kNameSubclassId = 0x4E414D45;

LRESULT CALLBACK NamedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* named = reinterpret_cast<NamedWindow*>(data);
  if (message == WM_GETOBJECT) {
    if (const auto answer = named->Window().Route(message, wParam, lParam)) return *answer;
  } else if (message == WM_NCDESTROY) {
    lazy::RemoveWindowSubclass(hwnd, &NamedWindowProc, kNameSubclassId);
    // Taken back from the subclass, which held it since NameForScreenReaders.
    std::unique_ptr<NamedWindow> owned(named);
  }
  return lazy::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void NameForScreenReaders(HWND control, std::wstring name) {
  auto named = std::make_unique<NamedWindow>(control, std::move(name));
  if (lazy::SetWindowSubclass(control, &NamedWindowProc, kNameSubclassId, reinterpret_cast<DWORD_PTR>(named.get()))) {
    named.release();  // the subclass owns it until the window goes
  }
}

std::wstring NameFromCaption(std::wstring caption) {
  while (!caption.empty() && (caption.back() == L':' || caption.back() == L' ')) caption.pop_back();
  return caption;
}

ComRef<IAccessible> NamedWindowObject(HWND control) {
  DWORD_PTR data = 0;
  if (!lazy::GetWindowSubclass(control, &NamedWindowProc, kNameSubclassId, &data) || data == 0) return {};
  return reinterpret_cast<const NamedWindow*>(data)->Window().Object();
}

}  // namespace wolumetr::win
