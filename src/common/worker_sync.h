#pragma once
// The lock and the wake-up that a worker thread shares with the window's thread. Chosen by the
// program: the standard condition variable of the Windows build's thread library wakes through
// kernel semaphores (under Wine a round trip to the server at every wake), the system's slim
// lock and condition variable do not. The standard pair serves tests and other builds.
#include <chrono>
#include <memory>

namespace wolumetr {

class WorkerSync {
 public:
  virtual ~WorkerSync() = default;
  // Named as the standard library names them, so that std::unique_lock can hold one.
  virtual void lock() = 0;
  virtual void unlock() = 0;
  // Unlocks, sleeps until woken or `limit` has passed, and locks again; may wake early.
  virtual void Wait(std::chrono::milliseconds limit) = 0;
  virtual void WakeAll() = 0;

  // With the lock held: sleeps until `done()` or until `limit` has passed; returns done().
  template <typename Done>
  bool WaitFor(std::chrono::milliseconds limit, Done done) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      if (left <= std::chrono::milliseconds::zero()) return false;
      Wait(left);
    }
    return true;
  }
};

std::unique_ptr<WorkerSync> MakeStandardWorkerSync();

}  // namespace wolumetr
