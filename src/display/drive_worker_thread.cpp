// The worker on a standard thread, for builds without a starter of their own. Kept apart so
// that a program passing its own starter does not link the standard thread's code.
#include <thread>
#include <utility>

#include "display/drive_worker.h"

namespace wolumetr {

DriveWorker::DriveWorker(std::shared_ptr<DriveQueries> queries, std::function<void()> answered)
    : DriveWorker(std::move(queries), std::move(answered),
                  [](std::function<void()> body) { std::thread(std::move(body)).detach(); }) {}

}  // namespace wolumetr
