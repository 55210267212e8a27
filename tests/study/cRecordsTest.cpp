#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "study/cCell.h"
#include "study/cEquipmentRecord.h"
#include "study/cMetric.h"
#include "study/cReceptorRecord.h"
#include "study/mMarkers.h"

TEST(Metric, WordsFollowTheExactBitPattern) {
  cMetric m;
  m.setLmax(-999.999f);
  EXPECT_EQ(m.sLmax, "N/A");
  m.setLmax(-999.99f);
  EXPECT_EQ(m.sLmax, "Value");
  m.setLeq(std::bit_cast<float>(std::uint32_t{0xC61C4000u}));
  EXPECT_EQ(m.sLeq, "Exempt");
  m.setL10(std::bit_cast<float>(std::uint32_t{0xC60AE38Eu}));
  EXPECT_EQ(m.sL10, "None");
  m.setMet(std::bit_cast<float>(std::uint32_t{0xC60AE38Fu}));  // one bit away from None
  EXPECT_EQ(m.sMet, "Value");
}

TEST(Metric, NewMetricHasZeroValuesAndEmptyWords) {
  const cMetric m;
  EXPECT_EQ(m.Lmax(), 0.0f);
  EXPECT_EQ(m.Met(), 0.0f);
  EXPECT_EQ(m.sLmax, "");
  EXPECT_EQ(m.sLeq, "");
  EXPECT_EQ(m.sL10, "");
  EXPECT_EQ(m.sMet, "");
}

TEST(Metric, CopyDerivesWordsFromValuesAgain) {
  cMetric m;
  m.setLmax(valueExempt);
  m.setLeq(61.5f);
  m.sLmax = "tampered";
  const cMetric c = m.copy();
  EXPECT_EQ(c.sLmax, "Exempt");
  EXPECT_EQ(c.Leq(), 61.5f);
  EXPECT_EQ(c.sLeq, "Value");
  EXPECT_EQ(c.sL10, "Value");  // 0 set through the setter is a value
}

TEST(ReceptorRecord, LandUseTextSetsTheCodeOnlyOnAnExactMatch) {
  cReceptorRecord r;
  r.setLandUseTxt("Industrial");
  EXPECT_EQ(r.landUse, 2);
  r.setLandUseTxt("residential");
  EXPECT_EQ(r.landUseTxt(), "residential");
  EXPECT_EQ(r.landUse, 2);
  r.setLandUseTxt("Commercial");
  EXPECT_EQ(r.landUse, 1);
}

TEST(ReceptorRecord, GetLinkFindsTheFirstMatchOrLeavesTheLastExamined) {
  cReceptorRecord r;
  std::shared_ptr<cLinkRecord> out;
  EXPECT_FALSE(r.getLink(out, 1));
  EXPECT_EQ(out, nullptr);

  auto a = r.addLink(3);
  auto b = r.addLink(5);
  auto c = r.addLink(3);
  EXPECT_EQ(a->distance, 0.0f);
  EXPECT_EQ(a->sheilding, 0.0f);
  EXPECT_FALSE(a->results.computed);
  ASSERT_TRUE(r.getLink(out, 3));
  EXPECT_EQ(out, a);
  EXPECT_FALSE(r.getLink(out, 9));
  EXPECT_EQ(out, c);
  ASSERT_TRUE(r.getLink(out, 5));
  EXPECT_EQ(out, b);
}

TEST(ReceptorRecord, CopyIsDeepAndStartsWithEmptyLimitTotals) {
  cReceptorRecord r;
  r.rowID = 4;
  r.description = "School";
  r.setLandUseTxt("Commercial");
  r.dayBase = 55;
  r.eveBase = 50;
  r.niteBase = 45;
  r.calculated_totals.setLmax(88);
  r.day_lotLine_totals.setLmax(70);
  r.day_exceed_totals.setLmax(18);
  auto link = r.addLink(2);
  link->distance = 120;
  link->sheilding = 5;
  link->results.computed = true;
  link->results.calculated.setLeq(77);
  link->results.nite_exceed.setL10(valueNone);

  auto c = r.copy();
  EXPECT_EQ(c->rowID, 4);
  EXPECT_EQ(c->description, "School");
  EXPECT_EQ(c->landUseTxt(), "Commercial");
  EXPECT_EQ(c->landUse, 1);
  EXPECT_EQ(c->niteBase, 45.0f);
  EXPECT_EQ(c->calculated_totals.Lmax(), 88.0f);
  EXPECT_EQ(c->day_lotLine_totals.sLmax, "");
  EXPECT_EQ(c->day_exceed_totals.Lmax(), 0.0f);
  ASSERT_EQ(c->colLinks.size(), 1u);
  EXPECT_NE(c->colLinks[0], link);
  EXPECT_EQ(c->colLinks[0]->distance, 120.0f);
  EXPECT_TRUE(c->colLinks[0]->results.computed);
  EXPECT_EQ(c->colLinks[0]->results.calculated.Leq(), 77.0f);
  EXPECT_EQ(c->colLinks[0]->results.nite_exceed.sL10, "None");

  link->distance = 1;
  link->results.calculated.setLeq(1);
  EXPECT_EQ(c->colLinks[0]->distance, 120.0f);
  EXPECT_EQ(c->colLinks[0]->results.calculated.Leq(), 77.0f);
}

TEST(EquipmentRecord, NewRecordIsABlankNonImpactRowWithNALevels) {
  auto e = cEquipmentRecord::newRecord();
  EXPECT_EQ(e->description, " ");
  EXPECT_EQ(e->impactDevice, 1);
  EXPECT_EQ(markerWord(e->spec_lmax), "N/A");
  EXPECT_EQ(markerWord(e->actual_lmax), "N/A");
  EXPECT_EQ(e->rowID, 0);
  EXPECT_FALSE(e->active);
  EXPECT_EQ(e->usage, 0.0f);
  EXPECT_FALSE(e->spec_select);

  e->usage = 40;
  auto c = e->copy();
  EXPECT_NE(c, e);
  EXPECT_EQ(c->usage, 40.0f);
  c->usage = 10;
  EXPECT_EQ(e->usage, 40.0f);
}

TEST(Cell, CopyKeepsAllThreeFields) {
  cCell cell;
  cell.sheet = 2;
  cell.col = 9;
  cell.row = 4;
  const cCell c = cell.copy();
  EXPECT_EQ(c.sheet, 2);
  EXPECT_EQ(c.col, 9);
  EXPECT_EQ(c.row, 4);
}
