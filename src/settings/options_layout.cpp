#include "settings/options_layout.h"

#include "common/dpi.h"

namespace wolumetr {

Size OptionsWindowSize(int dpi) { return ScaleToDpi(kOptionsSize, dpi); }

Rect ScaledPlace(const Rect& design, int dpi) {
  const Point place = ScaleToDpi(Point{design.left, design.top}, dpi);
  const Size size = ScaleToDpi(Size{design.right - design.left, design.bottom - design.top}, dpi);
  return Rect{place.x, place.y, place.x + size.width, place.y + size.height};
}

}  // namespace wolumetr
