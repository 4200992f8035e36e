#pragma once
#include "settings/settings_store.h"

namespace wolumetr::win {

// Settings files on disk. Replace writes a temporary file beside the target, flushes it and
// moves it over the target in one step, so the old file survives any failure intact.
class FileSettingsStore final : public SettingsStore {
 public:
  std::optional<std::string> Load(const std::string& path) override;
  void Replace(const std::string& path, const std::string& content) override;
};

}  // namespace wolumetr::win
