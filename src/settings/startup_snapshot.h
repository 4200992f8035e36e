#pragma once
// The settings file read once for the whole start-up: the window's settings, its drive tiles,
// its first display mode and a start-up Drive selection window all see that one reading.
#include <functional>
#include <optional>
#include <string>

#include "settings/settings_store.h"

namespace wolumetr {

class StartupSnapshot final : public SettingsStore {
 public:
  explicit StartupSnapshot(SettingsStore& files) : files_(files) {}

  // Reads `path` once. A file that exists but cannot be read is offered to `retry`: true
  // reads again, false gives up and returns false, with nothing read and nothing written.
  bool Take(const std::string& path, const std::function<bool()>& retry);
  // The start-up is over: from now on every load reads the file as it is then.
  void Release() { held_ = false; }

  std::optional<std::string> Load(const std::string& path) override;
  // Writes through; what was written is the snapshot while it is held.
  void Replace(const std::string& path, const std::string& content) override;

 private:
  SettingsStore& files_;
  bool held_ = false;
  std::string path_;
  std::optional<std::string> content_;
};

}  // namespace wolumetr
