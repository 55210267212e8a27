#include <gtest/gtest.h>

#include "site/mSiteGeometry.h"

// Expected attenuations are worked by hand from Dz = 10 lg(3 + 20 z / 0.68),
// z = (source-to-top + top-to-receiver) - direct, all in meters.

namespace {

constexpr std::int32_t kFeet = 0;
constexpr std::int32_t kMeters = 1;

cBarrier wall(double x0, double y0, double x1, double y1, double top, const char* name = "Wall") {
  return cBarrier{name, {{x0, y0}, {x1, y1}}, top};
}

}  // namespace

TEST(SiteGeometry, LinkDistanceIsHorizontalForEqualHeightsAndSlantOtherwise) {
  EXPECT_DOUBLE_EQ(mSiteGeometry::linkDistance({0, 0, 1.5}, {30, 40, 1.5}), 50.0);
  EXPECT_DOUBLE_EQ(mSiteGeometry::linkDistance({0, 0, 0}, {3, 4, 12}), 13.0);
  EXPECT_DOUBLE_EQ(mSiteGeometry::linkDistance({-3, 2, 7}, {-3, 2, 7}), 0.0);
}

struct ShieldingCase {
  const char* what;
  std::vector<cBarrier> barriers;
  cSitePosition source, receiver;
  std::int32_t units;
  double attenuation;
  int barrier;
};

class BarrierShielding : public testing::TestWithParam<ShieldingCase> {};

TEST_P(BarrierShielding, MatchesHandWorkedValue) {
  const ShieldingCase& c = GetParam();
  const auto s = mSiteGeometry::barrierShielding(c.barriers, c.source, c.receiver, c.units);
  EXPECT_NEAR(s.attenuation, c.attenuation, 1e-9) << c.what;
  EXPECT_EQ(s.barrier, c.barrier) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    HandWorked, BarrierShielding,
    testing::Values(
        // z = 2 sqrt(5^2 + 2^2) - 10 = 0.770330 m
        ShieldingCase{"wall midway, 2 m top", {wall(5, -5, 5, 5, 2)}, {0, 0, 0}, {10, 0, 0}, kMeters,
                      14.092016993236367, 0},
        // the same shape in feet: z = 0.30480061 (2 sqrt(2600) - 100) = 0.603624 m
        ShieldingCase{"feet: lengths become meters", {wall(50, -50, 50, 50, 10)}, {0, 0, 0}, {100, 0, 0},
                      kFeet, 13.170945270122413, 0},
        // the sight line rises from 0 to 4 m; at the wall it is at 2 m, under the 3 m top:
        // z = sqrt(34) + sqrt(26) - sqrt(116) = 0.159642 m
        ShieldingCase{"heights differ", {wall(5, -5, 5, 5, 3)}, {0, 0, 0}, {10, 0, 4}, kMeters,
                      8.862282015366851, 0},
        ShieldingCase{"sight line over the top", {wall(5, -5, 5, 5, 4)}, {0, 0, 5}, {10, 0, 5}, kMeters, 0.0,
                      -1},
        ShieldingCase{"sight line exactly at the top", {wall(5, -5, 5, 5, 3)}, {0, 0, 3}, {10, 0, 3}, kMeters,
                      0.0, -1},
        // a wall through the source itself: z = 2 + sqrt(104) - 10 = 2.198039 m
        ShieldingCase{"barrier exactly at the source", {wall(0, -5, 0, 5, 2)}, {0, 0, 0}, {10, 0, 0}, kMeters,
                      18.302562881699195, 0},
        ShieldingCase{"barrier exactly at the receiver", {wall(10, -5, 10, 5, 2)}, {0, 0, 0}, {10, 0, 0},
                      kMeters, 18.302562881699195, 0},
        // the line passes through the wall's end point: it counts as crossed
        ShieldingCase{"grazing the barrier's end", {wall(5, 0, 5, 5, 2)}, {0, 0, 0}, {10, 0, 0}, kMeters,
                      14.092016993236367, 0},
        ShieldingCase{"just past the barrier's end", {wall(5, 0.001, 5, 5, 2)}, {0, 0, 0}, {10, 0, 0}, kMeters,
                      0.0, -1},
        ShieldingCase{"barrier beyond the receiver", {wall(12, -5, 12, 5, 9)}, {0, 0, 0}, {10, 0, 0}, kMeters,
                      0.0, -1},
        ShieldingCase{"barrier along the line of sight", {wall(2, 0, 8, 0, 9)}, {0, 0, 0}, {10, 0, 0}, kMeters,
                      0.0, -1},
        // z = 2 sqrt(25 + 100) - 10 = 12.36 m: 10 lg(3 + 363.5) is over the cap
        ShieldingCase{"capped at 20 dB", {wall(5, -5, 5, 5, 10)}, {0, 0, 0}, {10, 0, 0}, kMeters, 20.0, 0},
        // z 0.198039 m (1 m top) against 0.770330 m (2 m top): the larger wins
        ShieldingCase{"largest of two barriers",
                      {wall(5, -5, 5, 5, 1, "Low"), wall(5, -5, 5, 5, 2, "High")},
                      {0, 0, 0},
                      {10, 0, 0},
                      kMeters,
                      14.092016993236367,
                      1},
        // crossed at x = 3 (z = sqrt(13) + sqrt(53) - 10 = 0.885661 m) and at x = 5 (0.770330 m)
        ShieldingCase{"one barrier crossed twice keeps its best crossing",
                      {cBarrier{"Bend", {{3, -5}, {3, 5}, {5, 5}, {5, -5}}, 2}},
                      {0, 0, 0},
                      {10, 0, 0},
                      kMeters,
                      14.631290604190216,
                      0},
        ShieldingCase{"source straight above the receiver", {wall(-5, 0, 5, 0, 2)}, {0, 0, 10}, {0, 0, 0},
                      kMeters, 0.0, -1},
        ShieldingCase{"a barrier of one point", {cBarrier{"Post", {{5, 0}}, 2}}, {0, 0, 0}, {10, 0, 0}, kMeters,
                      0.0, -1}));

TEST(SiteGeometry, AttenuationFormulaEndsAndCap) {
  EXPECT_DOUBLE_EQ(mSiteGeometry::diffractionAttenuation(0.0), 0.0);
  EXPECT_DOUBLE_EQ(mSiteGeometry::diffractionAttenuation(-1.0), 0.0);
  // z = 0.68 m gives 10 lg 23
  EXPECT_NEAR(mSiteGeometry::diffractionAttenuation(0.68), 13.617278360175930, 1e-12);
  EXPECT_DOUBLE_EQ(mSiteGeometry::diffractionAttenuation(100.0), 20.0);
}
