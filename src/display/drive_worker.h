#pragma once
// The thread that asks the drives, so that a drive slow to answer (a network share whose
// server is gone, a sleeping disk, a CD spinning up) never holds up the window. It is created
// with the window and runs one round of questions at a time, in tile order.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/worker_sync.h"
#include "display/drive_queries.h"

namespace wolumetr {

// What a round asks about one tile's drive: free bytes, total bytes, then the volume name
// when `volumeRoot` is set.
struct DriveJob {
  std::uint8_t driveNumber = 0;
  std::optional<std::string> volumeRoot;
};

// One tile's answers.
struct DriveAnswer {
  std::int32_t tile = 0;
  std::int64_t freeBytes = -1;
  std::int64_t totalBytes = -1;
  std::optional<std::string> volume;  // when asked and answered
};

struct DriveAnswers {
  std::vector<DriveAnswer> tiles;  // in the order they came
  bool roundEnded = false;
};

// A round over drives as ReadTileDrives gives them (lower-case slot texts), in that order.
std::vector<DriveJob> DriveJobsFor(const std::vector<std::string>& drives, bool volumeNames);

// Runs a function on a new thread that nobody joins; the Windows program's starter sizes the
// thread's stack to its work.
using ThreadStarter = std::function<void(std::function<void()>)>;

class DriveWorker {
 public:
  // `answered` runs on the worker's thread when a round ends and, once a round has run longer
  // than a quick one, whenever answers wait; once until they are taken. It must only signal
  // (post a message), never take them itself. Answers of a round that is still running may
  // also be taken unasked (the window looks for them when a round is slow).
  DriveWorker(std::shared_ptr<DriveQueries> queries, std::function<void()> answered);
  // The same, with the worker's thread started by `start` and its lock and wake-up from `sync`.
  DriveWorker(std::shared_ptr<DriveQueries> queries, std::function<void()> answered, const ThreadStarter& start,
              std::unique_ptr<WorkerSync> sync);
  // Never waits for a question in progress: the thread finishes it, asks nothing more and
  // ends, or ends with the process. It owns all it touches.
  ~DriveWorker();
  DriveWorker(const DriveWorker&) = delete;
  DriveWorker& operator=(const DriveWorker&) = delete;

  // Starts a round over `jobs`; the previous round must have ended (its end taken or not).
  void Start(std::vector<DriveJob> jobs);
  // Waits up to `limit` for the round in progress to end; true when it has. A round that ends
  // while waited for does not signal `answered`: the caller takes its answers.
  bool WaitForRound(std::chrono::milliseconds limit);
  // The answers that came since the last call.
  DriveAnswers Take();

 private:
  struct Shared;
  static void Run(const std::shared_ptr<Shared>& s);
  std::shared_ptr<Shared> shared_;
};

}  // namespace wolumetr
