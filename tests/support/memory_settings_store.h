#pragma once
#include <map>
#include <optional>
#include <string>

#include "settings/settings_store.h"

namespace wolumetr {

// Where the tests keep their settings file: any path will do.
inline const std::string kTestSettingsPath = "C:\\Wolumetr\\wolumetr.ini";

// Settings files kept in memory, for tests. Replace can be made to fail, as
// on a read-only folder, and both calls are counted.
class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<std::string> Load(const std::string& path) override;
  void Replace(const std::string& path, const std::string& content) override;

  void Put(const std::string& path, const std::string& content);
  std::optional<std::string> Content(const std::string& path) const;

  void SetFailWrites(bool fail) { fail_writes_ = fail; }
  void SetFailReads(bool fail) { fail_reads_ = fail; }  // an existing file that cannot be read
  int load_count() const { return load_count_; }
  int replace_count() const { return replace_count_; }  // successful replacements only

 private:
  std::map<std::string, std::string> files_;
  bool fail_writes_ = false;
  bool fail_reads_ = false;
  int load_count_ = 0;
  int replace_count_ = 0;
};

}  // namespace wolumetr
