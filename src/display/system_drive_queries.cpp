#include "display/system_drive_queries.h"

#include <windows.h>

#include "display/drive_table.h"
#include "win/handles.h"
#include "win/text.h"

namespace wolumetr::win {
namespace {

// One disk-space query; `total` picks which of the two figures is wanted.
std::int64_t Query(std::uint8_t driveNumber, bool total) {
  const std::wstring root = Widen(RootPathOf(driveNumber));
  ULARGE_INTEGER available{}, size{};
  BOOL ok = FALSE;
  {
    ErrorModeScope quiet;  // a drive that is not ready fails quietly
    ok = GetDiskFreeSpaceExW(root.empty() ? nullptr : root.c_str(), &available, &size, nullptr);
  }
  if (!ok) return -1;
  return static_cast<std::int64_t>(total ? size.QuadPart : available.QuadPart);
}

}  // namespace

std::int64_t SystemDriveQueries::FreeBytes(std::uint8_t driveNumber) { return Query(driveNumber, false); }

std::int64_t SystemDriveQueries::TotalBytes(std::uint8_t driveNumber) { return Query(driveNumber, true); }

std::optional<std::string> SystemDriveQueries::VolumeName(const std::string& rootPath) {
  return system_->VolumeLabel(rootPath);
}

}  // namespace wolumetr::win
