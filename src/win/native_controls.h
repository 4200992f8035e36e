#pragma once
// The system's own controls a window uses (check box, number field, spinner, drop list), each
// an owner of its child window. The panel window hands each the notifications that name it
// (WM_COMMAND, WM_VSCROLL, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM), so a control answers for
// itself: its callbacks, its colours, its drawing.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/geometry.h"
#include "win/handles.h"

namespace wolumetr::win {

class NativeControl;

// The text colour and the background a control is drawn in; no text colour keeps the system's.
struct ControlColours {
  std::optional<COLORREF> text;
  COLORREF back = 0;
};

// Colours and the brush a WM_CTLCOLOR* answer hands out.
class ColourAnswer {
 public:
  // True when they changed.
  bool Set(const ControlColours& colours);
  // Nothing while no colours were set: the system's.
  std::optional<LRESULT> Answer(HDC dc) const;

 private:
  std::optional<ControlColours> colours_;
  BrushHandle brush_;
};

// The controls of one window, which that window reflects its children's notifications to.
class ControlSet {
 public:
  ControlSet() = default;
  ControlSet(const ControlSet&) = delete;
  ControlSet& operator=(const ControlSet&) = delete;

  // The control named by the message answers it; nullopt for a message naming none of them.
  std::optional<LRESULT> Reflect(UINT message, WPARAM wParam, LPARAM lParam) const;

 private:
  friend class NativeControl;
  NativeControl* Find(auto matches) const;
  std::vector<NativeControl*> controls_;
};

class NativeControl {
 public:
  // Silent from here: the callbacks are dropped before the child window is destroyed.
  virtual ~NativeControl();
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  // Creates the child window of `parent`, whose notifications `set` reflects, at `place`.
  void Create(HWND parent, ControlSet& set, int id, const Rect& place);
  // What the user does with the control (clicks a box, turns a spinner, picks from a list,
  // leaves a field or presses Enter in it) runs `action`.
  virtual void SetAction(std::function<void()> action) = 0;

  HWND Handle() const { return hwnd_.get(); }
  // Place in the parent's client area; the font it draws its text in.
  void SetPlace(const Rect& place);
  void SetFont(HFONT font);
  void SetEnabled(bool enabled);
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  // Drawn in `colours` from now on; repainted when they changed.
  void SetColours(const ControlColours& colours);

  bool tabStop = true;  // before Create: whether Tab reaches the control

  // The focus came to the control; it left for another control of the same window (not for
  // another program), run once the focus has settled there.
  std::function<void()> onEnter;
  std::function<void()> onLeave;

 protected:
  // The class of the control's window and its style beyond WS_CHILD | WS_VISIBLE.
  NativeControl(const wchar_t* className, DWORD style) : className_(className), style_(style) {}
  virtual DWORD Style() const { return style_; }
  // A notification naming the control, reflected by its window: WM_COMMAND, WM_VSCROLL,
  // WM_HSCROLL, WM_CTLCOLOR* (from the control or a window of its own, such as a drop list's
  // list), WM_MEASUREITEM or WM_DRAWITEM. The base answers the colours set for WM_CTLCOLOREDIT
  // and WM_CTLCOLORSTATIC.
  virtual std::optional<LRESULT> Reflected(UINT message, WPARAM wParam, LPARAM lParam);
  // The control's own window messages, before the system's; nullopt passes them on.
  virtual std::optional<LRESULT> OwnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return std::nullopt;
  }
  // Whether `part` belongs to the control.
  virtual bool Owns(HWND part) const { return part != nullptr && part == Handle(); }

 private:
  friend class ControlSet;
  static LRESULT CALLBACK Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  void Forget();

  const wchar_t* className_;
  DWORD style_;
  ChildWindow hwnd_;
  ControlSet* set_ = nullptr;
  int id_ = 0;
  ColourAnswer colours_;
};

class CheckBox final : public NativeControl {
 public:
  CheckBox();
  void SetAction(std::function<void()> action) override { onClick = std::move(action); }
  bool Checked() const;
  void SetChecked(bool checked);
  std::function<void()> onClick;

 private:
  std::optional<LRESULT> Reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A field for a number: Enter belongs to it (onReturn), not to the window's dialog keys.
class NumberField final : public NativeControl {
 public:
  NumberField();
  void SetAction(std::function<void()> action) override {
    onReturn = action;
    onLeave = std::move(action);
  }
  void SetLimit(int characters);
  std::function<void()> onReturn;

 private:
  std::optional<LRESULT> Reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// An up-down control that the arrow keys turn; onChange when the user moved it.
class Spinner final : public NativeControl {
 public:
  Spinner();
  void SetAction(std::function<void()> action) override { onChange = std::move(action); }
  int Position() const;
  void SetPosition(int position);
  void SetRange(int low, int high);
  std::function<void()> onChange;

 private:
  std::optional<LRESULT> Reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A drop-down list, made at a place that includes the list dropped down below the field.
// Owner-drawn, every item is `itemHeight` high and drawn by onDrawItem.
class DropList final : public NativeControl {
 public:
  DropList();
  void SetAction(std::function<void()> action) override { onChange = std::move(action); }
  void Clear();
  void Add(const std::wstring& item);
  int Count() const;
  // The selected item, or -1. Selecting from code is no pick of the user's: no onChange follows.
  int Selected() const;
  void Select(int index);
  void ShowList(bool shown);
  // The height of the field (part -1) or of the items (part 0).
  int ItemHeight(int part) const;
  void SetItemHeight(int part, int height);
  void SetVisibleItems(int count);
  // The colours answering WM_CTLCOLORLISTBOX: the list's, and the field's of a list that draws
  // its field as a list item (as Wine's does).
  void SetListColours(const ControlColours& colours);

  std::function<void()> onChange;
  std::function<void()> onCloseUp;
  std::function<void(const DRAWITEMSTRUCT& item)> onDrawItem;
  bool ownerDrawn = false;  // before Create
  int itemHeight = 0;       // for an owner-drawn list, as measured when it is made

 private:
  std::optional<LRESULT> Reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
  DWORD Style() const override;
  bool Owns(HWND part) const override;
  HWND List() const;

  ColourAnswer listColours_;
};

}  // namespace wolumetr::win
