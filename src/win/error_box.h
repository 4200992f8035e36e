#pragma once
#include <functional>
#include <string>

namespace wolumetr::win {

// Shows an exception's message the way the program reports every failure: an error box
// captioned with the application title. Tests swap the box for a recorder.
void ReportError(const std::string& message);

using ErrorReporter = std::function<void(const std::string& boxText)>;
// Returns the previous reporter; an empty reporter restores the message box.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

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
