// The Drive selection window in-process: slots, choices, saving, cancelling, the restart and
// the two ways it opens.
#include <gtest/gtest.h>

#include <functional>

#include "drives/drive_selection_form.h"
#include "win/application.h"
#include "win/text.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

// Drives, answers and launches under the test's control. The modal showing either returns at
// once, as if the window had been closed some other way, or runs `onShow` instead.
class FakeSystem : public DriveSelectionSystem {
 public:
  std::vector<LogicalDrive> drives;
  std::map<std::string, std::optional<std::string>> labels;  // absent: volume unreadable
  std::vector<int> answers;                                    // what the warning box returns, in turn
  int asked = 0;
  int launches = 0;
  std::function<void(TForm4&)> onShow;
  int shown = 0;

  std::vector<LogicalDrive> LogicalDrives() override { return drives; }
  bool IsFixed(const std::string& root) override {
    for (const LogicalDrive& d : drives) {
      if (d.root == root) return d.fixed;
    }
    return false;
  }
  std::optional<std::string> VolumeLabel(const std::string& root) override {
    auto it = labels.find(root);
    return it == labels.end() ? std::nullopt : it->second;
  }
  int AskWarning(HWND, const std::wstring& text, const std::wstring& caption) override {
    EXPECT_EQ(text, kNoDriveMessage);
    EXPECT_EQ(caption, L"Informacja");
    const int answer = asked < static_cast<int>(answers.size()) ? answers[static_cast<std::size_t>(asked)] : IDOK;
    ++asked;
    return answer;
  }
  void StartNewInstance() override { ++launches; }
  void ShowModal(TForm4& form) override {
    ++shown;
    if (onShow) onShow(form);
  }
};

// Start-up with no drive configured opens the window modally; in this test program nobody
// would answer it, so unless a test says otherwise it returns at once.
class QuietDriveSelection final : public ::testing::Environment {
 public:
  void SetUp() override { SetDriveSelection(&system_); }
  void TearDown() override { SetDriveSelection(nullptr); }

 private:
  FakeSystem system_;
};

const auto* const kQuietDriveSelection =
    ::testing::AddGlobalTestEnvironment(new QuietDriveSelection);  // gtest owns it

}  // namespace
}  // namespace wolumetr::test
