#include "win/graphic_control.h"

#include <algorithm>

#include "win/handles.h"

namespace wolumetr::win {

void Surface::Add(GraphicControl& control) { controls_.push_back(&control); }

void Surface::Remove(GraphicControl& control) { std::erase(controls_, &control); }

void Surface::SendToBack(GraphicControl& control) {
  auto it = std::find(controls_.begin(), controls_.end(), &control);
  if (it == controls_.end() || it == controls_.begin()) return;
  controls_.erase(it);
  controls_.insert(controls_.begin(), &control);
  control.Invalidate();
}

void Surface::Invalidate(const RECT& rect) {
  if (hwnd_ == nullptr || rect.right <= rect.left || rect.bottom <= rect.top) return;
  // A hidden window is painted whole when it shows. Building a window's controls used to
  // ask the window system for hundreds of small updates before it was ever seen.
  if ((GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) == 0) return;
  InvalidateRect(hwnd_, &rect, FALSE);
}

void Surface::PaintControls(HDC dc, const RECT& clip) const {
  // The caller's DC state is saved once for the whole pass. Each control keeps inside its own
  // bounds (see Paint), so none needs a clip region of its own, which meant two more calls
  // for each of the main window's hundred controls at every paint.
  SavedDcState saved(dc);
  for (const GraphicControl* c : controls_) {
    RECT overlap;
    if (c->Visible() && IntersectRect(&overlap, &c->Bounds(), &clip)) c->Paint(dc);
  }
}

GraphicControl* Surface::ControlAt(POINT client) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if ((*it)->Visible() && PtInRect(&(*it)->Bounds(), client)) return *it;
  }
  return nullptr;
}

void Surface::SetCursorAtPointer() const {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd_, &p);
  const GraphicControl* c = ControlAt(p);
  SetCursor(LoadCursorW(nullptr, c != nullptr && c->handCursor ? IDC_HAND : IDC_ARROW));
}

GraphicControl::GraphicControl(Surface& parent) : parent_(parent) { parent_.Add(*this); }

GraphicControl::~GraphicControl() {
  Invalidate();
  parent_.Remove(*this);
}

void GraphicControl::SetBounds(int left, int top, int width, int height) {
  const RECT next{left, top, left + width, top + height};
  if (EqualRect(&next, &bounds_)) return;
  Invalidate();
  bounds_ = next;
  Invalidate();
}

void GraphicControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  parent_.Invalidate(bounds_);
}

void GraphicControl::Invalidate() const {
  if (visible_) parent_.Invalidate(bounds_);
}

}  // namespace wolumetr::win
