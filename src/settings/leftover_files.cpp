#include "settings/leftover_files.h"

#include <algorithm>

namespace wolumetr {

bool IsLeftoverTemporary(std::string_view candidate, std::string_view settingsFileName, std::int64_t ageSeconds,
                         const std::function<bool(std::uint32_t processId)>& running) {
  constexpr std::string_view kMark = ".~";
  constexpr std::string_view kEnd = ".tmp";
  if (ageSeconds < kLeftoverAgeSeconds || settingsFileName.empty()) return false;
  if (!candidate.starts_with(settingsFileName)) return false;
  candidate.remove_prefix(settingsFileName.size());
  if (!candidate.starts_with(kMark) || !candidate.ends_with(kEnd)) return false;
  const std::string_view digits = candidate.substr(kMark.size(), candidate.size() - kMark.size() - kEnd.size());
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  std::uint64_t id = 0;
  for (const char c : digits) {
    id = id * 10 + static_cast<std::uint64_t>(c - '0');
    if (id > UINT32_MAX) return true;  // no process has such a number
  }
  return !running(static_cast<std::uint32_t>(id));
}

}  // namespace wolumetr
