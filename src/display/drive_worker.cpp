#include "display/drive_worker.h"

#include <mutex>
#include <utility>

#include "common/drive_slots.h"
#include "display/drive_table.h"

namespace wolumetr {

std::vector<DriveJob> DriveJobsFor(const std::vector<std::string>& drives, bool volumeNames) {
  std::vector<DriveJob> jobs;
  jobs.reserve(drives.size());
  for (const std::string& drive : drives) {
    const bool askName = volumeNames && IsDriveRoot(drive);
    jobs.push_back(DriveJob{DriveNumberOf(drive), askName ? std::optional(drive) : std::nullopt});
  }
  return jobs;
}

constexpr std::chrono::milliseconds kQuickRound{100};

struct DriveWorker::Shared {
  std::shared_ptr<DriveQueries> queries;
  std::function<void()> answered;
  // Woken when a round or the stop arrives (for the worker) and when a round ends (for
  // WaitForRound); each side checks for what it waits for.
  std::unique_ptr<WorkerSync> sync;
  std::optional<std::vector<DriveJob>> round;
  bool running = false;
  bool stopped = false;
  DriveAnswers answers;
  bool told = false;    // `answered` ran since the last Take
  bool waited = false;  // the window waits in WaitForRound: the end of the round wakes it instead
};

DriveWorker::DriveWorker(std::shared_ptr<DriveQueries> queries, std::function<void()> answered,
                         const ThreadStarter& start, std::unique_ptr<WorkerSync> sync)
    : shared_(std::make_shared<Shared>()) {
  shared_->queries = std::move(queries);
  shared_->answered = std::move(answered);
  shared_->sync = std::move(sync);
  start([s = shared_] { Run(s); });
}

DriveWorker::~DriveWorker() {
  {
    std::lock_guard lock(*shared_->sync);
    shared_->stopped = true;
  }
  shared_->sync->WakeAll();
}

void DriveWorker::Start(std::vector<DriveJob> jobs) {
  {
    std::lock_guard lock(*shared_->sync);
    shared_->round = std::move(jobs);
    shared_->running = true;
  }
  shared_->sync->WakeAll();
}

bool DriveWorker::WaitForRound(std::chrono::milliseconds limit) {
  std::lock_guard lock(*shared_->sync);
  shared_->waited = true;
  const bool ended = shared_->sync->WaitFor(limit, [&] { return !shared_->running; });
  shared_->waited = false;
  return ended;
}

DriveAnswers DriveWorker::Take() {
  std::lock_guard lock(*shared_->sync);
  shared_->told = false;
  return std::exchange(shared_->answers, DriveAnswers{});
}

void DriveWorker::Run(const std::shared_ptr<Shared>& s) {
  DriveQueries& queries = *s->queries;
  std::unique_lock lock(*s->sync);
  // Every question is asked without the lock, so the window never waits on a drive; before and
  // after each the worker checks whether the window is gone and stops asking if so. A question
  // that throws (out of memory in the system's call) is a failed one: the round goes on.
  const auto ask = [&](auto question, auto failed) {
    lock.unlock();
    try {
      failed = question();
    } catch (...) {
      // answered as failed
    }
    lock.lock();
    return failed;
  };
  // Hands answers over. A quick round signals once, at its end: a signal per answer costs the
  // window a wake-up each. Once a round has run long, each answer is signalled as it comes.
  std::chrono::steady_clock::time_point roundStart;
  const auto hand = [&](auto put, bool last) {
    put(s->answers);
    if (s->told) return;  // the window has yet to take what it was told of
    if (last && s->waited) return;
    if (!last && std::chrono::steady_clock::now() - roundStart < kQuickRound) return;
    s->told = true;
    lock.unlock();
    s->answered();
    lock.lock();
  };
  while (true) {
    while (!s->stopped && !s->round.has_value()) s->sync->Wait(std::chrono::hours(24));
    if (s->stopped) return;
    const std::vector<DriveJob> jobs = std::move(*s->round);
    s->round.reset();
    roundStart = std::chrono::steady_clock::now();
    for (std::size_t t = 0; t < jobs.size(); ++t) {
      if (s->stopped) return;  // also since the last answer was handed over
      DriveAnswer answer;
      answer.tile = static_cast<std::int32_t>(t);
      const std::uint8_t n = jobs[t].driveNumber;
      answer.freeBytes = ask([&] { return queries.FreeBytes(n); }, std::int64_t{-1});
      if (s->stopped) return;
      answer.totalBytes = ask([&] { return queries.TotalBytes(n); }, std::int64_t{-1});
      if (s->stopped) return;
      if (jobs[t].volumeRoot) {
        answer.volume = ask([&] { return queries.VolumeName(*jobs[t].volumeRoot); }, std::optional<std::string>());
        if (s->stopped) return;
      }
      hand([&](DriveAnswers& a) { a.tiles.push_back(std::move(answer)); }, false);
    }
    s->running = false;
    hand([](DriveAnswers& a) { a.roundEnded = true; }, true);
    // Woken without the lock held, or the waiter would wake only to wait for the lock.
    lock.unlock();
    s->sync->WakeAll();
    lock.lock();
  }
}

}  // namespace wolumetr
