#include "memory_settings_store.h"

namespace wolumetr {

std::optional<std::string> MemorySettingsStore::Load(const std::string& path) {
  if (fail_reads_ && files_.count(path) != 0) throw SettingsReadError(path);
  ++load_count_;
  return Content(path);
}

void MemorySettingsStore::Replace(const std::string& path, const std::string& content) {
  if (fail_writes_) throw SettingsWriteError(path);
  files_[path] = content;
  ++replace_count_;
}

void MemorySettingsStore::Put(const std::string& path, const std::string& content) { files_[path] = content; }

std::optional<std::string> MemorySettingsStore::Content(const std::string& path) const {
  const auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

}  // namespace wolumetr
