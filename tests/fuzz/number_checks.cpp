#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_checks.h"
#include "settings/number_reading.h"
#include "settings/options_rules.h"

namespace wolumetr::fuzz {
namespace {

int DigitValue(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// The reading rule written out plainly: count the significant digits instead of watching for
// overflow digit by digit.
std::optional<std::int32_t> ModelParse(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (text.substr(0, prefix.size()) == prefix) {
      base = 16;
      text.remove_prefix(prefix.size());
      break;
    }
  }
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (DigitValue(c, base) < 0) return std::nullopt;
  }
  while (!text.empty() && text.front() == '0') text.remove_prefix(1);
  if (text.size() > (base == 16 ? 8u : 10u)) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : text) magnitude = magnitude * base + DigitValue(c, base);
  if (base == 10) {
    if (magnitude > (negative ? 2147483648LL : 2147483647LL)) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  }
  std::int64_t value = magnitude >= 2147483648LL ? magnitude - 4294967296LL : magnitude;
  if (negative) value = -value;
  if (value > 2147483647LL) value -= 4294967296LL;  // only -INT32_MIN gets here
  return static_cast<std::int32_t>(value);
}

std::string ModelFormat(std::int32_t value) {
  std::int64_t magnitude = value < 0 ? -static_cast<std::int64_t>(value) : value;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return value < 0 ? "-" + digits : digits;
}

std::string Hex(std::uint32_t bits) {
  static constexpr char kDigits[] = "0123456789aBcDeF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[bits % 16]);
    bits /= 16;
  } while (bits != 0);
  return text;
}

void ExpectReads(const std::string& text, std::int32_t value) {
  if (ParseNumber(text) != value) Fail("\"" + text + "\" does not read as " + ModelFormat(value));
}

}  // namespace

void CheckNumberReading(std::string_view bytes) {
  const std::optional<std::int32_t> parsed = ParseNumber(bytes);
  const std::optional<std::int32_t> model = ModelParse(bytes);
  if (parsed != model) {
    Fail(Quoted(bytes) + " reads as " + (parsed ? ModelFormat(*parsed) : "nothing") + ", the rule gives " +
         (model ? ModelFormat(*model) : "nothing"));
  }

  // The Options window's number fields follow the same rule.
  try {
    const std::int32_t field = FieldNumber(bytes);
    Expect(parsed == field, "a number field reads differently from the settings file");
  } catch (const InvalidIntegerError& error) {
    Expect(!parsed, "a number field refuses a number");
    // what() is a C string: the message ends at a NUL of the field.
    const std::string message = "'" + std::string(bytes) + "' is not a valid integer value";
    Expect(error.what() == message.substr(0, message.find('\0')), "the refused-field message does not quote the field");
  }
  Expect(CheckIntervalField(bytes).invalid == !parsed, "the period field judges a number differently");
  Expect(CheckOpacityField(bytes).invalid == !parsed, "the opacity field judges a number differently");

  // A value from the bytes themselves, written and read back in every allowed spelling.
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i) {
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  const auto value = static_cast<std::int32_t>(bits);
  const std::string written = FormatNumber(value);
  if (written != ModelFormat(value)) Fail(ModelFormat(value) + " is written as \"" + written + "\"");
  ExpectReads(written, value);
  ExpectReads("   " + written, value);
  if (value >= 0) ExpectReads("+" + written, value);
  ExpectReads("$" + Hex(bits), value);
  ExpectReads("0X000" + Hex(bits), value);
  ExpectReads("-x" + Hex(0u - bits), value);
}

}  // namespace wolumetr::fuzz
