#pragma once
// The system seam and the host of the in-process tests: message boxes and the shell are recorded
// instead of shown or started; icons, drives and modal loops are the system's own unless a test
// puts its own in place.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "win/system_seam.h"
#include "win/window.h"
#include "win/window_host.h"

namespace wolumetr::test {

struct BoxCall {
  std::wstring text;
  std::wstring caption;
  UINT flags = 0;
};

// What a test gives the seam and reads back from it; every test starts from a fresh one.
struct FakeSystemRecord {
  // Every box but the error box, in order; answered from `answers` in turn, then with IDOK.
  std::vector<BoxCall> boxes;
  std::vector<int> answers;
  std::function<void(const BoxCall& box)> onBox;  // runs while a box is up, before it is answered
  // The error box's texts go here while an ErrorRecorder lives; without one they fail the test.
  std::vector<std::string>* errors = nullptr;
  std::vector<UINT> errorFlags;  // the flags of every error box, in order
  // Runs once while the next error box is up, as the box's own message loop would run handlers.
  std::function<void()> whileErrorBoxIsUp;

  std::vector<std::wstring> opened;    // what was handed to the shell's "open"
  std::vector<HWND> openOwners;        // and the window each was handed for
  std::function<void()> whileOpening;  // runs after a target is recorded, as the shell's own work
  int launches = 0;                    // new instances started (or attempts, with failLaunch)
  bool failLaunch = false;
  std::vector<std::pair<std::wstring, DWORD>> restartRegistrations;  // arguments and flags, in order

  // In place of Shell_NotifyIconW when set.
  std::function<BOOL(DWORD message, NOTIFYICONDATAW& data)> notifyIcon;

  // In place of the system's drives when set: roots in order, with whether each is fixed.
  std::optional<std::vector<std::pair<std::string, bool>>> drives;
  std::map<std::string, std::optional<std::string>> labels;  // absent: volume unreadable
  // Runs (on the asking thread) before each label is read: a test may hold a drive there.
  std::function<void(const std::string& root)> beforeLabel;

  std::optional<bool> highContrast;  // in place of the system's setting when set
  std::optional<Rect> workArea;      // in place of the primary monitor's work area when set
};

class FakeSystem final : public win::SystemSeam, public FakeSystemRecord {
 public:
  // Waits up to `limit` until `count` targets were handed over, from whatever thread; false if not.
  bool WaitForOpened(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(5));
  // The roots whose shell icon was asked for, in order, whatever thread asked.
  std::vector<std::string> IconsAsked();
  // Back to the state every test starts from.
  void Reset();

  int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override;
  void ShellOpen(HWND owner, const std::wstring& target, int show, bool quiet) override;
  bool StartNewInstance() override {
    ++launches;
    return !failLaunch;
  }
  bool RegisterRestart(const std::wstring& arguments, DWORD flags) override {
    restartRegistrations.emplace_back(arguments, flags);
    return true;
  }
  bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data) override;
  std::wstring LogicalDriveStrings() override;
  bool IsFixedDrive(const std::string& root) override;
  std::optional<std::string> VolumeLabel(const std::string& root) override;
  std::optional<int> DriveIcon(const std::string& root) override;
  bool HighContrastOn() override { return highContrast ? *highContrast : SystemSeam::HighContrastOn(); }
  Rect WorkArea() override { return workArea ? *workArea : SystemSeam::WorkArea(); }

 private:
  std::mutex openLock_;  // the shell may be handed a target on a thread of its own
  std::condition_variable openSignal_;
  std::mutex iconLock_;
  std::vector<std::string> iconsAsked_;
};

// The one seam of the test program: every window of a test gets it, and the application holds
// it for the error box.
FakeSystem& TestSystem();
// The same seam where a window shares it with threads; the test program keeps it, not the holders.
std::shared_ptr<FakeSystem> SharedTestSystem();

class RecordingHost;
// The host every window of a test is given, over the application object.
RecordingHost& TestHost();

// A host of the test program: it hands every request on to `next`, noting which windows asked to
// end their modal loop (by handle: a new window may take a closed one's address, not its handle).
class RecordingHost final : public win::WindowHost {
 public:
  explicit RecordingHost(win::WindowHost& next = TestHost()) : next_(next) {}
  bool Ended(const win::Window& window) const { return std::ranges::find(ended_, window.Handle()) != ended_.end(); }
  // In place of the modal loop when set. Without it none runs while the main window given here is
  // hidden: start-up asks for Drive selection (no drive set) before the main window shows, and
  // nobody in a test program would answer it.
  std::function<void(win::Window& window)> onModal;
  int modalRuns = 0;
  void RealRunModal(win::Window& window) { next_.RunModal(window); }
  // Back to the state every test starts from.
  void Reset();

  HWND TaskbarWindow() override { return next_.TaskbarWindow(); }
  const std::wstring& Title() const override { return next_.Title(); }
  void SetMainWindow(const win::Window& mainWindow) override {
    mainWindow_ = mainWindow.Handle();
    next_.SetMainWindow(mainWindow);
  }
  void Minimize(const win::Window& mainWindow) override { next_.Minimize(mainWindow); }
  void Restore(const win::Window& mainWindow) override { next_.Restore(mainWindow); }
  void BringToFront() override { next_.BringToFront(); }
  void RunModal(win::Window& window) override;
  void EndModal(win::Window& window) override {
    ended_.push_back(window.Handle());
    next_.EndModal(window);
  }
  void Terminate() override { next_.Terminate(); }

 private:
  win::WindowHost& next_;
  HWND mainWindow_ = nullptr;
  std::vector<HWND> ended_;
};

// Collects what would have gone to the error box while it lives.
class ErrorRecorder {
 public:
  ErrorRecorder() : previous_(TestSystem().errors) { TestSystem().errors = &messages; }
  ~ErrorRecorder() { TestSystem().errors = previous_; }
  ErrorRecorder(const ErrorRecorder&) = delete;
  ErrorRecorder& operator=(const ErrorRecorder&) = delete;
  std::vector<std::string> messages;

 private:
  std::vector<std::string>* previous_;
};

}  // namespace wolumetr::test
