#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "compute/mCompute.h"
#include "study/mMarkers.h"
#include "tests/study/StudyFixtures.h"

namespace {

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

// One residential receptor, selected, with the given pieces linked.
struct OneReceptor {
  cStudy study;
  std::shared_ptr<cReceptorRecord> R;
  OneReceptor() {
    setAllCriteriaValue(study, 70);
    study.NoiseMetric = 2;
    R = addValidReceptor(study, "Home");
  }
  std::shared_ptr<cLinkRecord> add(float lref, float distance, float usage, float shielding = 0) {
    addValidEquipment(study, "E", lref, usage);
    study.updateLinks();
    auto l = R->colLinks.back();
    l->distance = distance;
    l->sheilding = shielding;
    return l;
  }
  void computeLinks(bool skipAtZero = false) { mCompute::computeReceptorLinks(study, *R, skipAtZero); }
  void computeAll(bool skipAtZero = false) {
    computeLinks(skipAtZero);
    mCompute::computeReceptorTotals(study, R->rowID);
  }
  // Column of the criteria tables for a period and kind of equipment.
  void setCriterion(std::int32_t table, std::int16_t row, std::int16_t col, const char* type, float value = 0) {
    auto eq = study.NoiseLimits.getCriteria(table, row, col);
    eq->setValueText(type);
    eq->value = value;
  }
};

bool finite(const cMetric& m) {
  return std::isfinite(m.Lmax()) && std::isfinite(m.Leq()) && std::isfinite(m.L10()) && std::isfinite(m.Met());
}

bool allFinite(const cReceptorRecord& r) {
  for (const cMetric* m : {&r.calculated_totals, &r.day_lotLine_totals, &r.eve_lotLine_totals,
                           &r.nite_lotLine_totals, &r.day_exceed_totals, &r.eve_exceed_totals, &r.nite_exceed_totals})
    if (!finite(*m)) return false;
  for (const auto& l : r.colLinks) {
    const cResultRecord& x = l->results;
    for (const cMetric* m : {&x.calculated, &x.day_lotLine, &x.eve_lotLine, &x.nite_lotLine, &x.day_exceed,
                             &x.eve_exceed, &x.nite_exceed})
      if (!finite(*m)) return false;
  }
  return true;
}

}  // namespace

TEST(NumericHelpers, ConversionFactorsAndNaturalLogQuotient) {
  EXPECT_EQ(mCompute::metersToFeet(2.0), 2.0 * 3.280833333);
  EXPECT_EQ(mCompute::feetToMeters(2.0), 2.0 * 0.30480061);
  // ln(1000) / ln(10) is one unit in the last place below 3.
  EXPECT_EQ(mCompute::log10(1000.0), 2.9999999999999996);
  EXPECT_EQ(mCompute::log10(1.0), 0.0);
}

TEST(ComputeLinks, ReferenceCaseAtFiftyFeet) {
  OneReceptor c;
  auto l = c.add(85, 50, 40);
  c.study.colEquipment[0]->numUnits = 7;
  c.computeLinks();
  const cResultRecord& r = l->results;
  EXPECT_TRUE(r.computed);
  EXPECT_EQ(c.study.colEquipment[0]->numUnits, 1);
  EXPECT_EQ(bits(r.calculated.Lmax()), 0x42AA0000u);  // 85
  EXPECT_EQ(bits(r.calculated.Leq()), 0x42A20A8Cu);   // 81.0206
  EXPECT_EQ(bits(r.calculated.L10()), 0x42A80A8Cu);   // 84.0206
  EXPECT_EQ(r.calculated.sLeq, "Value");
  for (const cMetric* limit : {&r.day_lotLine, &r.eve_lotLine, &r.nite_lotLine}) {
    EXPECT_EQ(limit->Lmax(), 70.0f);
    EXPECT_EQ(limit->L10(), 70.0f);
  }
  for (const cMetric* e : {&r.day_exceed, &r.eve_exceed, &r.nite_exceed}) {
    EXPECT_EQ(bits(e->Lmax()), 0x41700000u);  // 15
    EXPECT_EQ(bits(e->Leq()), 0x41305460u);   // 11.0206
    EXPECT_EQ(bits(e->L10()), 0x41605460u);   // 14.0206
  }
}

TEST(ComputeLinks, DistanceLawAndRounding) {
  OneReceptor c;
  auto far = c.add(85, 100, 40);
  auto near = c.add(85, 25, 40);
  auto odd = c.add(90, 123.4f, 37.5f, 5.5f);
  c.computeLinks();
  EXPECT_EQ(bits(far->results.calculated.Lmax()), 0x429DF574u);  // 85 - 6.0206
  EXPECT_EQ(bits(far->results.calculated.Leq()), 0x42960000u);
  EXPECT_EQ(bits(far->results.calculated.L10()), 0x429C0000u);
  EXPECT_EQ(bits(near->results.calculated.Lmax()), 0x42B60A8Cu);  // 85 + 6.0206
  EXPECT_EQ(bits(near->results.calculated.Leq()), 0x42AE1518u);
  EXPECT_EQ(bits(odd->results.calculated.Lmax()), 0x42994E63u);
  EXPECT_EQ(bits(odd->results.calculated.Leq()), 0x4290C96Du);
  EXPECT_EQ(bits(odd->results.calculated.L10()), 0x4296C96Du);
}

TEST(ComputeLinks, MetersAreConvertedToFeetAsAFloat) {
  OneReceptor c;
  c.study.units = 1;
  auto l = c.add(85, 15.24f, 40);
  c.computeLinks();
  // 15.24 m is 49.9999 ft: a hair above 85 dBA.
  EXPECT_EQ(bits(l->results.calculated.Lmax()), 0x42AA0002u);
  EXPECT_EQ(bits(l->results.calculated.Leq()), 0x42A20A8Eu);
  EXPECT_EQ(bits(l->results.calculated.L10()), 0x42A80A8Eu);
}

TEST(ComputeLinks, ActualLevelIsUsedWhenSpecNotSelected) {
  OneReceptor c;
  auto l = c.add(95, 50, 100);
  c.study.colEquipment[0]->spec_select = false;
  c.study.colEquipment[0]->actual_lmax = 80;
  c.computeLinks();
  EXPECT_EQ(l->results.calculated.Lmax(), 80.0f);
  EXPECT_EQ(l->results.calculated.Leq(), 80.0f);
  EXPECT_EQ(l->results.calculated.L10(), 83.0f);
}

TEST(ComputeLinks, AdjustmentAppliesToImpactDevicesToo) {
  OneReceptor c;
  auto l = c.add(80, 50, 100);
  c.study.colEquipment[0]->impactDevice = 0;
  c.study.adjustmentFactor = 4.5f;
  c.computeLinks();
  EXPECT_EQ(l->results.calculated.L10(), 84.5f);
}

TEST(ComputeLinks, MarkerLimitsAreCopiedAndNoExcessIsNone) {
  OneReceptor c;
  auto l = c.add(85, 50, 100);  // Lmax = Leq = 85, L10 = 88; not an impact device
  c.setCriterion(0, 1, 2, "N/A");         // day Lmax
  c.setCriterion(2, 1, 4, "Exempt");      // evening L10
  c.setCriterion(0, 1, 6, "Value", 85);   // night Lmax: level equals limit
  c.setCriterion(2, 1, 6, "Value", 90);   // night L10: below the limit
  c.setCriterion(0, 1, 1, "Value", 10);   // day Lmax for impact devices: not used
  c.computeLinks();
  const cResultRecord& r = l->results;
  EXPECT_EQ(bits(r.day_lotLine.Lmax()), 0xC479FFF0u);
  EXPECT_EQ(bits(r.day_exceed.Lmax()), 0xC479FFF0u);
  EXPECT_EQ(r.day_exceed.sLmax, "N/A");
  EXPECT_EQ(r.day_exceed.L10(), 18.0f);
  EXPECT_EQ(bits(r.eve_exceed.L10()), 0xC61C4000u);
  EXPECT_EQ(r.eve_exceed.sL10, "Exempt");
  EXPECT_EQ(r.eve_lotLine.sL10, "Exempt");
  EXPECT_EQ(bits(r.nite_exceed.Lmax()), 0xC60AE38Eu);
  EXPECT_EQ(r.nite_exceed.sLmax, "None");
  EXPECT_EQ(r.nite_exceed.sL10, "None");
  EXPECT_EQ(r.nite_exceed.Leq(), 15.0f);
}

TEST(ComputeLinks, LeqTableIsUsedForLeq) {
  OneReceptor c;
  auto l = c.add(85, 50, 100);
  c.setCriterion(1, 1, 2, "Value", 80);
  c.computeLinks();
  EXPECT_EQ(l->results.day_lotLine.Leq(), 80.0f);
  EXPECT_EQ(l->results.day_exceed.Leq(), 5.0f);
  EXPECT_EQ(l->results.day_lotLine.L10(), 70.0f);
}

TEST(ComputeLinks, SkipAtZeroKeepsTheLmaxAndComputesTheRest) {
  OneReceptor c;
  auto l = c.add(85, 0, 40);
  l->results.calculated.setLmax(77);
  c.computeLinks(true);
  EXPECT_TRUE(l->results.computed);
  EXPECT_EQ(l->results.calculated.Lmax(), 77.0f);
  EXPECT_EQ(bits(l->results.calculated.Leq()), 0x42920A8Cu);
  EXPECT_EQ(bits(l->results.calculated.L10()), 0x42980A8Cu);
  EXPECT_EQ(l->results.day_exceed.Lmax(), 7.0f);
}

TEST(ComputeLinks, SkipAtZeroOnANewLinkLeavesItsLmaxWordEmpty) {
  OneReceptor c;
  auto l = c.add(85, 0, 40);
  c.computeLinks(true);
  const cMetric& m = l->results.calculated;
  EXPECT_EQ(bits(m.Lmax()), 0u);
  EXPECT_EQ(m.sLmax, "");  // the kept Lmax is not stored again
  EXPECT_EQ(bits(m.Leq()), 0xC07EAE7Du);  // 0 + 10 log10(0.4f)
  EXPECT_EQ(m.sLeq, "Value");
  EXPECT_EQ(bits(m.L10()), 0xBF7AB9F4u);
  EXPECT_EQ(l->results.day_exceed.sLmax, "None");
}

TEST(ComputeTotals, LeqIsAnEnergySumAndLmaxTheLoudestPiece) {
  OneReceptor c;
  c.add(80, 50, 100);
  c.add(80, 50, 100);
  c.computeAll();
  EXPECT_EQ(bits(c.R->calculated_totals.Leq()), 0x42A60546u);  // 83.0103
  EXPECT_EQ(bits(c.R->calculated_totals.L10()), 0x42AC0546u);  // 86.0103
  EXPECT_EQ(c.R->day_exceed_totals.Leq(), std::bit_cast<float>(0x42A60546u) - 70.0f);

  OneReceptor d;
  d.add(85, 50, 40);
  d.add(90, 50, 40);
  d.computeAll();
  EXPECT_EQ(d.R->calculated_totals.Lmax(), 90.0f);
  EXPECT_EQ(d.R->calculated_totals.sLmax, "Value");
  EXPECT_EQ(d.R->nite_exceed_totals.Lmax(), 20.0f);
}

TEST(ComputeTotals, InactivePiecesAreComputedButNotSummed) {
  OneReceptor c;
  c.add(80, 50, 100);
  auto quiet = c.add(99, 50, 100);
  c.study.colEquipment[1]->active = false;
  c.computeAll();
  EXPECT_TRUE(quiet->results.computed);
  EXPECT_EQ(quiet->results.calculated.Lmax(), 99.0f);
  EXPECT_EQ(c.R->calculated_totals.Lmax(), 80.0f);
  EXPECT_EQ(c.R->calculated_totals.Leq(), 80.0f);
}

TEST(ComputeTotals, ImpactTypeCountsEveryLinkedPiece) {
  OneReceptor c;
  // Residential impact columns 60, non-impact columns 75, all periods.
  for (std::int32_t t = 0; t < 3; ++t)
    for (std::int16_t col = 1; col <= 6; ++col) c.setCriterion(t, 1, col, "Value", col % 2 == 1 ? 60 : 75);
  c.add(80, 50, 100);
  c.add(80, 50, 100);
  for (auto& e : c.study.colEquipment) e->impactDevice = 0;
  c.computeAll();
  EXPECT_EQ(c.R->day_lotLine_totals.Lmax(), 60.0f);
  EXPECT_EQ(c.R->nite_lotLine_totals.L10(), 60.0f);

  c.add(70, 50, 100);  // not an impact device, and inactive
  c.study.colEquipment[2]->active = false;
  c.computeAll();
  EXPECT_EQ(c.R->day_lotLine_totals.Lmax(), 75.0f);
  EXPECT_EQ(c.R->eve_lotLine_totals.Leq(), 75.0f);
  EXPECT_EQ(c.R->colLinks[2]->results.day_lotLine.Lmax(), 75.0f);
  EXPECT_EQ(c.R->colLinks[0]->results.day_lotLine.Lmax(), 60.0f);
}

TEST(ComputeTotals, NoLinksMeansImpactLimits) {
  OneReceptor c;
  c.setCriterion(0, 1, 1, "Value", 60);
  mCompute::computeReceptorTotals(c.study, 1);
  EXPECT_EQ(c.R->day_lotLine_totals.Lmax(), 60.0f);
  EXPECT_EQ(c.R->calculated_totals.Lmax(), 0.0f);
}

TEST(ComputeTotals, AllInactiveGivesZeroLmaxAndKeepsLeq) {
  OneReceptor c;
  c.add(80, 50, 100);
  c.study.colEquipment[0]->active = false;
  c.R->calculated_totals.setLeq(66);
  c.R->calculated_totals.setL10(69);
  c.R->calculated_totals.setLmax(70);
  c.computeAll();
  EXPECT_EQ(c.R->calculated_totals.Lmax(), 0.0f);
  EXPECT_EQ(c.R->calculated_totals.Leq(), 66.0f);
  EXPECT_EQ(c.R->calculated_totals.L10(), 69.0f);
  EXPECT_EQ(c.R->day_exceed_totals.sLmax, "None");
}

TEST(ComputeTotals, UnknownReceptorIsIgnored) {
  OneReceptor c;
  mCompute::computeReceptorTotals(c.study, 5);
  EXPECT_EQ(c.R->day_lotLine_totals.sLmax, "");
}

// Cases read from a file reach the computation without validation.
TEST(UnvalidatedInput, ZeroOrNegativeUsageLeavesTheLinkNotComputed) {
  OneReceptor c;
  auto good = c.add(80, 50, 100);
  auto zero = c.add(80, 50, 0);
  auto negative = c.add(80, 50, -20);
  c.computeAll(true);
  EXPECT_TRUE(good->results.computed);
  EXPECT_FALSE(zero->results.computed);
  EXPECT_FALSE(negative->results.computed);
  EXPECT_EQ(zero->results.calculated.Leq(), 0.0f);
  EXPECT_EQ(zero->results.calculated.sLeq, "");
  EXPECT_EQ(c.R->calculated_totals.Leq(), 80.0f);  // only the computed piece counts
  EXPECT_TRUE(allFinite(*c.R));
}

TEST(UnvalidatedInput, NegativeOrZeroDistance) {
  OneReceptor c;
  auto negative = c.add(80, -10, 100);
  auto zero = c.add(80, 0, 100);
  c.computeAll(true);
  EXPECT_FALSE(negative->results.computed);
  EXPECT_TRUE(zero->results.computed);  // skip-at-zero: keeps its Lmax of 0
  c.computeAll(false);
  EXPECT_FALSE(zero->results.computed);
  EXPECT_TRUE(allFinite(*c.R));
}

TEST(UnvalidatedInput, TinyDistanceWhoseRatioRoundsToZero) {
  OneReceptor c;
  auto l = c.add(80, 1e-44f, 100);
  c.computeAll(true);
  EXPECT_FALSE(l->results.computed);
  EXPECT_TRUE(allFinite(*c.R));
}

TEST(UnvalidatedInput, LinkToMissingEquipmentIsSkipped) {
  OneReceptor c;
  c.add(80, 50, 100);
  c.study.colEquipment[0]->impactDevice = 0;
  auto dangling = c.R->addLink(9);
  dangling->distance = 50;
  c.setCriterion(0, 1, 1, "Value", 60);
  c.computeAll();
  EXPECT_FALSE(dangling->results.computed);
  EXPECT_EQ(c.R->calculated_totals.Lmax(), 80.0f);
  // The missing piece does not count as a non-impact piece.
  EXPECT_EQ(c.R->day_lotLine_totals.Lmax(), 60.0f);
}

TEST(UnvalidatedInput, LevelsBeyondTheFloatRangeAreNotStored) {
  OneReceptor c;
  const float big = std::numeric_limits<float>::max();
  auto overflow = c.add(big, 50, 100, -big);
  auto notANumber = c.add(std::numeric_limits<float>::quiet_NaN(), 50, 100);
  auto huge = c.add(3e38f, 50, 100);  // finite, but its energy is not
  c.computeAll();
  EXPECT_FALSE(overflow->results.computed);
  EXPECT_FALSE(notANumber->results.computed);
  EXPECT_TRUE(huge->results.computed);
  EXPECT_TRUE(allFinite(*c.R));
  EXPECT_EQ(c.R->calculated_totals.Lmax(), 3e38f);
}
