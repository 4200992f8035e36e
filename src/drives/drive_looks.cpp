#include "drives/drive_looks.h"

#include <mutex>
#include <utility>

#include "win/handles.h"
#include "win/system_worker_sync.h"
#include "win/thread_launch.h"

namespace wolumetr {

struct DriveLookGatherer::Shared {
  std::shared_ptr<win::SystemSeam> system;
  std::vector<Root> roots;
  std::function<void()> done;
  std::unique_ptr<WorkerSync> sync = win::MakeSystemWorkerSync();  // woken when all have answered
  std::map<std::string, DriveLook> looks;
  bool complete = false;
  bool abandoned = false;
};

DriveLookGatherer::DriveLookGatherer(std::shared_ptr<win::SystemSeam> system, std::vector<Root> roots,
                                     std::function<void()> done)
    : shared_(std::make_shared<Shared>()) {
  shared_->system = std::move(system);
  shared_->roots = std::move(roots);
  shared_->done = std::move(done);
  win::StartDetachedThread([s = shared_] {
    try {
      const win::ComScope com;  // the shell wants COM on the thread that asks it for icons
      if (!Gather(*s)) return;
    } catch (...) {
      // What came before stands; the drives after it are drawn without their looks.
    }
    {
      std::lock_guard lock(*s->sync);
      s->complete = true;
    }
    s->sync->WakeAll();
    s->done();
  });
}

bool DriveLookGatherer::Gather(Shared& s) {
  for (const Root& each : s.roots) {
    DriveLook look;
    look.icon = s.system->DriveIcon(each.root);
    {
      std::lock_guard lock(*s.sync);
      if (s.abandoned) return false;
    }
    if (each.fixed) look.label = s.system->VolumeLabel(each.root);
    std::lock_guard lock(*s.sync);
    if (s.abandoned) return false;
    s.looks[each.root] = std::move(look);
  }
  return true;
}

DriveLookGatherer::~DriveLookGatherer() {
  std::lock_guard lock(*shared_->sync);
  shared_->abandoned = true;
}

bool DriveLookGatherer::Wait(std::chrono::milliseconds limit) {
  std::lock_guard lock(*shared_->sync);
  return shared_->sync->WaitFor(limit, [&] { return shared_->complete; });
}

std::map<std::string, DriveLook> DriveLookGatherer::Looks() {
  std::lock_guard lock(*shared_->sync);
  return shared_->looks;
}

}  // namespace wolumetr
