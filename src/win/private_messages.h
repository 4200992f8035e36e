#pragma once
// The program's own messages between its threads and windows, in one place so that no two
// share a number.
#include <windows.h>

namespace wolumetr::win {

// The tray icon's callback from the shell.
inline constexpr UINT kTrayMessage = WM_APP + 1;
// The drive worker has answers waiting to be taken.
inline constexpr UINT kDriveAnswersMessage = WM_APP + 2;
// The gathering of the drives' icons and labels has every answer.
inline constexpr UINT kDriveLooksMessage = WM_APP + 3;
// A control was left for another one of its window (wParam: the control's id); posted, so that
// the focus has settled when the control hears of it.
inline constexpr UINT kControlLeftMessage = WM_APP + 4;

}  // namespace wolumetr::win
