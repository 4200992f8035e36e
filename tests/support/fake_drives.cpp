#include "fake_drives.h"

#include <new>

namespace wolumetr::test {

void FakeDrives::Hold(std::uint8_t driveNumber) {
  std::lock_guard lock(mutex_);
  held_.insert(driveNumber);
}

void FakeDrives::Release(std::uint8_t driveNumber) {
  {
    std::lock_guard lock(mutex_);
    held_.erase(driveNumber);
  }
  released_.notify_all();
}

std::vector<std::string> FakeDrives::Calls() {
  std::lock_guard lock(mutex_);
  return calls;
}

void FakeDrives::Enter(std::string call, std::uint8_t driveNumber) {
  std::unique_lock lock(mutex_);
  calls.push_back(std::move(call));
  released_.wait(lock, [&] { return held_.count(driveNumber) == 0; });
  if (throwing.count(driveNumber) != 0) throw std::bad_alloc();
}

std::int64_t FakeDrives::FreeBytes(std::uint8_t driveNumber) { return Bytes("free ", driveNumber, &Drive::free); }

std::int64_t FakeDrives::TotalBytes(std::uint8_t driveNumber) { return Bytes("total ", driveNumber, &Drive::total); }

std::int64_t FakeDrives::Bytes(const char* question, std::uint8_t driveNumber, std::int64_t Drive::*size) {
  Enter(question + std::to_string(driveNumber), driveNumber);
  std::lock_guard lock(mutex_);
  auto it = drives.find(driveNumber);
  return it == drives.end() ? -1 : it->second.*size;
}

std::optional<std::string> FakeDrives::VolumeName(const std::string& rootPath) {
  const std::uint8_t number =
      rootPath.size() == 3 && rootPath[0] >= 'a' && rootPath[0] <= 'z' && rootPath.substr(1) == ":\\"
          ? static_cast<std::uint8_t>(rootPath[0] - 'a' + 1)
          : std::uint8_t{0};
  Enter("volume " + rootPath, number);
  std::lock_guard lock(mutex_);
  auto it = drives.find(number);
  return number == 0 || it == drives.end() ? std::nullopt : it->second.volume;
}

}  // namespace wolumetr::test
