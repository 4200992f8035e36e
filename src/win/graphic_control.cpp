#include "win/graphic_control.h"

#include <algorithm>

#include "win/handles.h"

namespace wolumetr::win {

void Surface::Add(GraphicControl& control) { controls_.push_back(&control); }

void Surface::Remove(GraphicControl& control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

void Surface::SendToBack(GraphicControl& control) {
  auto it = std::find(controls_.begin(), controls_.end(), &control);
  if (it == controls_.end() || it == controls_.begin()) return;
  controls_.erase(it);
  controls_.insert(controls_.begin(), &control);
  control.Invalidate();
}

void Surface::Invalidate(const RECT& rect) {
  if (hwnd_ != nullptr && rect.right > rect.left && rect.bottom > rect.top) {
    InvalidateRect(hwnd_, &rect, FALSE);
  }
}

void Surface::PaintControls(HDC dc, const RECT& clip) const {
  // The caller's DC state is saved once for the whole pass; between controls only the clip is
  // put back. Saving the DC around every control copied its whole state a hundred times per
  // paint of the main window, which cost more than drawing its 18 pies.
  const int saved = SaveDC(dc);
  GdiObject<HRGN> callerClip(CreateRectRgn(0, 0, 0, 0));
  const bool clipped = callerClip && GetClipRgn(dc, callerClip.get()) == 1;
  for (const GraphicControl* c : controls_) {
    RECT overlap;
    if (!c->Visible() || !IntersectRect(&overlap, &c->Bounds(), &clip)) continue;
    IntersectClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
    c->Paint(dc);
    SelectClipRgn(dc, clipped ? callerClip.get() : nullptr);
  }
  RestoreDC(dc, saved);
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
