// The worker on a standard thread with the standard lock and condition variable, for builds
// without their own. Kept apart so that a program passing its own does not link these.
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "display/drive_worker.h"

namespace wolumetr {
namespace {

class StandardWorkerSync final : public WorkerSync {
 public:
  void lock() override { mutex_.lock(); }
  void unlock() override { mutex_.unlock(); }
  void Wait(std::chrono::milliseconds limit) override {
    std::unique_lock lock(mutex_, std::adopt_lock);
    woken_.wait_for(lock, limit);
    lock.release();  // still held: the caller unlocks
  }
  void WakeAll() override { woken_.notify_all(); }

 private:
  std::mutex mutex_;
  std::condition_variable woken_;
};

}  // namespace

std::unique_ptr<WorkerSync> MakeStandardWorkerSync() { return std::make_unique<StandardWorkerSync>(); }

DriveWorker::DriveWorker(std::shared_ptr<DriveQueries> queries, std::function<void()> answered)
    : DriveWorker(
          std::move(queries), std::move(answered),
          [](std::function<void()> body) { std::thread(std::move(body)).detach(); }, MakeStandardWorkerSync()) {}

}  // namespace wolumetr
