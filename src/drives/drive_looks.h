#pragma once
// How the Drive selection window shows each drive: its shell icon and, for a fixed drive, its
// volume label. Asking may wake a sleeping disk or wait on a network share, so it is done once
// per opening on a thread of its own; the window paints only from what came back.
#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win/system_seam.h"

namespace wolumetr {

struct DriveLook {
  std::optional<int> icon;  // in the shell's small-icon list
  std::optional<std::string> label;
};

class DriveLookGatherer {
 public:
  // Asks, in order, for each root's icon and, where `fixed`, its label. `done` runs on the
  // gathering thread when all have answered (or the asking failed). The thread keeps `system`.
  struct Root {
    std::string root;
    bool fixed = false;
  };
  DriveLookGatherer(std::shared_ptr<win::SystemSeam> system, std::vector<Root> roots, std::function<void()> done);
  // Never waits: a drive still answering finishes on its own and nothing more is asked.
  ~DriveLookGatherer();
  DriveLookGatherer(const DriveLookGatherer&) = delete;
  DriveLookGatherer& operator=(const DriveLookGatherer&) = delete;

  // Waits up to `limit` for every answer; true when all came.
  bool Wait(std::chrono::milliseconds limit);
  // What has come so far, by root.
  std::map<std::string, DriveLook> Looks();

 private:
  struct Shared;
  // Asks every root in turn; false when the window went meanwhile.
  static bool Gather(Shared& s);
  std::shared_ptr<Shared> shared_;
};

}  // namespace wolumetr
