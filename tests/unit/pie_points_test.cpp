#include "display/pie_points.h"

#include <gtest/gtest.h>

#include "display_printers.h"

#include <cmath>
#include <limits>

namespace wolumetr {
namespace {

struct RadialCase {
  int angle;
  PiePoint start;
  PiePoint end;
};

void PrintTo(const RadialCase& c, std::ostream* os) { *os << "angle " << c.angle; }

class RadialPoints : public ::testing::TestWithParam<RadialCase> {};

TEST_P(RadialPoints, StartRoundsDownEndRoundsUp) {
  EXPECT_EQ(StartOffset(GetParam().angle), GetParam().start);
  EXPECT_EQ(EndOffset(GetParam().angle), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(Dial, RadialPoints,
                         ::testing::Values(RadialCase{0, {100, 0}, {100, 0}}, RadialCase{1, {99, -1}, {100, -2}},
                                           RadialCase{45, {70, -70}, {71, -71}}, RadialCase{60, {50, -86}, {50, -87}},
                                           RadialCase{90, {0, -100}, {1, -100}}, RadialCase{180, {-100, 0}, {-100, -1}},
                                           RadialCase{270, {-1, 100}, {0, 100}}, RadialCase{359, {99, 2}, {100, 1}},
                                           RadialCase{360, {100, 1}, {100, 0}},
                                           // Angles are not normalised: 450 lands next to 90, -90 next to 270.
                                           RadialCase{450, {0, -100}, {1, -100}}, RadialCase{-90, {0, 100}, {1, 100}}));

TEST(PieCall, DefaultAndTileGauges) {
  EXPECT_EQ(ComputePieCall(100, 100, 180, 90), (PieCall{0, 0, 100, 100, {-50, 50}, {51, -50}}));
  EXPECT_EQ(ComputePieCall(65, 65, 0, 90), (PieCall{0, 0, 65, 65, {132, 32}, {33, -68}}));
  // Empty and full gauges: both rays point to 3 o'clock.
  EXPECT_EQ(ComputePieCall(65, 65, 0, 0), (PieCall{0, 0, 65, 65, {132, 32}, {132, 32}}));
  EXPECT_EQ(ComputePieCall(65, 65, 0, 360), (PieCall{0, 0, 65, 65, {132, 32}, {132, 32}}));
  // Reversed, the rays differ by one pixel: a sliver, not a disc.
  EXPECT_EQ(ComputePieCall(65, 65, 360, 0), (PieCall{0, 0, 65, 65, {132, 33}, {132, 32}}));
}

// The x87 computes the radians in 80-bit extended precision; the portable
// integer rounding must give the same doubles, and therefore the same
// points, wherever long double is that format.
TEST(DegreesToRadians, MatchesExtendedPrecision) {
  if (std::numeric_limits<long double>::digits != 64) {
    GTEST_SKIP() << "long double is not the 80-bit extended format here";
  }
  const long double oneOver180 = 1.0L / 180;
  const long double pi = static_cast<long double>(3.141592653589793);
  const auto extended = [&](int angle) {
    return static_cast<double>(static_cast<long double>(angle) * oneOver180 * pi);
  };
  for (int angle = -720; angle <= 720; ++angle) {
    const double radians = extended(angle);
    ASSERT_EQ(DegreesToRadians(angle), radians) << angle;
    const long double x = radians;
    const auto c = static_cast<double>(static_cast<float>(std::cos(x)));
    const auto s = static_cast<double>(static_cast<float>(std::sin(x)));
    ASSERT_EQ(StartOffset(angle),
              (PiePoint{static_cast<int>(std::floor(100.0L * c)), -static_cast<int>(std::floor(100.0L * s))}))
        << angle;
    ASSERT_EQ(EndOffset(angle),
              (PiePoint{static_cast<int>(std::ceil(100.0L * c)), -static_cast<int>(std::ceil(100.0L * s))}))
        << angle;
  }
  for (int angle : {std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 123456789, -987654321, 1 << 30,
                    65536 * 180 + 1}) {
    EXPECT_EQ(DegreesToRadians(angle), extended(angle)) << angle;
  }
}

TEST(DegreesToRadians, HalfTurnIsPiAndSignIsSymmetric) {
  EXPECT_EQ(DegreesToRadians(0), 0.0);
  EXPECT_EQ(DegreesToRadians(180), 3.141592653589793);
  for (int angle = 1; angle <= 100000; angle += 997) {
    ASSERT_EQ(DegreesToRadians(-angle), -DegreesToRadians(angle));
  }
}

}  // namespace
}  // namespace wolumetr
