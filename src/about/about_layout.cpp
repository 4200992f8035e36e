#include "about/about_layout.h"

#include <algorithm>

namespace wolumetr {

Size AboutClientSize(int dpi) { return ScaleToDpi(kAboutClientSize, dpi); }

int CentredLabelLeft(int width, int dpi) { return AboutClientSize(dpi).width / 2 - width / 2; }

Point AboutWindowPlace(Rect virtualScreen, Size window) {
  // Division truncates toward zero, so a window wider than the screen would start off it.
  const int left = virtualScreen.left + (virtualScreen.right - virtualScreen.left - window.width) / 2;
  const int top = virtualScreen.top + (virtualScreen.bottom - virtualScreen.top - window.height) / 2;
  return Point{std::max(left, virtualScreen.left), std::max(top, virtualScreen.top)};
}

}  // namespace wolumetr
