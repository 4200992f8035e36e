#include "settings/text_encoding.h"

#include <cstdint>

namespace wolumetr {
namespace {

constexpr std::string_view kLeMark = "\xFF\xFE";
constexpr std::string_view kBeMark = "\xFE\xFF";

std::uint32_t Unit(std::string_view bytes, std::size_t at, bool bigEndian) {
  const auto first = static_cast<unsigned char>(bytes[at]);
  const auto second = static_cast<unsigned char>(bytes[at + 1]);
  return bigEndian ? (first << 8u) | second : (second << 8u) | first;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  const auto put = [&out](std::uint32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (code < 0x80) {
    put(code);
  } else if (code < 0x800) {
    put(0xC0 | (code >> 6));
    put(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    put(0xE0 | (code >> 12));
    put(0x80 | ((code >> 6) & 0x3F));
    put(0x80 | (code & 0x3F));
  } else {
    put(0xF0 | (code >> 18));
    put(0x80 | ((code >> 12) & 0x3F));
    put(0x80 | ((code >> 6) & 0x3F));
    put(0x80 | (code & 0x3F));
  }
}

void AppendUnit(std::string& out, std::uint32_t unit, bool bigEndian) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  out.push_back(bigEndian ? high : low);
  out.push_back(bigEndian ? low : high);
}

// The next code point of (generalised) UTF-8 at `at`; a byte that starts no sequence stands
// for itself, as U+0080..U+00FF cannot, so it is kept as a replacement character instead.
std::uint32_t NextCode(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || at + static_cast<std::size_t>(length) > text.size()) {
    ++at;
    return 0xFFFD;
  }
  std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return 0xFFFD;
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  at += static_cast<std::size_t>(length);
  return code;
}

}  // namespace

DecodedText DecodeText(std::string_view bytes) {
  DecodedText text;
  const bool little = bytes.starts_with(kLeMark);
  if (!little && !bytes.starts_with(kBeMark)) {
    text.utf8 = std::string(bytes);
    return text;
  }
  text.encoding = little ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
  const bool big = !little;
  std::size_t at = 2;
  for (; at + 1 < bytes.size(); at += 2) {
    std::uint32_t code = Unit(bytes, at, big);
    if (code >= 0xD800 && code < 0xDC00 && at + 3 < bytes.size()) {
      const std::uint32_t low = Unit(bytes, at + 2, big);
      if (low >= 0xDC00 && low < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    AppendUtf8(text.utf8, code);
  }
  text.tail = std::string(bytes.substr(at));
  return text;
}

std::string EncodeText(const DecodedText& text) {
  if (text.encoding == TextEncoding::Utf8) return text.utf8;
  const bool big = text.encoding == TextEncoding::Utf16Be;
  std::string out(big ? kBeMark : kLeMark);
  for (std::size_t at = 0; at < text.utf8.size();) {
    std::uint32_t code = NextCode(text.utf8, at);
    if (code > 0x10FFFF) code = 0xFFFD;
    if (code >= 0x10000) {
      AppendUnit(out, 0xD800 + ((code - 0x10000) >> 10), big);
      AppendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF), big);
    } else {
      AppendUnit(out, code, big);
    }
  }
  return out + text.tail;
}

}  // namespace wolumetr
