#include "win/window_dpi.h"

#include "common/dpi.h"
#include "win/handles.h"

namespace wolumetr::win {

int SystemDpi() {
  ScreenDc screen;
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
  return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND hwnd) {
  const UINT dpi = hwnd != nullptr ? GetDpiForWindow(hwnd) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

}  // namespace wolumetr::win
