#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wolumetr {

// Reads a whole text as a signed 32-bit number: leading spaces, one optional
// sign, then decimal digits in the signed range or a hex prefix ("$", "x",
// "X", "0x", "0X") with up to 32 bits of hex digits taken as two's
// complement. Anything after the digits makes the text fail.
std::optional<std::int32_t> ParseNumber(std::string_view text);

// Decimal, '-' before negatives, no '+' and no leading zeros.
std::string FormatNumber(std::int32_t value);

}  // namespace wolumetr
