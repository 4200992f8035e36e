#pragma once
// A worker thread's lock and wake-up on the system's slim reader/writer lock and condition
// variable: no kernel object, and no server round trip under Wine.
#include <memory>

#include "common/worker_sync.h"

namespace wolumetr::win {

std::unique_ptr<WorkerSync> MakeSystemWorkerSync();

}  // namespace wolumetr::win
