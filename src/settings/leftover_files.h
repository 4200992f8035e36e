#pragma once
// Temporary files that a save was killed before renaming over the settings file.
#include <cstdint>
#include <functional>
#include <string_view>

namespace wolumetr {

// Younger files may belong to a save of another instance that is still running.
inline constexpr std::int64_t kLeftoverAgeSeconds = 60;

// A file beside the settings file is a save's leftover when it is named as a save names its
// temporary file ("<settings file>.~<process id>.tmp"), is older than kLeftoverAgeSeconds, and the
// process that named it is not `running`: on a share whose clock lags, another instance's fresh
// file can look old.
bool IsLeftoverTemporary(std::string_view candidate, std::string_view settingsFileName, std::int64_t ageSeconds,
                         const std::function<bool(std::uint32_t processId)>& running);

}  // namespace wolumetr
