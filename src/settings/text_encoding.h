#pragma once
// Settings files saved by an editor as "Unicode": UTF-16 with a byte-order mark. The program
// works on UTF-8 text and writes such a file back in the encoding it came in.
#include <string>
#include <string_view>

namespace wolumetr {

enum class TextEncoding { Utf8, Utf16Le, Utf16Be };

struct DecodedText {
  TextEncoding encoding = TextEncoding::Utf8;
  std::string utf8;  // for UTF-16, without the byte-order mark
  std::string tail;  // an odd last byte of a UTF-16 file, kept for the way back
};

// UTF-16 (by its byte-order mark) becomes UTF-8; anything else is taken as it is. A lone
// surrogate is carried as its own three-byte sequence, so that encoding gives back exactly the
// bytes that came in.
DecodedText DecodeText(std::string_view bytes);
std::string EncodeText(const DecodedText& text);

}  // namespace wolumetr
