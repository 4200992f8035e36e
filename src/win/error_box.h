#pragma once
#include <windows.h>

#include <string>

namespace wolumetr::win {

// The error box's buttons and icon: what tells it apart from the program's other boxes.
inline constexpr UINT kErrorBoxFlags = MB_OK | MB_ICONERROR | MB_TASKMODAL;
// Added for failures the user did not just cause (start-up, the shell's restart): the box comes
// to the foreground rather than wait unseen behind whatever the user is doing.
inline constexpr UINT kUnpromptedBox = MB_SETFOREGROUND;

// Shows an exception's message the way the program reports every failure: an error box
// captioned with the application title, shown through the application's system seam.
// While a box for a message is up, the same message raises no second box.
void ReportError(const std::string& message, UINT extraFlags = 0);

// Runs a handler body at a boundary where exceptions must stop (window procedures, the
// entry point), reporting what escapes. Returns false when something was reported.
template <class F>
bool Guarded(F&& body, UINT extraFlags = 0) noexcept;

void ReportCurrentException(UINT extraFlags = 0) noexcept;

template <class F>
bool Guarded(F&& body, UINT extraFlags) noexcept {
  try {
    body();
    return true;
  } catch (...) {
    ReportCurrentException(extraFlags);
    return false;
  }
}

}  // namespace wolumetr::win
