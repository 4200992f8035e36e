#pragma once
// What the tiles ask the system about a drive. The Windows layer answers for real; tests
// stand in for drives they cannot control (one that fails, one that changes size).
#include <cstdint>
#include <optional>
#include <string>

namespace wolumetr {

class DriveQueries {
 public:
  virtual ~DriveQueries() = default;
  // Bytes available to the caller / total bytes of drive number n (0: the current drive);
  // -1 when the query fails.
  virtual std::int64_t FreeBytes(std::uint8_t driveNumber) = 0;
  virtual std::int64_t TotalBytes(std::uint8_t driveNumber) = 0;
  // The volume name of a root path as written in the settings (UTF-8); nullopt on failure.
  virtual std::optional<std::string> VolumeName(const std::string& rootPath) = 0;
};

}  // namespace wolumetr
