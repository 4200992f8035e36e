#include "display/drive_table.h"

#include "common/ascii.h"
#include "common/drive_slots.h"

namespace wolumetr {

namespace {

constexpr std::uint8_t kFirstListedDrive = 3;  // C:
constexpr std::uint8_t kLastDrive = 26;        // Z:

// Length in bytes of the UTF-8 character starting at text[pos]; malformed
// bytes count as one character each.
std::size_t CharacterLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 1;
  if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  } else if (lead >= 0xE0) {
    length = (lead <= 0xEF) ? 3 : 1;
  } else if (lead >= 0xC2) {
    length = 2;
  }
  if (pos + length > text.size()) {
    return 1;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) {
      return 1;
    }
  }
  return length;
}

}  // namespace

std::uint8_t DriveNumberOf(std::string_view slotValue) {
  if (!IsDriveRoot(slotValue)) {
    return 0;
  }
  return static_cast<std::uint8_t>(kFirstListedDrive + (AsciiLower(slotValue[0]) - 'c'));
}

std::string DriveLetterText(std::string_view slotValue) {
  std::string text;
  std::size_t pos = 0;
  for (int index = 0; pos < slotValue.size(); ++index) {
    const std::size_t length = CharacterLength(slotValue, pos);
    if (index != 1 && index != 2) {
      for (std::size_t i = 0; i < length; ++i) {
        text.push_back(AsciiUpper(slotValue[pos + i]));
      }
    }
    pos += length;
  }
  return text;
}

std::string RootPathOf(std::uint8_t driveNumber) {
  if (driveNumber == 0 || driveNumber > kLastDrive) {
    return {};
  }
  return {static_cast<char>('A' + driveNumber - 1), ':', '\\'};
}

}  // namespace wolumetr
