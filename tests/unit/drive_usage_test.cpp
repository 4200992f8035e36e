#include "display/drive_usage.h"
#include "display/tile_speech.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>

namespace wolumetr {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

struct UsageCase {
  std::int64_t free;
  std::int64_t total;
  std::int32_t usedPercent;
  std::int32_t endAngle;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << "free " << c.free << " of " << c.total; }

class UsageTable : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageTable, PercentAndAngles) {
  const UsageCase& c = GetParam();
  const TileFigures f = ComputeTileFigures(c.free, c.total, ".");
  EXPECT_TRUE(f.measured);
  EXPECT_EQ(f.usedPercent, c.usedPercent);
  EXPECT_EQ(f.startAngle, 0);
  EXPECT_EQ(f.endAngle, c.endAngle);
  EXPECT_EQ(f.showWedge, c.usedPercent > 0);
}

INSTANTIATE_TEST_SUITE_P(Measured, UsageTable,
                         ::testing::Values(UsageCase{30, 100, 70, 252}, UsageCase{1, 3, 67, 241},
                                           UsageCase{2, 3, 34, 122}, UsageCase{100, 100, 0, 0},
                                           UsageCase{0, 100, 100, 360}, UsageCase{50, 100, 50, 180},
                                           UsageCase{335, 1000, 67, 241},  // 33.5 % free rounds the used share up
                                           UsageCase{999, 1000, 1, 3},
                                           // Products with 100 that overflow 64 bits.
                                           UsageCase{kMax / 2, kMax, 51, 183}, UsageCase{kMax - 1, kMax, 1, 3},
                                           UsageCase{kMax / 100 + 1, kMax, 99, 356}));

// Figures that make no sense still give a sane gauge.
INSTANTIATE_TEST_SUITE_P(Inconsistent, UsageTable,
                         ::testing::Values(UsageCase{0, 0, 0, 0}, UsageCase{5, 0, 0, 0}, UsageCase{200, 100, 0, 0},
                                           UsageCase{kMax, 1, 0, 0}));

TEST(TileFigures, InconsistentSizesShowNothingUsed) {
  const TileFigures beyond = ComputeTileFigures(200, 100, ".");
  EXPECT_EQ(beyond.total, "100.00 B");
  EXPECT_EQ(beyond.used, "0.00 B");
  EXPECT_EQ(beyond.free, "200.00 B");
  const TileFigures zero = ComputeTileFigures(0, 0, ".");
  EXPECT_TRUE(zero.measured);
  EXPECT_EQ(zero.used, "0.00 B");
}

TEST(TileFigures, UnmeasurableDriveShowsNoFigures) {
  for (const auto& [free, total] : {std::pair<std::int64_t, std::int64_t>{-1, -1}, {-1, 100}, {100, -1}, {0, -1}}) {
    const TileFigures f = ComputeTileFigures(free, total, ".");
    EXPECT_FALSE(f.measured) << free << "/" << total;
    EXPECT_EQ(f.usedPercent, 0);
    EXPECT_EQ(f.startAngle, 0);
    EXPECT_EQ(f.endAngle, 0);
    EXPECT_FALSE(f.showWedge);
    EXPECT_EQ(f.total, "");
    EXPECT_EQ(f.used, "");
    EXPECT_EQ(f.free, "");
  }
}

// What a screen reader hears: the letter and volume as shown, the used share and the three sizes
// (the texts of a measured drive are checked here, in what is spoken of them).
TEST(TileFigures, SpokenAsTheTileShowsThem) {
  const TileFigures f = ComputeTileFigures(1152, 1048576, ",");
  EXPECT_EQ(TileSpokenValue(f.usedPercent, f.total, f.used, f.free),
            "Zajęte 100 %, pojemność 1,00 MB, zajęte 1022,88 KB, wolne 1,13 KB");
  const TileFigures empty = ComputeTileFigures(1024, 1024, ",");
  EXPECT_EQ(TileSpokenValue(empty.usedPercent, empty.total, empty.used, empty.free),
            "Zajęte 0 %, pojemność 1,00 KB, zajęte 0,00 B, wolne 1,00 KB")
      << "measured and empty, not unmeasured";
  EXPECT_EQ(TileSpokenValue(-1, "", "", ""), "Brak pomiaru");
  EXPECT_EQ(TileSpokenName("C", "Dane użytkownika"), "Dysk C: Dane użytkownika");
  EXPECT_EQ(TileSpokenName("C", ""), "Dysk C:") << "no trailing space for a volume without a name";
}

TEST(PercentFree, MatchesExactTruncationOnSmallValues) {
  for (std::int64_t total = 1; total <= 300; ++total) {
    for (std::int64_t free = 0; free <= total; ++free) {
      ASSERT_EQ(PercentFree(free, total), free * 100 / total) << free << "/" << total;
    }
  }
}

}  // namespace
}  // namespace wolumetr
