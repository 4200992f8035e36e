#include "win/error_message.h"

namespace wolumetr {

std::string ErrorBoxText(std::string message) {
  // Compare as unsigned bytes: a trailing UTF-8 letter (ą, ł, ...) sorts after '.' too.
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
    message += '.';
  }
  return message;
}

}  // namespace wolumetr
