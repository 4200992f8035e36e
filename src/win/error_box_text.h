#pragma once
// The error box's rule for its text, kept portable so that it is tested natively.
#include <string>

namespace wolumetr {

// Text of the error box: the message with a full stop appended when its last
// character sorts after '.' (letters and digits do; '.', '!' or ')' do not).
std::string ErrorBoxText(std::string message);

}  // namespace wolumetr
