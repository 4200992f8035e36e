#pragma once
// UTF-8 (the portable core's text) to UTF-16 (the W calls) and back, at the layer's edge.
#include <string>
#include <string_view>

namespace wolumetr::win {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace wolumetr::win
