#pragma once
#include <string>

namespace wolumetr {

// Text of the error box: the message with a full stop appended when its last
// character sorts after '.' (letters and digits do; '.', '!' or ')' do not).
std::string ErrorBoxText(std::string message);

}  // namespace wolumetr
