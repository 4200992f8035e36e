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
  wchar_t name[MAX_PATH + 1] = {};
  BOOL ok = FALSE;
  {
    ErrorModeScope quiet;
    // Only the name: asking for the file system too made each call half as slow again.
    ok = GetVolumeInformationW(Widen(rootPath).c_str(), name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0);
  }
  if (!ok) return std::nullopt;
  return Narrow(name);
}

}  // namespace wolumetr::win
