#pragma once
#include <memory>

#include "display/drive_queries.h"
#include "win/system_seam.h"

namespace wolumetr::win {

// The real disk-space calls; the volume name comes through the system seam.
class SystemDriveQueries final : public DriveQueries {
 public:
  explicit SystemDriveQueries(std::shared_ptr<SystemSeam> system) : system_(std::move(system)) {}
  std::int64_t FreeBytes(std::uint8_t driveNumber) override;
  std::int64_t TotalBytes(std::uint8_t driveNumber) override;
  std::optional<std::string> VolumeName(const std::string& rootPath) override;

 private:
  std::shared_ptr<SystemSeam> system_;  // shared with the drive worker's thread
};

}  // namespace wolumetr::win
