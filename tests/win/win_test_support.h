#pragma once
// What the in-process Windows tests share: a throwaway program folder, drives a test
// controls, message pumping and a recorder for the error box.
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "display/drive_queries.h"
#include "drives/drive_selection_form.h"
#include "settings/file_settings_store.h"
#include "win/error_box.h"

namespace wolumetr::test {

// A new folder under the temp folder, with Polish letters in its name, removed at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }  // ends with a backslash
  std::wstring File(const std::wstring& name) const { return path_ + name; }
  void Write(const std::wstring& name, const std::string& bytes) const;
  std::optional<std::string> Read(const std::wstring& name) const;

 private:
  std::wstring path_;
};

// Drives by number with sizes the test sets; unknown drives fail like a missing disk.
class FakeDrives final : public DriveQueries {
 public:
  struct Drive {
    std::int64_t free = -1;
    std::int64_t total = -1;
    std::optional<std::string> volume;
  };
  std::map<std::uint8_t, Drive> drives;
  std::vector<std::string> calls;  // "free 3", "total 3", ... in call order

  std::int64_t FreeBytes(std::uint8_t driveNumber) override;
  std::int64_t TotalBytes(std::uint8_t driveNumber) override;
  std::optional<std::string> VolumeName(const std::string& rootPath) override;
};

// Collects what would have gone to the error box while it lives.
class ErrorRecorder {
 public:
  ErrorRecorder();
  ~ErrorRecorder();
  ErrorRecorder(const ErrorRecorder&) = delete;
  ErrorRecorder& operator=(const ErrorRecorder&) = delete;
  std::vector<std::string> messages;

 private:
  win::ErrorReporter previous_;
};

// A top-level window of this thread by class (and title); other test processes share the
// desktop, so FindWindow could answer with their windows.
HWND FindOwnWindow(const wchar_t* className, const wchar_t* title = nullptr);

// Dispatches pending messages for about `milliseconds`.
void Pump(int milliseconds = 50);

// Start-up without drives would open the Drive selection window modally: tests of the main
// window skip it unless they put other calls in place.
class SkipStartupDriveSelection final : public DriveSelectionSystem {
 public:
  SkipStartupDriveSelection() : previous_(SetDriveSelection(this)) {}
  ~SkipStartupDriveSelection() override { SetDriveSelection(previous_); }
  SkipStartupDriveSelection(const SkipStartupDriveSelection&) = delete;
  SkipStartupDriveSelection& operator=(const SkipStartupDriveSelection&) = delete;
  void ShowModal(TForm4&) override {}

 private:
  DriveSelectionSystem* previous_;
};

// A main window on a folder of its own, with fake drives.
struct MainWindowFixture {
  SkipStartupDriveSelection skipDriveSelection;
  TempFolder folder;
  win::FileSettingsStore store;
  FakeDrives drives;
  std::unique_ptr<TForm1> form;

  void WriteSettings(const std::string& ini) const { folder.Write(L"wolumetr.ini", ini); }
  std::optional<std::string> Settings() const { return folder.Read(L"wolumetr.ini"); }
  TForm1& Start();
};

}  // namespace wolumetr::test
