#include "fake_system.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <utility>

#include "win/application.h"
#include "win/error_box.h"
#include "win/text.h"

namespace wolumetr::test {

void FakeSystem::Reset() {
  // The shell's "open" and its icons may be asked on other threads.
  const std::lock_guard<std::mutex> open(openLock_);
  const std::lock_guard<std::mutex> icons(iconLock_);
  static_cast<FakeSystemRecord&>(*this) = FakeSystemRecord{};
  iconsAsked_.clear();
}

int FakeSystem::ShowMessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) {
  if ((flags & ~win::kUnpromptedBox) == win::kErrorBoxFlags) {
    if (errors == nullptr) {
      ADD_FAILURE() << "unexpected error box: " << win::Narrow(text);
    } else {
      errors->push_back(win::Narrow(text));
    }
    errorFlags.push_back(flags);
    if (const std::function<void()> during = std::exchange(whileErrorBoxIsUp, nullptr)) during();
    return IDOK;
  }
  boxes.push_back(BoxCall{text, caption, flags});
  if (onBox) onBox(boxes.back());
  return boxes.size() <= answers.size() ? answers[boxes.size() - 1] : IDOK;
}

void FakeSystem::ShellOpen(HWND owner, const std::wstring& target, int, bool) {
  {
    const std::lock_guard<std::mutex> lock(openLock_);
    opened.push_back(target);
    openOwners.push_back(owner);
    openSignal_.notify_all();
  }
  if (whileOpening) whileOpening();
}

bool FakeSystem::WaitForOpened(std::size_t count, std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> lock(openLock_);
  return openSignal_.wait_for(lock, limit, [&] { return opened.size() >= count; });
}

bool FakeSystem::NotifyIcon(DWORD message, NOTIFYICONDATAW& data) {
  return notifyIcon ? notifyIcon(message, data) != FALSE : SystemSeam::NotifyIcon(message, data);
}

std::wstring FakeSystem::LogicalDriveStrings() {
  if (!drives) return SystemSeam::LogicalDriveStrings();
  std::wstring strings;
  for (const auto& [root, fixed] : *drives) strings += win::Widen(root) + L'\0';
  return strings;
}

bool FakeSystem::IsFixedDrive(const std::string& root) {
  if (!drives) return SystemSeam::IsFixedDrive(root);
  for (const auto& [each, fixed] : *drives) {
    if (each == root) return fixed;
  }
  return false;
}

std::optional<std::string> FakeSystem::VolumeLabel(const std::string& root) {
  if (!drives) return SystemSeam::VolumeLabel(root);
  if (beforeLabel) beforeLabel(root);
  const auto it = labels.find(root);
  return it == labels.end() ? std::nullopt : it->second;
}

std::optional<int> FakeSystem::DriveIcon(const std::string& root) {
  {
    const std::lock_guard<std::mutex> lock(iconLock_);
    iconsAsked_.push_back(root);
  }
  return SystemSeam::DriveIcon(root);
}

std::vector<std::string> FakeSystem::IconsAsked() {
  const std::lock_guard<std::mutex> lock(iconLock_);
  return iconsAsked_;
}

void RecordingHost::Reset() {
  onModal = nullptr;
  modalRuns = 0;
  mainWindow_ = nullptr;
  ended_.clear();
}

void RecordingHost::RunModal(win::Window& window) {
  ++modalRuns;
  if (onModal) {
    onModal(window);
  } else if (mainWindow_ == nullptr || IsWindowVisible(mainWindow_)) {
    next_.RunModal(window);
  }
}

RecordingHost& TestHost() {
  static RecordingHost host(win::Application::Instance());
  return host;
}

FakeSystem& TestSystem() {
  // Never destroyed: a thread that a test's window left behind (the Drive selection window's
  // gatherer, asking the shell for icons) may still ask it while the test program ends.
  alignas(FakeSystem) static std::byte storage[sizeof(FakeSystem)];
  static FakeSystem* const system = ::new (storage) FakeSystem();
  return *system;
}

std::shared_ptr<FakeSystem> SharedTestSystem() { return {std::shared_ptr<void>(), &TestSystem()}; }

namespace {

// Every test starts from a fresh seam, held by the application for the error box, and a fresh host.
class FreshSystem final : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    TestSystem().Reset();
    TestHost().Reset();
    win::Application::Instance().SetSystem(&TestSystem());
  }
};

class InstallFreshSystem final : public ::testing::Environment {
 public:
  void SetUp() override { ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSystem); }  // gtest owns it
};

const auto* const kInstallFreshSystem = ::testing::AddGlobalTestEnvironment(new InstallFreshSystem);  // gtest owns it

}  // namespace
}  // namespace wolumetr::test
