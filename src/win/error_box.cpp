#include "win/error_box.h"

#include <windows.h>

#include <exception>

#include "win/application.h"
#include "win/error_message.h"
#include "win/text.h"

namespace wolumetr::win {
namespace {

ErrorReporter& Reporter() {
  static ErrorReporter reporter;
  return reporter;
}

}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
  ErrorReporter previous = std::move(Reporter());
  Reporter() = std::move(reporter);
  return previous;
}

void ReportError(const std::string& message) {
  const std::string text = ErrorBoxText(message);
  if (Reporter()) {
    Reporter()(text);
    return;
  }
  Application& app = Application::Instance();
  HWND owner = GetActiveWindow();
  if (owner == nullptr) owner = app.TaskbarWindow();
  MessageBoxW(owner, Widen(text).c_str(), app.Title().c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void ReportCurrentException() noexcept {
  try {
    try {
      throw;
    } catch (const std::exception& e) {
      ReportError(e.what());
    } catch (...) {
      // Something that is not an exception: shown as one with an empty message.
      ReportError(std::string());
    }
  } catch (...) {
    // Reporting itself failed (out of memory): nothing more can be done here.
  }
}

}  // namespace wolumetr::win
