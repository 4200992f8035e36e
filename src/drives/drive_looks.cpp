#include "drives/drive_looks.h"

#include <objbase.h>
#include <shellapi.h>

#include <mutex>
#include <utility>

#include "win/system_libraries.h"
#include "win/system_worker_sync.h"
#include "win/text.h"
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

namespace {

std::optional<int> ShellIconIndex(const std::string& root) {
  SHFILEINFOW info{};
  if (win::lazy::SHGetFileInfoW(win::Widen(root).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON) ==
      0) {
    return std::nullopt;
  }
  return info.iIcon;
}

// The shell wants COM on the thread that asks it for icons.
class ThreadCom {
 public:
  ThreadCom()
      : initialized_(SUCCEEDED(win::lazy::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ThreadCom() {
    if (initialized_) win::lazy::CoUninitialize();
  }
  ThreadCom(const ThreadCom&) = delete;
  ThreadCom& operator=(const ThreadCom&) = delete;

 private:
  bool initialized_;
};

}  // namespace

DriveLookGatherer::DriveLookGatherer(std::shared_ptr<win::SystemSeam> system, std::vector<Root> roots,
                                     std::function<void()> done)
    : shared_(std::make_shared<Shared>()) {
  shared_->system = std::move(system);
  shared_->roots = std::move(roots);
  shared_->done = std::move(done);
  win::StartDetachedThread([s = shared_] {
    try {
      const ThreadCom com;
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
    look.icon = ShellIconIndex(each.root);
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
