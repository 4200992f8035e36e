#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace wolumetr::win {

class SystemSeam;

// Where an error box shows: through which seam, under which caption, and owned by which window
// when no window of the program is active.
struct ErrorBoxSite {
  SystemSeam* system = nullptr;  // nullptr: the system's own message box
  std::wstring title;
  HWND owner = nullptr;
};

// The error box's buttons and icon: what tells it apart from the program's other boxes.
inline constexpr UINT kErrorBoxFlags = MB_OK | MB_ICONERROR | MB_TASKMODAL;
// Added for failures the user did not just cause (start-up, the shell's restart): the box comes
// to the foreground rather than wait unseen behind whatever the user is doing.
inline constexpr UINT kUnpromptedBox = MB_SETFOREGROUND;

// Shows an exception's message the way the program reports every failure: an error box
// captioned with the program's title, shown at `site`. While a box for a message is up, the same
// message raises no second box.
void ReportError(const ErrorBoxSite& site, const std::string& message, UINT extraFlags = 0);
// Where failures stopped at an exception boundary (Guarded) are shown: the program sets it once,
// with its seam and title. Unset, they go to the system's own box.
void SetBoundarySite(std::function<ErrorBoxSite()> site);
// Shows `message` at the boundary's site.
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
