#include "SF_LevelStatistics.h"

#include <cmath>

#include <gtest/gtest.h>

#include "SF_Enums.h"
#include "SF_FileText.h"
#include "SF_Periods.h"

namespace {

std::string shown(double level) { return SF_FileText::fixed(level, 1); }

SF_LevelStatistics run(std::initializer_list<std::pair<double, double>> levelsAndSeconds) {
  SF_LevelStatistics s;
  for (const auto& [level, seconds] : levelsAndSeconds) s.add(level, seconds);
  return s;
}

}  // namespace

TEST(LevelStatistics, ConstantHourGivesItsLevelForEveryStatistic) {
  SF_LevelStatistics s;
  for (int i = 0; i < 7200; ++i) s.add(60.0, 0.5);
  EXPECT_EQ(shown(s.Leq()), "60.0");
  EXPECT_EQ(shown(s.Ln(10)), "60.0");
  EXPECT_EQ(shown(s.Ln(90)), "60.0");
  EXPECT_EQ(shown(s.SEL()), "95.6");  // 60 + 10 log10(3600)
  EXPECT_DOUBLE_EQ(s.Seconds(), 3600.0);
}

TEST(LevelStatistics, TwoEqualHalvesAt50And70) {
  SF_LevelStatistics s;
  for (int i = 0; i < 7200; ++i) s.add(i < 3600 ? 50.0 : 70.0, 0.5);
  EXPECT_EQ(shown(s.Leq()), "67.0");  // 10 log10((10^5 + 10^7) / 2)
  EXPECT_EQ(s.Lmax(), 70.0);
  EXPECT_EQ(s.Lmin(), 50.0);
  EXPECT_EQ(s.Ln(10), 70.0);
  EXPECT_EQ(s.Ln(50), 70.0);  // the loud half just reaches 50 %
  EXPECT_EQ(s.Ln(90), 50.0);
}

TEST(LevelStatistics, LnIsTheRecordWhereTheRunningDurationFirstReachesNPercent) {
  // Ten records of 1 s at 1 to 10 dB, added quietest first.
  SF_LevelStatistics s;
  for (int level = 1; level <= 10; ++level) s.add(level, 1.0);
  struct Case {
    double n;
    double level;
  };
  for (const Case c : {Case{10, 10}, Case{15, 9}, Case{20, 9}, Case{50, 6}, Case{90, 2}, Case{100, 1}, Case{0.1, 10}})
    EXPECT_EQ(s.Ln(c.n), c.level) << "L" << c.n;
  EXPECT_EQ(s.Ln(0), SF_INVALID_LEVEL);
  EXPECT_EQ(s.Ln(101), SF_INVALID_LEVEL);
}

TEST(LevelStatistics, DurationsWeightEveryStatistic) {
  const auto s = run({{80.0, 1.0}, {40.0, 9.0}});
  EXPECT_NEAR(s.Leq(), 70.0039, 1e-4);  // 10 log10((10^8 + 9·10^4) / 10)
  EXPECT_EQ(s.Ln(10), 80.0);
  EXPECT_EQ(s.Ln(11), 40.0);
  EXPECT_NEAR(s.SEL(), 80.0039, 1e-4);
}

TEST(LevelStatistics, EmptyRunHasNoStatisticAndBadInputIsLeftOut) {
  auto s = run({{std::nan(""), 1.0}, {50.0, 0.0}, {50.0, -1.0}});
  EXPECT_TRUE(s.Empty());
  for (double v : {s.Leq(), s.Lmax(), s.Lmin(), s.SEL(), s.Ln(50)}) EXPECT_EQ(v, SF_INVALID_LEVEL);
}

TEST(Periods, DefaultDayEveningNightCoverTheClockOnce) {
  const SF_Periods p = SF_Periods::Default();
  ASSERT_EQ(p.Count(), 3u);
  EXPECT_EQ(p.Period(0).name, "Day");
  struct Case {
    const char* at;
    double seconds;
    std::size_t period;
  };
  const Case cases[] = {{"07:00", 7 * 3600.0, 0},       {"18:59:59.5", 68399.5, 0}, {"19:00", 19 * 3600.0, 1},
                        {"22:00", 22 * 3600.0, 2},      {"midnight", 0.0, 2},       {"06:59:59.5", 25199.5, 2},
                        {"next day 23:00", 86400.0 + 82800.0, 2}};
  for (const auto& c : cases)
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(p.Contains(i, c.seconds), i == c.period) << c.at << " in " << i;
}

TEST(Periods, ParsesOwnPeriodsAndRefusesMalformedOnes) {
  SF_Periods p;
  std::string error;
  ASSERT_TRUE(SF_Periods::Parse("Early=05:30-07:00, Late=23:00-24:00,All=00:00-24:00", p, error)) << error;
  ASSERT_EQ(p.Count(), 3u);
  EXPECT_TRUE(p.Contains(0, 5.5 * 3600));
  EXPECT_FALSE(p.Contains(0, 7 * 3600));
  EXPECT_TRUE(p.Contains(1, 86399));
  EXPECT_FALSE(p.Contains(1, 0));
  EXPECT_TRUE(p.Contains(2, 12345));
  EXPECT_EQ(SF_Periods::ClockText(p.Period(0).start), "05:30");

  ASSERT_TRUE(SF_Periods::Parse("whole", p, error));
  EXPECT_TRUE(p.Period(0).wholeRun);
  ASSERT_TRUE(SF_Periods::Parse("default", p, error));
  EXPECT_EQ(p.Count(), 3u);

  for (const char* bad : {"Day=7-19", "=07:00-19:00", "Day=07:00", "Day=25:00-01:00", "Day=07:60-08:00",
                          "Day=24:30-01:00", "A=01:00-02:00,A=03:00-04:00", ""}) {
    error.clear();
    EXPECT_FALSE(SF_Periods::Parse(bad, p, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
  EXPECT_EQ(p.Count(), 3u);  // left as it was
}
