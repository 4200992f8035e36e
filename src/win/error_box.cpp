#include "win/error_box.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "win/error_message.h"
#include "win/system_seam.h"
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

std::function<ErrorBoxSite()>& BoundarySite() {
  static std::function<ErrorBoxSite()> site;
  return site;
}

}  // namespace

void ReportError(const ErrorBoxSite& site, const std::string& message, UINT extraFlags) {
  const std::string text = ErrorBoxText(message);
  const std::vector<std::string>& shown = ShownTexts();
  if (std::find(shown.begin(), shown.end(), text) != shown.end()) return;
  const ShownTextScope up(text);
  HWND owner = GetActiveWindow();
  if (owner == nullptr) owner = site.owner;
  if (site.system != nullptr) {
    site.system->ShowMessageBox(owner, Widen(text), site.title, kErrorBoxFlags | extraFlags);
  } else {
    MessageBoxW(owner, Widen(text).c_str(), site.title.c_str(), kErrorBoxFlags | extraFlags);
  }
}

void SetBoundarySite(std::function<ErrorBoxSite()> site) { BoundarySite() = std::move(site); }

void ReportError(const std::string& message, UINT extraFlags) {
  const auto& site = BoundarySite();
  ReportError(site ? site() : ErrorBoxSite{}, message, extraFlags);
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
