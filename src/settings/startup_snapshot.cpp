#include "settings/startup_snapshot.h"

namespace wolumetr {

bool StartupSnapshot::Take(const std::string& path, const std::function<bool()>& retry) {
  for (;;) {
    try {
      content_ = files_.Load(path);
      break;
    } catch (const SettingsReadError&) {
      if (!retry()) return false;
    }
  }
  path_ = path;
  held_ = true;
  return true;
}

std::optional<std::string> StartupSnapshot::Load(const std::string& path) {
  if (held_ && path == path_) return content_;
  return files_.Load(path);
}

void StartupSnapshot::Replace(const std::string& path, const std::string& content) {
  files_.Replace(path, content);
  if (held_ && path == path_) content_ = content;
}

}  // namespace wolumetr
