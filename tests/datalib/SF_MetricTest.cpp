#include <gtest/gtest.h>

#include "SF_DataError.h"
#include "SF_Metric.h"
#include "SF_MetricSummary.h"

TEST(SF_Metric, NamedPropertiesAndMetricValueShareEntries) {
  SF_Metric m;
  EXPECT_EQ(m.PNLT(), 0.0f);
  EXPECT_FALSE(m.MetricValue(SF_METRIC_PNLT).has_value());
  m.PNLT(95.5);
  EXPECT_EQ(m.MetricValue(SF_METRIC_PNLT), 95.5);
  m.MetricValue(SF_METRIC_PNL, 80.25);
  EXPECT_EQ(m.PNL(), 80.25f);
  m.LGB(0);
  m.LGB(28);
  EXPECT_EQ(m.LGB(), 28.0f);
  m.PNL(0.1);  // single precision on the way in
  EXPECT_EQ(*m.MetricValue(SF_METRIC_PNL), static_cast<double>(0.1f));
  m.MetricValue(SF_METRIC_OA, 1e300);
  EXPECT_THROW((void)m.OA(), SF_DataError);
}

TEST(SF_Metric, AWeightedAndIntegrationValues) {
  SF_Metric m;
  EXPECT_FALSE(m.AWT().has_value());
  EXPECT_EQ(m.INTEG(), 0);
  m.AWT(0.1);  // a general value: kept in double precision
  EXPECT_EQ(m.AWT(), 0.1);
  m.INTEG(SF_INTEG_MAX | SF_INTEG_LST);
  EXPECT_EQ(m.INTEG(), 5);
  EXPECT_EQ(m.MetricValue(SF_METRIC_INTEG), 5.0);
}

TEST(SF_Metric, CopyStoresEveryMetric) {
  SF_Metric m;
  m.PNL(90.0);
  auto c = m.Copy();
  EXPECT_EQ(c->PNL(), 90.0f);
  EXPECT_EQ(c->CWT(), 0.0f);
  EXPECT_EQ(c->MetricValue(SF_METRIC_CWT), 0.0);
  EXPECT_FALSE(m.MetricValue(SF_METRIC_CWT).has_value());
  for (int t = SF_METRIC_AWT; t <= SF_METRIC_INTEG; ++t) EXPECT_TRUE(c->isStored(t)) << t;
  EXPECT_FALSE(c->AWT().has_value());
  c->PNL(1.0);
  EXPECT_EQ(m.PNL(), 90.0f);
}

TEST(SF_MetricSummary, TypesInOrderOnceEach) {
  SF_MetricSummary s;
  EXPECT_EQ(s.MetricTypeString(), "");
  s.MetricType(SF_METRIC_AWT);
  s.MetricType(SF_METRIC_PNLT);
  s.MetricType(SF_METRIC_LGB);
  s.MetricType(SF_METRIC_PNLT);
  EXPECT_EQ(s.MetricTypeString(), "AWT, PNLT, LGB");
  EXPECT_EQ(s.MetricTypes().size(), 3u);
  EXPECT_TRUE(s.isMetric(SF_METRIC_LGB));
  EXPECT_FALSE(s.isMetric(SF_METRIC_CWT));
  s.MetricType(42);  // kept but nameless
  EXPECT_EQ(s.MetricTypeString(), "AWT, PNLT, LGB");
  auto c = s.Copy();
  EXPECT_EQ(c->MetricTypes(), s.MetricTypes());
}

TEST(SF_MetricSummary, NamesAreReadOneAtATimeInAnyCase) {
  SF_MetricSummary s;
  s.MetricTypeString("tonebnd");
  EXPECT_EQ(s.MetricTypeString(), "TONEBND");
  s.MetricTypeString("LOUDNESS");
  s.MetricTypeString("AWT, PNLT");
  EXPECT_EQ(s.MetricTypeString(), "TONEBND");
  s.MetricTypeString("awt");
  EXPECT_EQ(s.MetricTypes(), (std::vector<int>{SF_METRIC_TONEBND, SF_METRIC_AWT}));
}
