#include "win/error_message.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorBoxText, AddsFullStopOnlyAfterCharactersSortingAfterIt) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"Unable to write to C:\\x\\wolumetr.ini", "Unable to write to C:\\x\\wolumetr.ini."},
      {"Cannot create shell notification icon", "Cannot create shell notification icon."},
      {"Done.", "Done."},
      {"Why?", "Why?."},   // '?' sorts after '.'
      {"Oops!", "Oops!"},  // '!' sorts before '.'
      {"(x)", "(x)"},
      {"7", "7."},
      {"", ""},
      {"Błąd", "Błąd."},
      {"żółć", "żółć."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(wolumetr::ErrorBoxText(c.in), c.out) << c.in;
  }
}

}  // namespace
