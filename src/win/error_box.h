#pragma once
#include <windows.h>

#include <string>

namespace wolumetr::win {

// The error box's buttons and icon: what tells it apart from the program's other boxes.
inline constexpr UINT kErrorBoxFlags = MB_OK | MB_ICONERROR | MB_TASKMODAL;

// Shows an exception's message the way the program reports every failure: an error box
// captioned with the application title, shown through the application's system seam.
void ReportError(const std::string& message);

// Runs a handler body at a boundary where exceptions must stop (window procedures, the
// entry point), reporting what escapes. Returns false when something was reported.
template <class F>
bool Guarded(F&& body) noexcept;

void ReportCurrentException() noexcept;

template <class F>
bool Guarded(F&& body) noexcept {
  try {
    body();
    return true;
  } catch (...) {
    ReportCurrentException();
    return false;
  }
}

}  // namespace wolumetr::win
