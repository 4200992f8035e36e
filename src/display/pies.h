#pragma once
// The pie gauge: a windowless control drawing one filled elliptical wedge between two angles
// (whole degrees, counterclockwise from 3 o'clock), and the angle pair it owns.
#include <windows.h>

#include <functional>

#include "win/colour_ref.h"
#include "win/graphic_control.h"
#include "win/handles.h"

namespace wolumetr {

class TAngles {
 public:
  int StartAngle() const { return start_; }
  int EndAngle() const { return end_; }
  // Each setter notifies only when the value really changes.
  void SetStart(int value);
  void SetEnd(int value);
  // Copies both angles through the setters: zero, one or two notifications.
  void Assign(const TAngles& source);

  std::function<void(TAngles&)> OnChange;

 private:
  void Changed();
  int start_ = 0;
  int end_ = 0;
};

struct PenStyle {
  COLORREF color = win::ColorRef(colours::kBlack);
  int width = 1;
  int style = PS_SOLID;
  int mode = R2_COPYPEN;
  bool operator==(const PenStyle&) const = default;
};

struct BrushStyle {
  COLORREF color = win::ColorRef(colours::kWhite);
  UINT style = BS_SOLID;  // BS_SOLID or BS_HOLLOW
  bool operator==(const BrushStyle&) const = default;
};

class TPie final : public win::GraphicControl {
 public:
  explicit TPie(win::Surface& owner);

  const TAngles& Angles() const { return angles_; }
  TAngles& Angles() { return angles_; }
  // Copies the angles and repaints even when nothing changed.
  void SetAngles(const TAngles& angles);

  const PenStyle& Pen() const { return pen_; }
  const BrushStyle& Brush() const { return brush_; }
  // Copies the attributes; a copy that changes nothing repaints nothing.
  void SetPen(const PenStyle& pen);
  void SetBrush(const BrushStyle& brush);

  void Paint(HDC dc) const override;

 private:
  TAngles angles_;
  PenStyle pen_;
  BrushStyle brush_;
  mutable win::PenHandle penHandle_;
  mutable win::BrushHandle brushHandle_;
};

}  // namespace wolumetr
