#include "fuzz_checks.h"

namespace wolumetr::fuzz {

std::string Quoted(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "\"";
  for (char c : bytes.substr(0, 200)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      text += c;
    } else {
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 15];
    }
  }
  return text + (bytes.size() > 200 ? "\"..." : "\"");
}

void Fail(const std::string& what) { throw CheckFailure(what); }

}  // namespace wolumetr::fuzz
