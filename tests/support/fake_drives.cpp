#include "fake_drives.h"

namespace wolumetr::test {

std::int64_t FakeDrives::FreeBytes(std::uint8_t driveNumber) {
  calls.push_back("free " + std::to_string(driveNumber));
  auto it = drives.find(driveNumber);
  return it == drives.end() ? -1 : it->second.free;
}

std::int64_t FakeDrives::TotalBytes(std::uint8_t driveNumber) {
  calls.push_back("total " + std::to_string(driveNumber));
  auto it = drives.find(driveNumber);
  return it == drives.end() ? -1 : it->second.total;
}

std::optional<std::string> FakeDrives::VolumeName(const std::string& rootPath) {
  calls.push_back("volume " + rootPath);
  for (const auto& [number, drive] : drives) {
    const char letter = static_cast<char>('a' + number - 1);
    if (rootPath.size() == 3 && rootPath[0] == letter && rootPath.substr(1) == ":\\") return drive.volume;
  }
  return std::nullopt;
}

}  // namespace wolumetr::test
