#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/ini_document.h"
#include "settings/settings_store.h"
#include "settings/text_encoding.h"

namespace wolumetr {

// The accessor of one settings file for one operation. The file is loaded on
// first use, so the operation's reads see one snapshot plus its own writes;
// writes only edit that copy, and Commit puts them on disk in one atomic
// replacement. An operation that ends without Commit (an error, an early
// return) leaves the file as it was: nothing is written on destruction.
class SettingsFile {
 public:
  SettingsFile(SettingsStore& store, std::string path);  // touches nothing yet

  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  // The stored value, or `default_value` when the file, section or key is absent.
  std::string ReadText(std::string_view section, std::string_view key, std::string_view default_value);
  // The stored value read as a number, or `default_value` when absent or not a number.
  std::int32_t ReadNumber(std::string_view section, std::string_view key, std::int32_t default_value);
  // A stored number other than 0 is true; absent or not a number gives `default_value`.
  bool ReadFlag(std::string_view section, std::string_view key, bool default_value);

  void WriteText(std::string_view section, std::string_view key, std::string_view value);
  void WriteNumber(std::string_view section, std::string_view key, std::int32_t value);
  void WriteFlag(std::string_view section, std::string_view key, bool value);  // "1" or "0"
  void RemoveKey(std::string_view section, std::string_view key);              // never fails

  // Writes the file once if anything changed since it was loaded (or last
  // committed). Throws SettingsWriteError("Unable to write to <path>") and
  // leaves the file untouched when it cannot be written.
  void Commit();

 private:
  IniDocument& Document();

  SettingsStore& store_;
  std::string path_;
  bool loaded_ = false;
  std::optional<std::string> on_disk_;  // content as loaded or last committed
  IniDocument document_;
  TextEncoding encoding_ = TextEncoding::Utf8;  // written back as it came
  std::string tail_;
  bool changed_ = false;
  bool unreadable_ = false;  // the file exists but could not be read
};

}  // namespace wolumetr
