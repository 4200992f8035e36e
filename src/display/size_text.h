#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wolumetr {

// "%.2f" of `number` the way the size labels show it: the value is first
// taken to 18 significant decimal digits, then rounded to two decimals with
// halves away from zero (1.125 gives "1.13"). `decimalSeparator` replaces
// the full stop; there is never a thousands separator or an exponent.
std::string FormatTwoDecimals(double number, std::string_view decimalSeparator = ".");

// Byte count as shown on a tile: "1.13 KB", "1024.00 GB". Units stop at GB.
// Negative counts (a failed query) give the empty string.
std::string SizeToText(std::int64_t bytes, std::string_view decimalSeparator = ".");

}  // namespace wolumetr
