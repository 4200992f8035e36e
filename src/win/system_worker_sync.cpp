#include "win/system_worker_sync.h"

#include <windows.h>

#include <algorithm>

namespace wolumetr::win {
namespace {

class SystemWorkerSync final : public WorkerSync {
 public:
  void lock() override { AcquireSRWLockExclusive(&lock_); }
  void unlock() override { ReleaseSRWLockExclusive(&lock_); }
  void Wait(std::chrono::milliseconds limit) override {
    // INFINITE is one below the largest DWORD: a longer wait is cut to the longest finite one.
    const auto ms = std::clamp<std::chrono::milliseconds::rep>(limit.count(), 0, INFINITE - 1);
    SleepConditionVariableSRW(&woken_, &lock_, static_cast<DWORD>(ms), 0);
  }
  void WakeAll() override { WakeAllConditionVariable(&woken_); }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
  CONDITION_VARIABLE woken_ = CONDITION_VARIABLE_INIT;
};

}  // namespace

std::unique_ptr<WorkerSync> MakeSystemWorkerSync() { return std::make_unique<SystemWorkerSync>(); }

}  // namespace wolumetr::win
