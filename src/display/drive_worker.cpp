#include "display/drive_worker.h"

#include <condition_variable>
#include <mutex>
#include <utility>

namespace wolumetr {
namespace {

constexpr std::chrono::milliseconds kQuickRound{100};

}  // namespace

struct DriveWorker::Shared {
  std::shared_ptr<DriveQueries> queries;
  std::function<void()> answered;
  std::mutex mutex;
  std::condition_variable work;   // a round or the stop arrived
  std::condition_variable ended;  // a round ended
  std::optional<std::vector<DriveJob>> round;
  bool running = false;
  bool stopped = false;
  DriveAnswers answers;
  bool told = false;  // `answered` ran since the last Take
};

DriveWorker::DriveWorker(std::shared_ptr<DriveQueries> queries, std::function<void()> answered,
                         const ThreadStarter& start)
    : shared_(std::make_shared<Shared>()) {
  shared_->queries = std::move(queries);
  shared_->answered = std::move(answered);
  start([s = shared_] { Run(s); });
}

DriveWorker::~DriveWorker() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stopped = true;
  }
  shared_->work.notify_one();
}

void DriveWorker::Start(std::vector<DriveJob> jobs) {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->round = std::move(jobs);
    shared_->running = true;
  }
  shared_->work.notify_one();
}

bool DriveWorker::WaitForRound(std::chrono::milliseconds limit) {
  std::unique_lock lock(shared_->mutex);
  return shared_->ended.wait_for(lock, limit, [&] { return !shared_->running; });
}

DriveAnswers DriveWorker::Take() {
  std::lock_guard lock(shared_->mutex);
  shared_->told = false;
  return std::exchange(shared_->answers, DriveAnswers{});
}

void DriveWorker::Run(const std::shared_ptr<Shared>& s) {
  DriveQueries& queries = *s->queries;
  std::unique_lock lock(s->mutex);
  // Every question is asked without the lock, so the window never waits on a drive; after
  // each the worker checks whether the window is gone and stops asking if so.
  const auto ask = [&](auto question) {
    lock.unlock();
    auto answer = question();
    lock.lock();
    return answer;
  };
  // Hands answers over. A quick round signals once, at its end: a signal per answer costs the
  // window a wake-up each. Once a round has run long, each answer is signalled as it comes.
  std::chrono::steady_clock::time_point roundStart;
  const auto hand = [&](auto put, bool last) {
    put(s->answers);
    if (s->told) return;  // the window has yet to take what it was told of
    if (!last && std::chrono::steady_clock::now() - roundStart < kQuickRound) return;
    s->told = true;
    lock.unlock();
    s->answered();
    lock.lock();
  };
  while (true) {
    s->work.wait(lock, [&] { return s->stopped || s->round.has_value(); });
    if (s->stopped) return;
    const std::vector<DriveJob> jobs = std::move(*s->round);
    s->round.reset();
    roundStart = std::chrono::steady_clock::now();
    for (std::size_t t = 0; t < jobs.size(); ++t) {
      DriveAnswer answer;
      answer.tile = static_cast<std::int32_t>(t);
      const std::uint8_t n = jobs[t].driveNumber;
      answer.freeBytes = ask([&] { return queries.FreeBytes(n); });
      if (s->stopped) return;
      answer.totalBytes = ask([&] { return queries.TotalBytes(n); });
      if (s->stopped) return;
      if (jobs[t].volumeRoot) {
        answer.volume = ask([&] { return queries.VolumeName(*jobs[t].volumeRoot); });
        if (s->stopped) return;
      }
      hand([&](DriveAnswers& a) { a.tiles.push_back(std::move(answer)); }, false);
    }
    s->running = false;
    s->ended.notify_all();
    hand([](DriveAnswers& a) { a.roundEnded = true; }, true);
  }
}

}  // namespace wolumetr
