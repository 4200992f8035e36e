#pragma once
// Temporary files that a save was killed before renaming over the settings file.
#include <cstdint>
#include <string_view>

namespace wolumetr {

// Younger files may belong to a save of another instance that is still running.
inline constexpr std::int64_t kLeftoverAgeSeconds = 60;

// A file beside the settings file is a save's leftover when it is named as a save names its
// temporary file ("<settings file>.~<process id>.tmp") and is older than kLeftoverAgeSeconds.
bool IsLeftoverTemporary(std::string_view candidate, std::string_view settingsFileName, std::int64_t ageSeconds);

}  // namespace wolumetr
