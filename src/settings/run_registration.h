#pragma once
// The Run keys of the real registry.
#include "settings/start_with_system.h"

namespace wolumetr::win {

// HKEY_LOCAL_MACHINE's Run key is opened, never created; the user's own one is created when it
// is missing, since every user may write there. The StartupApproved keys are only ever opened.
class SystemRunKeys final : public RunKeyRegistry {
 public:
  std::unique_ptr<RunKey> Open(RunHive hive, bool forWriting) override;
  std::unique_ptr<RunKey> OpenApproval(RunHive hive, bool forWriting) override;
  std::string Expand(const std::string& text) override;
  // As Windows compares file names: every letter folded, not only ASCII ones.
  bool SamePath(std::string_view a, std::string_view b) override;
};

}  // namespace wolumetr::win
