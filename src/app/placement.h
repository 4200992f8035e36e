#pragma once
#include <vector>

#include "common/geometry.h"

namespace wolumetr {

// The nine positions of the "Wyrównaj do" submenu, in menu order: the menu and PlaceWindow count on it.
enum class Placement {
  LeftTop,
  LeftMiddle,
  LeftBottom,
  MiddleTop,
  Centre,
  MiddleBottom,
  RightTop,
  RightMiddle,
  RightBottom,
};

// Left and top of a window of the given size snapped to a placement on the
// work area. Edges are flush with the work area's, centring halves the work
// area and the window separately (1280/2 - 259/2 = 511). A window larger
// than the work area gets negative offsets; nothing is clamped. An unknown
// placement leaves the window at `current`.
Point PlaceWindow(Placement placement, Rect workArea, Size window, Point current);

// Start-up position when none is remembered: centred on the work area.
Point CentreOnWorkArea(Rect workArea, Size window);

// New window position while dragging: the point pressed (`anchor`, client
// coordinates) stays under the cursor (`cursorClient`, client coordinates).
Point DragMove(Point windowPos, Point anchor, Point cursorClient);

// Whether a window at `pos` shows at least 32 x 32 pixels (all of a smaller
// window) on one of the monitors: enough to see it and grab it. A window
// that fails this (a remembered place on a monitor that is gone) would be
// out of reach.
inline constexpr int kMinVisiblePixels = 32;
bool IsPositionVisible(Point pos, Size window, const std::vector<Rect>& monitors);

}  // namespace wolumetr
