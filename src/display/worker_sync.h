#pragma once
// The lock and the wake-up that the drive worker shares with the window's thread. Chosen by
// the program: the standard condition variable of the Windows build's thread library wakes
// through kernel semaphores (under Wine a round trip to the server at every wake), the system's
// slim lock and condition variable do not. The standard pair serves tests and other builds.
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
};

std::unique_ptr<WorkerSync> MakeStandardWorkerSync();

}  // namespace wolumetr
