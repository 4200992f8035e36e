#pragma once
#include <windows.h>

#include <string>

#include "settings/settings_store.h"

namespace wolumetr::win {

// The system calls a save makes, one at a time, so that a test can watch their order and fail
// any of them. Each method does the real thing.
class SaveFileCalls {
 public:
  SaveFileCalls() = default;
  virtual ~SaveFileCalls() = default;
  SaveFileCalls(const SaveFileCalls&) = delete;
  SaveFileCalls& operator=(const SaveFileCalls&) = delete;

  // A new, empty file for writing, shared with nobody; INVALID_HANDLE_VALUE when it cannot be made.
  virtual HANDLE CreateTemporary(const std::wstring& path);
  virtual bool Write(HANDLE file, const char* data, DWORD size, DWORD& written);
  virtual bool Flush(HANDLE file);
  virtual void Close(HANDLE file);
  // Moves `from` over `to` and through to the disk; ERROR_SUCCESS or the system's error.
  virtual DWORD Move(const std::wstring& from, const std::wstring& to);
  virtual void Delete(const std::wstring& path);

  static SaveFileCalls& Real();
};

// Settings files on disk. Replace writes a temporary file beside the target, flushes it and
// moves it over the target in one step, so the old file survives any failure intact.
class FileSettingsStore final : public SettingsStore {
 public:
  explicit FileSettingsStore(SaveFileCalls& calls = SaveFileCalls::Real()) : calls_(calls) {}
  std::optional<std::string> Load(const std::string& path) override;
  void Replace(const std::string& path, const std::string& content) override;

 private:
  SaveFileCalls& calls_;
};

}  // namespace wolumetr::win
