#pragma once
#include "display/drive_queries.h"

namespace wolumetr::win {

// The real disk-space and volume calls.
class SystemDriveQueries final : public DriveQueries {
 public:
  std::int64_t FreeBytes(std::uint8_t driveNumber) override;
  std::int64_t TotalBytes(std::uint8_t driveNumber) override;
  std::optional<std::string> VolumeName(const std::string& rootPath) override;
};

}  // namespace wolumetr::win
