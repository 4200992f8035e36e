#include "display/drive_table.h"

#include <gtest/gtest.h>

#include <string>

namespace wolumetr {
namespace {

TEST(DriveNumberOf, MapsEveryListedRoot) {
  for (char letter = 'c'; letter <= 'z'; ++letter) {
    const std::string lower{letter, ':', '\\'};
    const std::string upper{static_cast<char>(letter - 'a' + 'A'), ':', '\\'};
    const auto expected = static_cast<std::uint8_t>(letter - 'a' + 1);
    EXPECT_EQ(DriveNumberOf(lower), expected) << lower;
    EXPECT_EQ(DriveNumberOf(upper), expected) << upper;
  }
}

TEST(DriveNumberOf, AnythingElseIsTheCurrentDrive) {
  for (const char* value :
       {"", "0", "c", "c:", "c:/", "c:\\\\", " c:\\", "c:\\ ", "a:\\", "b:\\", "B:\\", "1:\\", "cc\\", "\xC4\x85:\\"}) {
    EXPECT_EQ(DriveNumberOf(value), 0) << value;
  }
}

TEST(DriveLetterText, DropsSecondAndThirdCharacter) {
  EXPECT_EQ(DriveLetterText("c:\\"), "C");
  EXPECT_EQ(DriveLetterText("D:\\"), "D");
  EXPECT_EQ(DriveLetterText("c:"), "C");
  EXPECT_EQ(DriveLetterText("c"), "C");
  EXPECT_EQ(DriveLetterText(""), "");
  EXPECT_EQ(DriveLetterText("abcdef"), "ADEF");
  EXPECT_EQ(DriveLetterText("\\\\server\\share"), "\\ERVER\\SHARE");
}

TEST(DriveLetterText, KeepsUtf8Whole) {
  // Polish letters are two bytes each; they must not be cut in half.
  EXPECT_EQ(DriveLetterText("\xC5\xBC\xC3\xB3\xC5\x82w"), "\xC5\xBCW");
  EXPECT_EQ(DriveLetterText("a\xC4\x85\xC4\x99x"), "AX");
  // A stray continuation byte counts as one character.
  EXPECT_EQ(DriveLetterText("\x80\x81\x82z"), "\x80Z");
  // So do C0 and C1: they could only lead an overlong form, so they begin no character.
  EXPECT_EQ(DriveLetterText("\xC0\x80\x80z"), "\xC0Z");
  EXPECT_EQ(DriveLetterText("\xC1\x81\x81z"), "\xC1Z");
}

TEST(RootPathOf, LettersAndNone) {
  EXPECT_EQ(RootPathOf(1), "A:\\");
  EXPECT_EQ(RootPathOf(3), "C:\\");
  EXPECT_EQ(RootPathOf(26), "Z:\\");
  EXPECT_EQ(RootPathOf(0), "");
  EXPECT_EQ(RootPathOf(27), "");
  EXPECT_EQ(RootPathOf(255), "");
  for (std::uint8_t n = 3; n <= 26; ++n) {
    EXPECT_EQ(DriveNumberOf(RootPathOf(n)), n);
  }
}

}  // namespace
}  // namespace wolumetr
