#include "settings/number_reading.h"

namespace wolumetr {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the hex prefix at the start of `text`, 0 when there is none.
std::size_t HexPrefixLength(std::string_view text) {
  if (text.empty()) return 0;
  if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') return 1;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return 2;
  return 0;
}

// Magnitude of a text of digits in `base` (10 or 16), failing as soon as it passes `limit`.
std::optional<std::uint32_t> ParseDigits(std::string_view digits, int base, std::uint32_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int d = HexDigitValue(c);
    if (d < 0 || d >= base) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    // Checked per digit so that leading zeros never overflow the accumulator.
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::int32_t> ParseNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::string_view rest = text.substr(pos);

  // Hex digits give any 32 bits; decimal ones a magnitude that fits the sign.
  const std::size_t prefix = HexPrefixLength(rest);
  const std::uint32_t limit = prefix > 0 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
  const auto magnitude = ParseDigits(rest.substr(prefix), prefix > 0 ? 16 : 10, limit);
  if (!magnitude) return std::nullopt;
  std::uint32_t bits = *magnitude;
  // Unsigned arithmetic wraps, and the conversion to int32 is modular in
  // C++20, so "-$80000000" and "-2147483648" both land on INT32_MIN safely.
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

std::string FormatNumber(std::int32_t value) { return std::to_string(value); }

}  // namespace wolumetr
