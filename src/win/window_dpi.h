#pragma once
// The scale a window is drawn at. Every length of the program's design is made at 96 dots
// per inch and scaled to this with ScaleToDpi.
#include <windows.h>

namespace wolumetr::win {

// The DPI of the monitor the window is on (per-monitor aware), or the system's DPI where
// the window has no DPI of its own (a null or destroyed handle, an unaware process).
int WindowDpi(HWND hwnd);
// The system's DPI: the scale of the primary monitor when the program started.
int SystemDpi();

}  // namespace wolumetr::win
