#include "common/ascii.h"

#include <gtest/gtest.h>

namespace {

using wolumetr::AsciiLower;
using wolumetr::AsciiUpper;
using wolumetr::EqualIgnoringAsciiCase;

TEST(Ascii, FoldsOnlyTheAsciiLetters) {
  EXPECT_EQ(AsciiLower("C:\\Dane Ż@[`{"), "c:\\dane Ż@[`{");
  EXPECT_EQ(AsciiUpper('z'), 'Z');
  EXPECT_EQ(AsciiUpper('{'), '{');
  EXPECT_EQ(AsciiLower('@'), '@');
}

TEST(Ascii, ComparesIgnoringCase) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {
      {"Dyski", "DYSKI", true}, {"d:\\", "D:\\", true}, {"", "", true},    {"Dysk", "Dyski", false},
      {"[", "{", false},        {"@", "`", false},      {"Ż", "ż", false},  // UTF-8 letters keep their case
  };
  for (const Case& c : cases) EXPECT_EQ(EqualIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

}  // namespace
