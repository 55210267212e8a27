#include "SF_Weighting.h"

#include <cmath>

#include <gtest/gtest.h>

#include "SF_SpectralTimeHistory.h"

namespace {

std::shared_ptr<SF_Spectrum> spectrum(std::initializer_list<std::pair<int, double>> levels) {
  auto s = std::make_shared<SF_Spectrum>();
  for (const auto& [band, level] : levels) s->SPL(static_cast<std::int16_t>(band), level);
  return s;
}

}  // namespace

TEST(Weighting, TabulatedWeightsAtNominalFrequencies) {
  struct Case {
    SF_WEIGHTING type;
    int band;
    double weight;
  };
  const Case cases[] = {
      {SF_WEIGHTING_A, 30, 0.0},   {SF_WEIGHTING_A, 20, -19.1}, {SF_WEIGHTING_A, 10, -70.4},
      {SF_WEIGHTING_A, 34, 1.3},   {SF_WEIGHTING_A, 43, -9.3},  {SF_WEIGHTING_C, 30, 0.0},
      {SF_WEIGHTING_C, 15, -3.0},  {SF_WEIGHTING_C, 43, -11.2}, {SF_WEIGHTING_Z, 10, 0.0},
      {SF_WEIGHTING_Z, 43, 0.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(SF_Weighting::Weight(c.type, c.band), c.weight) << c.band;
}

TEST(Weighting, BandsOutsideTheTableTakeTheExpressionAtTheExactFrequencyToATenth) {
  // 10^(n/10) Hz: band 9 is 7.943 Hz, band 44 25.119 kHz.
  EXPECT_DOUBLE_EQ(SF_Weighting::Weight(SF_WEIGHTING_A, 9), -77.8);
  EXPECT_DOUBLE_EQ(SF_Weighting::Weight(SF_WEIGHTING_C, 9), -17.7);
  EXPECT_DOUBLE_EQ(SF_Weighting::Weight(SF_WEIGHTING_A, 44), -12.4);
  EXPECT_DOUBLE_EQ(SF_Weighting::Weight(SF_WEIGHTING_C, 44), -14.3);
  EXPECT_DOUBLE_EQ(SF_Weighting::Weight(SF_WEIGHTING_A, 2), -132.6);
  EXPECT_DOUBLE_EQ(SF_Weighting::Weight(SF_WEIGHTING_Z, 50), 0.0);
}

TEST(Weighting, TableAgreesWithTheExpressionWithinATenth) {
  for (int band = 10; band <= 43; ++band) {
    const double f = std::pow(10.0, band / 10.0);
    for (SF_WEIGHTING type : {SF_WEIGHTING_A, SF_WEIGHTING_C})
      EXPECT_NEAR(SF_Weighting::Weight(type, band), SF_Weighting::AnalyticWeight(type, f), 0.1) << band;
  }
  EXPECT_NEAR(SF_Weighting::AnalyticWeight(SF_WEIGHTING_A, 1000.0), 0.0, 1e-3);
  EXPECT_NEAR(SF_Weighting::AnalyticWeight(SF_WEIGHTING_C, 1000.0), 0.0, 1e-3);
}

TEST(Weighting, LevelSumsWeightedBandEnergiesAndSkipsInvalidBands) {
  // 80 dB at 100 Hz and 60 dB at 1 kHz; band 25 holds no valid level.
  const auto s = spectrum({{20, 80.0}, {25, SF_INVALID_LEVEL}, {30, 60.0}});
  EXPECT_NEAR(SF_Weighting(SF_WEIGHTING_A).Level(*s), 63.4836, 1e-4);  // 60.9 and 60 combined
  EXPECT_NEAR(SF_Weighting(SF_WEIGHTING_C).Level(*s), 79.7463, 1e-4);  // 79.7 and 60
  EXPECT_NEAR(SF_Weighting(SF_WEIGHTING_Z).Level(*s), 80.0432, 1e-4);

  const auto none = spectrum({{20, SF_INVALID_LEVEL}});
  EXPECT_EQ(SF_Weighting().Level(*none), SF_INVALID_LEVEL);
  EXPECT_EQ(SF_Weighting().Level(SF_Spectrum()), SF_INVALID_LEVEL);
}

TEST(Weighting, FillsTheWeightedMetricsOfEveryRecordAndTheSummary) {
  SF_SpectralTimeHistory h;
  h.spectrum(1, spectrum({{20, 80.0}, {30, 60.0}}));
  h.spectrum(2, spectrum({{20, SF_INVALID_LEVEL}, {30, SF_INVALID_LEVEL}}));
  h.Metrics()->MetricType(SF_METRIC_LGB);
  SF_Weighting::setWeightedLevels(h);

  const auto m = h.spectrum(1)->Metric();
  ASSERT_TRUE(m->AWT().has_value());
  EXPECT_NEAR(*m->AWT(), 63.4836, 1e-4);
  EXPECT_NEAR(m->CWT(), 79.7463f, 1e-4);
  EXPECT_NEAR(m->OA(), 80.0432f, 1e-4);
  EXPECT_EQ(h.spectrum(2)->Metric()->OA(), SF_INVALID_LEVEL);
  EXPECT_EQ(h.Metrics()->MetricTypeString(), "LGB, AWT, CWT, OA");
}

TEST(Weighting, NamesInEitherCase) {
  SF_WEIGHTING t = SF_WEIGHTING_Z;
  EXPECT_TRUE(SF_Weighting::FromName("c", t));
  EXPECT_EQ(t, SF_WEIGHTING_C);
  EXPECT_FALSE(SF_Weighting::FromName("B", t));
  EXPECT_FALSE(SF_Weighting::FromName("AC", t));
  EXPECT_EQ(t, SF_WEIGHTING_C);
}
