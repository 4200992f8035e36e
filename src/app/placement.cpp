#include "app/placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace wolumetr {

namespace {

int ClampToInt(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Positions along one axis of the work area, in 64 bits so that extreme
// rectangles cannot overflow.
struct Axis {
  std::int64_t start;   // work-area left or top
  std::int64_t extent;  // work-area width or height
  std::int64_t window;  // window width or height

  int Near() const { return ClampToInt(start); }
  // Each half truncates toward zero on its own, as the centring always has.
  int Middle() const { return ClampToInt(start + (extent / 2 - window / 2)); }
  int Far() const { return ClampToInt(start + extent - window); }
  // 0, 1 or 2: the near edge, the middle or the far edge.
  int At(unsigned where) const { return where == 0 ? Near() : where == 1 ? Middle() : Far(); }
};

}  // namespace

Point PlaceWindow(Placement placement, Rect workArea, Size window, Point current) {
  // The placements come in threes, left to right, each three top to bottom.
  const auto index = static_cast<unsigned>(placement);
  if (index >= 9) return current;
  const Axis h{workArea.left, std::int64_t{workArea.right} - workArea.left, window.width};
  const Axis v{workArea.top, std::int64_t{workArea.bottom} - workArea.top, window.height};
  return {h.At(index / 3), v.At(index % 3)};
}

Point CentreOnWorkArea(Rect workArea, Size window) { return PlaceWindow(Placement::Centre, workArea, window, {}); }

Point DragMove(Point windowPos, Point anchor, Point cursorClient) {
  return {ClampToInt(std::int64_t{windowPos.x} + cursorClient.x - anchor.x),
          ClampToInt(std::int64_t{windowPos.y} + cursorClient.y - anchor.y)};
}

bool IsPositionVisible(Point pos, Size window, const std::vector<Rect>& monitors) {
  if (window.width <= 0 || window.height <= 0) {
    return false;
  }
  const std::int64_t left = pos.x;
  const std::int64_t top = pos.y;
  const std::int64_t right = left + window.width;
  const std::int64_t bottom = top + window.height;
  const std::int64_t needWidth = std::min(window.width, kMinVisiblePixels);
  const std::int64_t needHeight = std::min(window.height, kMinVisiblePixels);
  return std::any_of(monitors.begin(), monitors.end(), [&](const Rect& m) {
    const std::int64_t width = std::min<std::int64_t>(right, m.right) - std::max<std::int64_t>(left, m.left);
    const std::int64_t height = std::min<std::int64_t>(bottom, m.bottom) - std::max<std::int64_t>(top, m.top);
    return width >= needWidth && height >= needHeight;
  });
}

}  // namespace wolumetr
