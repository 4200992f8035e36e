#pragma once
// The checks behind the fuzzers. Each takes any bytes, runs the code under test on them and
// throws CheckFailure when a result breaks one of its rules; the libFuzzer entry point turns
// that into a crash, and the unit tests replay the committed corpus through the same checks.
#include <stdexcept>
#include <string>
#include <string_view>

namespace wolumetr::fuzz {

class CheckFailure : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The bytes as the content of the settings file: every read the program makes, the close,
// the Options save and the drive-list save, and a set-and-remove of a key found in the file.
void CheckSettingsFile(std::string_view bytes);

// The bytes as a number text: ParseNumber against a plain model of the rule, FormatNumber of
// a value taken from the bytes read back in every spelling the rule allows.
void CheckNumberReading(std::string_view bytes);

// The first eight bytes as a byte count (little-endian) and as a double, the rest as the
// decimal separator: SizeToText and FormatTwoDecimals against exact decimal arithmetic.
void CheckSizeText(std::string_view bytes);

// Shared by the checks: a readable form of bytes for failure messages.
std::string Quoted(std::string_view bytes);
[[noreturn]] void Fail(const std::string& what);
inline void Expect(bool condition, const char* what) {
  if (!condition) Fail(what);
}

}  // namespace wolumetr::fuzz
