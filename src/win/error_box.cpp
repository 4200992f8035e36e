#include "win/error_box.h"

#include <exception>

#include "win/application.h"
#include "win/error_message.h"
#include "win/text.h"

namespace wolumetr::win {

void ReportError(const std::string& message) {
  const std::string text = ErrorBoxText(message);
  Application& app = Application::Instance();
  HWND owner = GetActiveWindow();
  if (owner == nullptr) owner = app.TaskbarWindow();
  app.System().ShowMessageBox(owner, Widen(text), app.Title(), kErrorBoxFlags);
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
