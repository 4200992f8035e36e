#include "display/pies.h"

#include <utility>

#include "display/pie_points.h"

namespace wolumetr {

void TAngles::SetStart(int value) {
  if (std::exchange(start_, value) != value) Changed();
}

void TAngles::SetEnd(int value) {
  if (std::exchange(end_, value) != value) Changed();
}

void TAngles::Assign(const TAngles& source) {
  SetStart(source.StartAngle());
  SetEnd(source.EndAngle());
}

void TAngles::Changed() {
  if (OnChange) OnChange(*this);
}

TPie::TPie(win::Surface& owner) : GraphicControl(owner) {
  SetSize(100, 100);
  // Pen, brush and angles alike: a change asks for a repaint of the pie.
  angles_.OnChange = [this](TAngles&) { Invalidate(); };
  angles_.SetStart(180);
  angles_.SetEnd(90);
}

void TPie::SetAngles(const TAngles& angles) {
  angles_.Assign(angles);
  Invalidate();
}

void TPie::SetPen(const PenStyle& pen) {
  if (std::exchange(pen_, pen) == pen) return;
  penHandle_.reset();
  Invalidate();
}

void TPie::SetBrush(const BrushStyle& brush) {
  if (std::exchange(brush_, brush) == brush) return;
  brushHandle_.reset();
  Invalidate();
}

void TPie::Paint(HDC dc) const {
  if (!penHandle_) penHandle_.reset(CreatePen(pen_.style, pen_.width, pen_.color));
  if (!brushHandle_) {
    const LOGBRUSH lb{brush_.style, brush_.color, 0};
    brushHandle_.reset(CreateBrushIndirect(&lb));
  }
  const PieCall call = ComputePieCall(Width(), Height(), angles_.StartAngle(), angles_.EndAngle());
  // Left selected, like a label's font: the surface restores the DC after its pass (Paint
  // is only called from there), so putting the old ones back after each pie is wasted.
  SelectObject(dc, penHandle_.get());
  SelectObject(dc, brushHandle_.get());
  const int oldMode = pen_.mode != R2_COPYPEN ? SetROP2(dc, pen_.mode) : 0;
  const int x = Left();
  const int y = Top();
  Pie(dc, x + call.left, y + call.top, x + call.right, y + call.bottom, x + call.first.x, y + call.first.y,
      x + call.second.x, y + call.second.y);
  if (oldMode != 0) SetROP2(dc, oldMode);
}

}  // namespace wolumetr
