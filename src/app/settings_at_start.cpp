#include "app/settings_at_start.h"

#include "win/text.h"

namespace wolumetr {

bool ReadSettingsAtStart(StartupSnapshot& snapshot, const std::string& path, win::SystemSeam& system,
                         const std::wstring& title) {
  std::wstring text = kUnreadableSettingsText;
  text.replace(text.find(L"%s"), 2, win::Widen(path));
  return snapshot.Take(path, [&] {
    return system.ShowMessageBox(nullptr, text, title, MB_RETRYCANCEL | MB_ICONWARNING | MB_SETFOREGROUND) == IDRETRY;
  });
}

}  // namespace wolumetr
