#include "display/size_text.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace wolumetr {

constexpr int kSignificantDigits = 18;
constexpr int kDecimals = 2;

std::string FormatTwoDecimals(double number, std::string_view decimalSeparator) {
  if (!std::isfinite(number)) {
    return {};
  }
  const bool negative = std::signbit(number) && number != 0.0;
  // std::to_chars is exact and ignores the C locale, unlike printf.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(number), std::chars_format::scientific,
                                    kSignificantDigits - 1);
  if (result.ec != std::errc{}) {
    return {};
  }
  // buffer holds "d.ddddddddddddddddde+XX".
  std::string digits;
  const char* p = buffer;
  for (; p != result.ptr && *p != 'e'; ++p) {
    if (*p != '.') {
      digits.push_back(*p);
    }
  }
  int exponent = 0;
  if (p != result.ptr) {
    const char* e = p + 1;  // from_chars reads a minus sign, not a plus
    if (e != result.ptr && *e == '+') {
      ++e;
    }
    if (std::from_chars(e, result.ptr, exponent).ec != std::errc{}) {
      return {};
    }
  }

  // Digits before the decimal point; may be zero or negative for small values.
  int integerDigits = exponent + 1;
  const int keep = integerDigits + kDecimals;
  if (keep < 0) {
    digits.clear();
  } else if (keep < static_cast<int>(digits.size())) {
    const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (roundUp) {
      std::size_t i = digits.size();
      while (i > 0 && digits[i - 1] == '9') {
        digits[--i] = '0';
      }
      if (i > 0) {
        ++digits[i - 1];
      } else {
        digits.insert(digits.begin(), '1');
        ++integerDigits;
      }
    }
  }
  // Bring the digit string to exactly integerDigits + 2 places.
  if (integerDigits < 1) {
    digits.insert(0, static_cast<std::size_t>(1 - integerDigits), '0');
    integerDigits = 1;
  }
  digits.resize(static_cast<std::size_t>(integerDigits + kDecimals), '0');

  std::string text;
  if (negative && digits.find_first_not_of('0') != std::string::npos) {
    text.push_back('-');
  }
  std::size_t firstDigit = 0;
  while (firstDigit + 1 < static_cast<std::size_t>(integerDigits) && digits[firstDigit] == '0') {
    ++firstDigit;
  }
  text.append(digits, firstDigit, static_cast<std::size_t>(integerDigits) - firstDigit);
  text.append(decimalSeparator);
  text.append(digits, static_cast<std::size_t>(integerDigits), kDecimals);
  return text;
}

std::string SizeToText(std::int64_t bytes, std::string_view decimalSeparator) {
  const double value = static_cast<double>(bytes);
  if (value < 0) {
    return {};
  }
  constexpr double kKiB = 1024.0;
  constexpr double kMiB = kKiB * 1024.0;
  constexpr double kGiB = kMiB * 1024.0;
  // Powers of two: the divisions are exact.
  if (value < kKiB) {
    return FormatTwoDecimals(value, decimalSeparator) + " B";
  }
  if (value < kMiB) {
    return FormatTwoDecimals(value / kKiB, decimalSeparator) + " KB";
  }
  if (value < kGiB) {
    return FormatTwoDecimals(value / kMiB, decimalSeparator) + " MB";
  }
  return FormatTwoDecimals(value / kGiB, decimalSeparator) + " GB";
}

}  // namespace wolumetr
