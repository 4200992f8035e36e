#pragma once
// Drives by number with sizes the test sets; unknown drives fail like a missing disk. A held
// drive stands for a slow one: its questions wait until the test lets it answer.
#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "display/drive_queries.h"
#include "settings/drive_list.h"

namespace wolumetr::test {

class FakeDrives final : public DriveQueries {
 public:
  struct Drive {
    std::int64_t free = -1;
    std::int64_t total = -1;
    std::optional<std::string> volume;
  };
  // Set and read these while no question is in progress (the drive worker is idle).
  std::map<std::uint8_t, Drive> drives;
  std::vector<std::string> calls;   // "free 3", "total 3", ... in call order
  std::set<std::uint8_t> throwing;  // questions about these throw, as out of memory would

  // Questions about a held drive wait until it is released; the call is recorded on entry.
  void Hold(std::uint8_t driveNumber);
  void Release(std::uint8_t driveNumber);
  std::vector<std::string> Calls();  // while questions may be in progress

  std::int64_t FreeBytes(std::uint8_t driveNumber) override;
  std::int64_t TotalBytes(std::uint8_t driveNumber) override;
  std::optional<std::string> VolumeName(const std::string& rootPath) override;

 private:
  // Records the call, then waits while the drive is held.
  void Enter(std::string call, std::uint8_t driveNumber);
  // A free or total size: the call recorded as `question` and the number.
  std::int64_t Bytes(const char* question, std::uint8_t driveNumber, std::int64_t Drive::*size);

  std::mutex mutex_;
  std::condition_variable released_;
  std::set<std::uint8_t> held_;
};

// The drive slots a test expects: `first` in order, "[brak]" in the rest.
inline DriveRows Rows(std::initializer_list<const char*> first) {
  DriveRows rows;
  rows.fill("[brak]");
  std::copy(first.begin(), first.end(), rows.begin());
  return rows;
}

}  // namespace wolumetr::test
