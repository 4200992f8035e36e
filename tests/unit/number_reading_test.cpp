#include "settings/number_reading.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

namespace {

using wolumetr::FormatNumber;
using wolumetr::ParseNumber;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(ParseNumber, AcceptsTheWholeRule) {
  struct Case {
    const char* text;
    std::int32_t value;
  } cases[] = {
      // clang-format off
      {"190", 190},          {"  190", 190},        {"+190", 190},       {" -190", -190},
      {"007", 7},            {"0", 0},              {"-0", 0},           {"2147483647", kMax},
      {"-2147483648", kMin}, {"0000000000002147483647", kMax},
      {"$BE", 190},          {"xbe", 190},          {"XBe", 190},        {"0xBE", 190},
      {"0XbE", 190},         {"$20", 32},           {"0x20", 32},        {"$FFFFFFFF", -1},
      {"0x80000000", kMin},  {"$7FFFFFFF", kMax},   {"$000000000001", 1}, {"-$1", -1},
      {"-0x80000000", kMin}, {"-$FFFFFFFF", 1},     {"+$10", 16},        {"   $ff", 255},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseNumber(c.text), std::optional<std::int32_t>(c.value)) << '"' << c.text << '"';
  }
}

TEST(ParseNumber, RejectsEverythingElse) {
  const char* cases[] = {
      // clang-format off
      "",          " ",          "+",          "-",           "$",          "0x",        "-0x",
      "x",         "2147483648", "-2147483649", "99999999999999999999", "$100000000",
      "0x1FFFFFFFF", "190 ",     "1 2",        "1.0",         "12kB",       "\t190",     "+-1",
      "--1",       "- 1",        "$ 1",        "0x-1",        "$G",         "1e3",       "0b1",
      "$$1",       "0xx1",       "１",
      // clang-format on
  };
  for (const char* text : cases) {
    EXPECT_EQ(ParseNumber(text), std::nullopt) << '"' << text << '"';
  }
  EXPECT_EQ(ParseNumber(std::string_view("1\0", 2)), std::nullopt);
}

TEST(FormatNumber, WritesPlainDecimalThatReadsBack) {
  EXPECT_EQ(FormatNumber(0), "0");
  EXPECT_EQ(FormatNumber(412), "412");
  EXPECT_EQ(FormatNumber(-5), "-5");
  EXPECT_EQ(FormatNumber(kMin), "-2147483648");
  for (std::int32_t v : {kMin, -1, 0, 1, 190, kMax}) EXPECT_EQ(ParseNumber(FormatNumber(v)), v);
}

}  // namespace
