#include "settings/leftover_files.h"

#include <algorithm>

namespace wolumetr {

bool IsLeftoverTemporary(std::string_view candidate, std::string_view settingsFileName, std::int64_t ageSeconds) {
  constexpr std::string_view kMark = ".~";
  constexpr std::string_view kEnd = ".tmp";
  if (ageSeconds < kLeftoverAgeSeconds || settingsFileName.empty()) return false;
  if (!candidate.starts_with(settingsFileName)) return false;
  candidate.remove_prefix(settingsFileName.size());
  if (!candidate.starts_with(kMark) || !candidate.ends_with(kEnd)) return false;
  const std::string_view digits = candidate.substr(kMark.size(), candidate.size() - kMark.size() - kEnd.size());
  return !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace wolumetr
