#include "display/drive_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fake_drives.h"

namespace wolumetr {
namespace {

using namespace std::chrono_literals;
using test::FakeDrives;

bool WaitUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + 5s;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

struct DriveWorkerTest : ::testing::Test {
  std::shared_ptr<FakeDrives> drives = std::make_shared<FakeDrives>();
  std::shared_ptr<std::atomic<int>> signals = std::make_shared<std::atomic<int>>(0);
  std::unique_ptr<DriveWorker> worker = std::make_unique<DriveWorker>(drives, [signals = signals] { ++*signals; });

  DriveWorkerTest() {
    drives->drives[3] = {400, 1000, "System"};
    drives->drives[4] = {1, 3, "Dane"};
  }
};

// Only a drive root's volume name is asked: a share, an NT or device path or a folder in a slot
// is never handed to the system, and its tile shows no volume name, as for a value the system
// rejects. Its disk space is that of the current drive (number 0).
TEST(DriveJobsFor, AsksNoVolumeNameOfANetworkOrDevicePath) {
  const std::vector<DriveJob> jobs =
      DriveJobsFor({"c:\\", "\\\\host\\share\\", "//host/share/", "\\/host", "/\\?\\c:\\", "\\\\.\\", "\\c:\\",
                    "\\??\\UNC\\host\\share\\", "c:\\windows\\", "C:\\"},
                   true);
  std::vector<bool> asked;
  for (const DriveJob& job : jobs) asked.push_back(job.volumeRoot.has_value());
  EXPECT_EQ(asked, (std::vector<bool>{true, false, false, false, false, false, false, false, false, true}));
  EXPECT_EQ(jobs[1].driveNumber, 0);
}

TEST_F(DriveWorkerTest, ASlowDriveHoldsBackOnlyItsOwnAnswers) {
  drives->Hold(4);
  worker->Start({{3, std::nullopt}, {4, std::nullopt}});
  ASSERT_TRUE(WaitUntil([&] { return drives->Calls().size() == 3; }));
  EXPECT_FALSE(worker->WaitForRound(50ms));
  DriveAnswers early = worker->Take();
  ASSERT_EQ(early.tiles.size(), 1u);
  EXPECT_EQ(early.tiles[0].freeBytes, 400);
  EXPECT_FALSE(early.roundEnded);
  // Past a quick round's time, each answer is signalled as it comes.
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(*signals, 0) << "a signal before the round ended or ran long";
  drives->Release(4);
  ASSERT_TRUE(WaitUntil([&] { return *signals >= 1; }));
  ASSERT_TRUE(worker->WaitForRound(5000ms));
  const DriveAnswers late = worker->Take();
  ASSERT_EQ(late.tiles.size(), 1u);
  EXPECT_EQ(late.tiles[0].tile, 1);
  EXPECT_EQ(late.tiles[0].totalBytes, 3);
  EXPECT_TRUE(late.roundEnded);
  // A quick round ended while waited for: its answers and the volume names asked, and no
  // signal, since the wait already told of its end.
  drives->calls.clear();
  drives->Hold(17);
  worker->Start({{3, "c:\\"}, {17, "q:\\"}});
  std::thread release([&] {
    std::this_thread::sleep_for(50ms);
    drives->Release(17);
  });
  ASSERT_TRUE(worker->WaitForRound(5000ms));
  release.join();
  const DriveAnswers quick = worker->Take();
  ASSERT_EQ(quick.tiles.size(), 2u);
  EXPECT_EQ(quick.tiles[0].volume, "System");
  EXPECT_EQ(quick.tiles[1].freeBytes, -1);
  EXPECT_EQ(drives->Calls(),
            (std::vector<std::string>{"free 3", "total 3", "volume c:\\", "free 17", "total 17", "volume q:\\"}));
  EXPECT_EQ(*signals, 1);
  // Not waited for, a quick round signals once, at its end.
  worker->Start({{3, std::nullopt}});
  EXPECT_TRUE(WaitUntil([&] { return *signals == 2; }));
  EXPECT_TRUE(worker->Take().roundEnded);
  // A first drive slower than a quick round is signalled as it answers, while the next one holds.
  drives->Hold(3);
  drives->Hold(4);
  worker->Start({{3, std::nullopt}, {4, std::nullopt}});
  std::this_thread::sleep_for(150ms);
  drives->Release(3);
  EXPECT_TRUE(WaitUntil([&] { return *signals == 3; })) << "held back until the round's end";
  drives->Release(4);
  EXPECT_TRUE(worker->WaitForRound(5000ms));
}

TEST_F(DriveWorkerTest, AQuestionThatThrowsIsAFailedOneAndTheWorkerGoesOn) {
  drives->throwing = {3};
  worker->Start({{3, "c:\\"}, {4, std::nullopt}});
  ASSERT_TRUE(worker->WaitForRound(5000ms));
  const DriveAnswers failed = worker->Take();
  ASSERT_EQ(failed.tiles.size(), 2u);
  EXPECT_EQ(failed.tiles[0].freeBytes, -1);
  EXPECT_EQ(failed.tiles[0].totalBytes, -1);
  EXPECT_EQ(failed.tiles[0].volume, std::nullopt);
  EXPECT_EQ(failed.tiles[1].totalBytes, 3);
  drives->throwing.clear();
  worker->Start({{3, std::nullopt}});
  ASSERT_TRUE(worker->WaitForRound(5000ms));
  EXPECT_EQ(worker->Take().tiles.at(0).freeBytes, 400);
}

TEST_F(DriveWorkerTest, GoingAwayNeverWaitsForAHungDriveAndAsksNothingMore) {
  drives->Hold(3);
  worker->Start({{3, "c:\\"}, {4, "d:\\"}});
  ASSERT_TRUE(WaitUntil([&] { return !drives->Calls().empty(); }));
  const auto before = std::chrono::steady_clock::now();
  worker.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 100ms);
  drives->Release(3);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(drives->Calls(), std::vector<std::string>{"free 3"});
  EXPECT_EQ(*signals, 0);
}

TEST_F(DriveWorkerTest, StoppedWhileHandingAnAnswerOverAsksNothingMore) {
  auto gone = std::make_shared<std::atomic<bool>>(false);
  worker = std::make_unique<DriveWorker>(drives, [signals = signals, gone] {
    ++*signals;
    while (!*gone) std::this_thread::sleep_for(1ms);
  });
  drives->Hold(3);
  worker->Start({{3, std::nullopt}, {4, std::nullopt}});
  std::this_thread::sleep_for(150ms);  // past a quick round: the answer is signalled as it comes
  drives->Release(3);
  ASSERT_TRUE(WaitUntil([&] { return *signals == 1; }));
  worker.reset();
  *gone = true;
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(drives->Calls(), (std::vector<std::string>{"free 3", "total 3"}));
}

}  // namespace
}  // namespace wolumetr
