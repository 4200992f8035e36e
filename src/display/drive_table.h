#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wolumetr {

// Drive number of a slot value: 3 for "c:\" up to 26 for "z:\", compared
// case-insensitively (ASCII) and exactly; anything else gives 0, which
// stands for the current drive.
std::uint8_t DriveNumberOf(std::string_view slotValue);

// Drive letter shown on a tile: the value upper-cased (ASCII) with its second
// and third characters removed, so "c:\" gives "C". Works on whole UTF-8
// characters, and on values shorter than three characters.
std::string DriveLetterText(std::string_view slotValue);

// Root path of a drive number: "A:\" for 1 up to "Z:\" for 26. Drive 0 (the
// current drive) and numbers past Z: have none: the empty string.
std::string RootPathOf(std::uint8_t driveNumber);

}  // namespace wolumetr
