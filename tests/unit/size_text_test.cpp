#include "display/size_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace wolumetr {
namespace {

struct SizeCase {
  std::int64_t bytes;
  const char* text;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.bytes << " -> \"" << c.text << '"'; }

class SizeToTextTable : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeToTextTable, FormatsWithUnit) { EXPECT_EQ(SizeToText(GetParam().bytes), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(UnitBoundaries, SizeToTextTable,
                         ::testing::Values(SizeCase{0, "0.00 B"}, SizeCase{1, "1.00 B"}, SizeCase{1023, "1023.00 B"},
                                           SizeCase{1024, "1.00 KB"}, SizeCase{1034, "1.01 KB"},
                                           SizeCase{1048575, "1024.00 KB"}, SizeCase{1048576, "1.00 MB"},
                                           SizeCase{1073741823, "1024.00 MB"}, SizeCase{1073741824, "1.00 GB"},
                                           SizeCase{1099511627776, "1024.00 GB"}, SizeCase{-1, ""},
                                           SizeCase{std::numeric_limits<std::int64_t>::min(), ""}));

// Quotients with an exact 5 in the third decimal round away from zero,
// where the C library would round to even.
INSTANTIATE_TEST_SUITE_P(HalvesRoundUp, SizeToTextTable,
                         ::testing::Values(SizeCase{1152, "1.13 KB"},        // 1.125
                                           SizeCase{1151, "1.12 KB"},        // 1.1240234375
                                           SizeCase{1408, "1.38 KB"},        // 1.375
                                           SizeCase{2688, "2.63 KB"},        // 2.625
                                           SizeCase{1966080, "1.88 MB"},     // 1.875
                                           SizeCase{1207959552, "1.13 GB"},  // 1.125
                                           SizeCase{1048064, "1023.50 KB"},  // 1023.5 stays
                                           SizeCase{1048570, "1023.99 KB"},  // 1023.994140625
                                           SizeCase{1048571, "1024.00 KB"}   // 1023.9951171875 carries
                                           ));

INSTANTIATE_TEST_SUITE_P(HugeCounts, SizeToTextTable,
                         ::testing::Values(SizeCase{std::numeric_limits<std::int64_t>::max(), "8589934592.00 GB"},
                                           SizeCase{std::int64_t{1} << 50, "1048576.00 GB"},
                                           SizeCase{(std::int64_t{1} << 40) + (std::int64_t{1} << 27), "1024.13 GB"}));

TEST(SizeToText, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(SizeToText(1152, ","), "1,13 KB");
  EXPECT_EQ(SizeToText(0, ","), "0,00 B");
  EXPECT_EQ(SizeToText(1099511627776, "\xC2\xB7"),
            "1024\xC2\xB7"
            "00 GB");
}

TEST(FormatTwoDecimals, RoundsTheEighteenDigitValueHalfUp) {
  EXPECT_EQ(FormatTwoDecimals(0.125), "0.13");
  EXPECT_EQ(FormatTwoDecimals(2.5), "2.50");
  EXPECT_EQ(FormatTwoDecimals(0.005), "0.01");
  EXPECT_EQ(FormatTwoDecimals(0.004), "0.00");
  EXPECT_EQ(FormatTwoDecimals(0.0001), "0.00");
  EXPECT_EQ(FormatTwoDecimals(9.995), "9.99");  // the double lies below 9.995
  EXPECT_EQ(FormatTwoDecimals(99.999), "100.00");
  EXPECT_EQ(FormatTwoDecimals(-1.125), "-1.13");
  EXPECT_EQ(FormatTwoDecimals(-0.001), "0.00");
  EXPECT_EQ(FormatTwoDecimals(1e20), "100000000000000000000.00");
}

}  // namespace
}  // namespace wolumetr
