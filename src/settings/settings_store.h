#pragma once
#include <optional>
#include <stdexcept>
#include <string>

namespace wolumetr {

// Raised when the settings file cannot be replaced; the message is what the
// error box shows.
class SettingsWriteError : public std::runtime_error {
 public:
  explicit SettingsWriteError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}
};

// Where settings files live; the Windows layer implements it with real files.
// A settings file that exists but cannot be read (locked, no permission). Reading then
// yields the defaults, and writing refuses: the program's keys alone must never replace a
// file whose other lines it could not see.
class SettingsReadError : public std::runtime_error {
 public:
  explicit SettingsReadError(const std::string& path) : std::runtime_error("Unable to read " + path) {}
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // nullopt: missing or unreadable.
  virtual std::optional<std::string> Load(const std::string& path) = 0;
  // Replaces the whole file at once, or leaves it as it was and throws SettingsWriteError.
  virtual void Replace(const std::string& path, const std::string& content) = 0;
};

}  // namespace wolumetr
