#include "win/error_box.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "win/application.h"
#include "win/error_message.h"
#include "win/text.h"

namespace wolumetr::win {
namespace {

// The texts of the boxes that are up now: a box's own message loop runs the program's handlers,
// and a failure that repeats there (a timer, a second click) must not pile boxes on the first.
std::vector<std::string>& ShownTexts() {
  static std::vector<std::string> texts;
  return texts;
}

class ShownTextScope {
 public:
  explicit ShownTextScope(const std::string& text) { ShownTexts().push_back(text); }
  ~ShownTextScope() { ShownTexts().pop_back(); }
  ShownTextScope(const ShownTextScope&) = delete;
  ShownTextScope& operator=(const ShownTextScope&) = delete;
};

}  // namespace

void ReportError(const std::string& message, UINT extraFlags) {
  const std::string text = ErrorBoxText(message);
  const std::vector<std::string>& shown = ShownTexts();
  if (std::find(shown.begin(), shown.end(), text) != shown.end()) return;
  const ShownTextScope up(text);
  Application& app = Application::Instance();
  HWND owner = GetActiveWindow();
  if (owner == nullptr) owner = app.TaskbarWindow();
  app.System().ShowMessageBox(owner, Widen(text), app.Title(), kErrorBoxFlags | extraFlags);
}

void ReportCurrentException(UINT extraFlags) noexcept {
  try {
    try {
      throw;
    } catch (const std::exception& e) {
      ReportError(e.what(), extraFlags);
    } catch (...) {
      // Something that is not an exception: shown as one with an empty message.
      ReportError(std::string(), extraFlags);
    }
  } catch (...) {
    // Reporting itself failed (out of memory): nothing more can be done here.
  }
}

}  // namespace wolumetr::win
