#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "display/size_text.h"
#include "fuzz_checks.h"

namespace wolumetr::fuzz {
namespace {

// A non-negative decimal number held exactly: all its digits, the last `decimals` of them
// after the point.
struct Decimal {
  std::string digits;
  int decimals = 0;
};

// Little-endian decimal digits multiplied by a small factor in place.
void Multiply(std::vector<std::uint8_t>& digits, std::uint64_t factor) {
  std::uint64_t carry = 0;
  for (std::uint8_t& d : digits) {
    const std::uint64_t product = d * factor + carry;
    d = static_cast<std::uint8_t>(product % 10);
    carry = product / 10;
  }
  for (; carry != 0; carry /= 10) digits.push_back(static_cast<std::uint8_t>(carry % 10));
}

// The exact value of a finite, non-negative double: mantissa × 2^e written out in decimal.
Decimal Exact(double value) {
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exponent -= 53;
  std::vector<std::uint8_t> digits;
  for (; mantissa != 0; mantissa /= 10) digits.push_back(static_cast<std::uint8_t>(mantissa % 10));
  if (digits.empty()) digits.push_back(0);
  Decimal exact;
  // 2^e = 5^-e / 10^-e for negative e: multiply by 5s and move the point.
  for (int left = exponent; left > 0; left -= 30) Multiply(digits, std::uint64_t{1} << (left > 30 ? 30 : left));
  for (int left = -exponent; left > 0; left -= 13) {
    std::uint64_t power = 1;
    for (int i = 0; i < (left > 13 ? 13 : left); ++i) power *= 5;
    Multiply(digits, power);
  }
  exact.decimals = exponent < 0 ? -exponent : 0;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) exact.digits.push_back(static_cast<char>('0' + *it));
  return exact;
}

// Cuts the digits after `keep` of them, adding one to the last kept digit when the first cut
// digit is 5 or more. Returns the number of kept digits, which grows by one on a carry out.
std::size_t RoundHalfUp(std::string& digits, std::size_t keep) {
  if (keep >= digits.size()) return digits.size();
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    std::size_t i = keep;
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      return keep + 1;
    }
    ++digits[i - 1];
  }
  return keep;
}

// "%.2f" as the size labels want it: 18 significant digits first, then two decimals with
// halves rounded up, worked out on the exact decimal value.
std::string ModelTwoDecimals(double value, std::string_view separator) {
  const bool negative = std::signbit(value);
  Decimal exact = Exact(std::fabs(value));
  std::string& digits = exact.digits;
  // At least one digit before the point.
  if (static_cast<int>(digits.size()) <= exact.decimals) {
    digits.insert(0, static_cast<std::size_t>(exact.decimals + 1) - digits.size(), '0');
  }
  std::size_t integer = digits.size() - static_cast<std::size_t>(exact.decimals);
  const std::size_t first = digits.find_first_not_of('0');
  if (first != std::string::npos) {
    const std::size_t kept = RoundHalfUp(digits, first + 18);
    if (kept > first + 18) ++integer;
    digits.resize(digits.size() > integer + 2 ? digits.size() : integer + 2, '0');
    if (RoundHalfUp(digits, integer + 2) > integer + 2) ++integer;
  } else {
    digits.resize(integer + 2, '0');
  }
  std::string whole = digits.substr(0, integer);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  const std::string text = whole + std::string(separator) + digits.substr(integer, 2);
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  return negative && !zero ? "-" + text : text;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// digits, separator, two digits, a blank and the unit; no sign, no leading zero.
void ExpectSizePattern(const std::string& text, std::string_view separator, std::string_view unit) {
  const std::string tail = " " + std::string(unit);
  const std::string what = "\"" + text + "\" is not a size text in " + std::string(unit);
  if (text.size() < tail.size() + 2 + separator.size() + 1) Fail(what);
  if (text.compare(text.size() - tail.size(), tail.size(), tail) != 0) Fail(what);
  const std::string_view rest = std::string_view(text).substr(0, text.size() - tail.size());
  const std::string_view decimals = rest.substr(rest.size() - 2);
  const std::string_view before = rest.substr(0, rest.size() - 2);
  if (!AllDigits(decimals) || before.substr(before.size() - separator.size()) != separator) Fail(what);
  const std::string_view whole = before.substr(0, before.size() - separator.size());
  if (!AllDigits(whole) || (whole.size() > 1 && whole.front() == '0')) Fail(what);
}

}  // namespace

void CheckSizeText(std::string_view bytes) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8 && i < bytes.size(); ++i) {
    bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  const std::string_view separator = bytes.size() > 8 ? bytes.substr(8, 8) : std::string_view(".");

  const auto count = static_cast<std::int64_t>(bits);
  const std::string text = SizeToText(count, separator);
  if (count < 0) {
    Expect(text.empty(), "a negative byte count gives a size text");
  } else {
    const double v = static_cast<double>(count);
    const char* unit = v < 1024.0 ? "B" : v < 1048576.0 ? "KB" : v < 1073741824.0 ? "MB" : "GB";
    const double scale = v < 1024.0 ? 1.0 : v < 1048576.0 ? 1024.0 : v < 1073741824.0 ? 1048576.0 : 1073741824.0;
    ExpectSizePattern(text, separator, unit);
    const std::string expected = ModelTwoDecimals(v / scale, separator) + " " + unit;
    if (text != expected) Fail(std::to_string(count) + " bytes give \"" + text + "\", not \"" + expected + "\"");
  }

  // The same bits as any double: never a crash, and the exact rule wherever its first rounding
  // cannot tie (below 10^15 a tie at the eighteenth digit never reaches the second decimal).
  double number = 0;
  static_assert(sizeof number == sizeof bits);
  std::memcpy(&number, &bits, sizeof number);
  const std::string formatted = FormatTwoDecimals(number, separator);
  if (!std::isfinite(number)) {
    Expect(formatted.empty(), "a number that is not finite gets a text");
  } else if (std::fabs(number) < 1e15) {
    const std::string expected = ModelTwoDecimals(number, separator);
    if (formatted != expected) Fail("a double gives \"" + formatted + "\", not \"" + expected + "\"");
  } else {
    Expect(!formatted.empty(), "a finite number gets no text");
    ExpectSizePattern(formatted.substr(formatted.front() == '-' ? 1 : 0) + " GB", separator, "GB");
  }
}

}  // namespace wolumetr::fuzz
