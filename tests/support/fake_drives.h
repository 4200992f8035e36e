#pragma once
// Drives by number with sizes the test sets; unknown drives fail like a missing disk.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "display/drive_queries.h"

namespace wolumetr::test {

class FakeDrives final : public DriveQueries {
 public:
  struct Drive {
    std::int64_t free = -1;
    std::int64_t total = -1;
    std::optional<std::string> volume;
  };
  std::map<std::uint8_t, Drive> drives;
  std::vector<std::string> calls;  // "free 3", "total 3", ... in call order

  std::int64_t FreeBytes(std::uint8_t driveNumber) override;
  std::int64_t TotalBytes(std::uint8_t driveNumber) override;
  std::optional<std::string> VolumeName(const std::string& rootPath) override;
};

}  // namespace wolumetr::test
