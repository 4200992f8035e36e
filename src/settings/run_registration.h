#pragma once
// The Run keys of the real registry.
#include "settings/start_with_system.h"

namespace wolumetr::win {

// HKEY_LOCAL_MACHINE's Run key is opened, never created; the user's own one is created when it
// is missing, since every user may write there.
class SystemRunKeys final : public RunKeyRegistry {
 public:
  std::unique_ptr<RunKey> Open(RunHive hive, bool forWriting) override;
};

}  // namespace wolumetr::win
