#pragma once
// Case folding of ASCII letters only: drive letters, settings keys and section names. Other
// bytes, UTF-8 ones included, stay as they are.
#include <string>
#include <string_view>

namespace wolumetr {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiLower(std::string text);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace wolumetr
