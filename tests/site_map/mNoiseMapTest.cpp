#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "compute/mCompute.h"
#include "site/cBarrierShielding.h"
#include "site/cGridJob.h"
#include "site/mExceedanceMap.h"
#include "site/mNoiseMap.h"
#include "site/mSitePlan.h"
#include "study/cStudy.h"
#include "tests/study/StudyFixtures.h"

namespace {

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

// A street with three houses, four machines (one idle) and two barriers.
struct PlacedCase {
  cStudy study;
  explicit PlacedCase(std::int32_t units, std::int32_t metric = 2) {
    study.units = units;
    study.NoiseMetric = metric;
    study.adjustmentFactor = 2.5f;
    setAllCriteriaValue(study, 70);
    const double h = units == 0 ? 5 : 1.5;
    const cSitePosition houses[] = {{0, 120, h}, {260, 140, h + 10}, {-90, -210, h}};
    for (const auto& p : houses) addValidReceptor(study, "House")->position = p;
    const struct {
      float level, usage;
      cSitePosition at;
    } machines[] = {{85, 40, {40, 10, 8}}, {81, 20, {180, -30, 3}}, {90, 10, {-60, -40, 6}}, {101, 50, {5, 5, 2}}};
    for (const auto& m : machines) addValidEquipment(study, "M", m.level, m.usage)->position = m.at;
    study.colEquipment[3]->active = false;
    study.colEquipment[1]->spec_select = false;
    study.colEquipment[1]->actual_lmax = 83.5f;
    study.sitePlan.barriers.push_back({"Wall", {{-50, 60}, {120, 70}}, 12});
    study.sitePlan.barriers.push_back({"Fence", {{-150, -120}, {0, -100}, {30, -160}}, 8});
    study.updateLinks();
    mSitePlan::applyToLinks(study);
    for (auto& r : study.colReceptors) {
      mCompute::computeReceptorLinks(study, *r, false);
      mCompute::computeReceptorTotals(study, r->rowID);
    }
  }
};

}  // namespace

// The map's levels at a receptor are the results sheet's, to the bit, with
// the plan's distances and barriers, in feet and in meters, Leq and L10.
TEST(NoiseMap, ReceptorsLevelsFromTheMapEqualTheirResults) {
  for (std::int32_t units : {0, 1})
    for (std::int32_t metric : {1, 2}) {
      PlacedCase c(units, metric);
      int shielded = 0;
      for (const auto& r : c.study.colReceptors) {
        for (const auto& l : r->colLinks) shielded += l->sheilding > 0 ? 1 : 0;
        const auto m = mNoiseMap::levelsAt(c.study, r->position->x, r->position->y, r->position->height);
        EXPECT_EQ(bits(m.lmax), bits(r->calculated_totals.Lmax()));
        EXPECT_EQ(bits(m.leq), bits(r->calculated_totals.Leq()));
        EXPECT_EQ(bits(m.l10), bits(r->calculated_totals.L10()));
      }
      EXPECT_GT(shielded, 0) << "the case should have shielded links";
    }
}

// And the grid's cells at the receptors agree with them to well within the
// 0.1 dB shown.
TEST(NoiseMap, GridCellsAtReceptorsAgreeWithTheirResults) {
  PlacedCase c(0);
  for (const auto& r : c.study.colReceptors) {
    // A one-cell grid centred on the receptor, at its height.
    const cGridFrame f{r->position->x - 0.5, r->position->y + 0.5, 1, 1, 1};
    auto job = mNoiseMap::job(c.study, f, r->position->height);
    ASSERT_EQ(job->run(), cGridJob::Outcome::done);
    EXPECT_NEAR(job->grid().lmax[0], r->calculated_totals.Lmax(), 1e-3f);
    EXPECT_NEAR(job->grid().level[0], r->calculated_totals.L10(), 1e-3f);
  }
}

// A barrier between, by hand: source and receiver on the ground 20 m apart,
// a 2 m wall half way. z = 2 hypot(10, 2) - 20 = 0.396078 m,
// Dz = 10 lg(3 + 20 z / 0.68) = 11.6582 dB; open, 85 dB at 65.6167 ft is
// 82.6391 dB; behind the wall 70.9809, with 50 % usage 67.9706.
TEST(NoiseMap, BarrierBetweenTakesTheDiffractionLoss) {
  cGridInput in;
  in.units = 1;
  in.receiverHeight = 0;
  in.pieces.push_back({0, 0, 0, 85, 50});
  std::vector<cBarrier> wall{{"Wall", {{10, -50}, {10, 50}}, 2}};
  auto shielding = std::make_shared<cBarrierShielding>(wall, std::vector<cSitePosition>{{0, 0, 0}}, 1);
  cGridJob job(in, cGridFrame{-0.5, 0.5, 1, 40, 3}, 1, shielding);
  ASSERT_EQ(job.run(), cGridJob::Outcome::done);
  const cNoiseGrid& g = job.grid();
  EXPECT_NEAR(g.at(g.lmax, 20, 0), 70.98093f, 2e-4f);
  EXPECT_NEAR(g.at(g.level, 20, 0), 67.97063f, 2e-4f);
  // In front of the wall, open: at 5 m, 85 - 20 lg(16.404 / 50) = 94.6803.
  EXPECT_NEAR(g.at(g.lmax, 5, 0), 94.68032f, 2e-4f);
}

// Tiles that no barrier can reach keep the fast path; those it may reach
// take the plan's own attenuation: a shielded grid equals the exact levels
// everywhere (a tile wrongly left out would be off by several dB).
TEST(NoiseMap, ShieldedGridMatchesTheExactLevelsEverywhere) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> pos(0, 300);
  cGridInput in;
  std::vector<cSitePosition> placed;
  for (int i = 0; i < 6; ++i) {
    in.pieces.push_back({pos(rng), -pos(rng), 2, 80.0f + i, 30});
    placed.push_back({in.pieces.back().x, in.pieces.back().y, 2});
  }
  std::vector<cBarrier> barriers;
  for (int i = 0; i < 10; ++i) {
    const double x = pos(rng), y = -pos(rng);
    barriers.push_back({"B", {{x, y}, {x + 40 - i * 8, y + 25}, {x + 10, y + 60}}, 10});
  }
  in.receiverHeight = 5;
  auto shielding = std::make_shared<cBarrierShielding>(barriers, placed, 0);
  const cGridFrame f{0, 0, 2, 150, 150};
  cGridJob job(in, f, 1, shielding);
  ASSERT_EQ(job.run(), cGridJob::Outcome::done);
  const cNoiseGrid& g = job.grid();
  int checked = 0;
  for (std::int32_t row = 0; row < 150; row += 3)
    for (std::int32_t col = 0; col < 150; col += 3) {
      const auto exact = mGridKernel::levelsAt(in, f.centreX(col), f.centreY(row), 5, shielding.get());
      ASSERT_NEAR(g.at(g.lmax, col, row), exact.lmax, 2e-3f) << col << "," << row;
      ASSERT_NEAR(g.at(g.level, col, row), exact.leq, 2e-3f) << col << "," << row;
      ++checked;
    }
  EXPECT_EQ(checked, 2500);
}

TEST(NoiseMap, InputExtentAndDefaultFrame) {
  PlacedCase c(0);
  const cGridInput in = mNoiseMap::gridInput(c.study);
  ASSERT_EQ(in.pieces.size(), 3u);  // the idle machine takes no part
  EXPECT_EQ(in.pieces[1].lref, 83.5f);  // the actual level where the sheet selects it
  EXPECT_EQ(in.receiverHeight, 5.0);
  EXPECT_EQ(in.adjustmentFactor, 2.5f);
  double x0, y0, x1, y1;
  ASSERT_TRUE(mNoiseMap::planExtent(c.study, x0, y0, x1, y1));
  // Placed x -150 ... 260, y -210 ... 140: 410 wide, a fifth of it is 82,
  // so the margin is the least one, 100 ft.
  EXPECT_DOUBLE_EQ(x0, -250);
  EXPECT_DOUBLE_EQ(x1, 360);
  EXPECT_DOUBLE_EQ(y0, -310);
  EXPECT_DOUBLE_EQ(y1, 240);
  const cGridFrame f = mNoiseMap::defaultFrame(c.study);
  EXPECT_EQ(f.columns, 500);
  EXPECT_EQ(f.rows, 451);  // 550 / 1.22, rounded up
  cStudy empty;
  EXPECT_TRUE(mNoiseMap::defaultFrame(empty).empty());
}

TEST(ExceedanceMap, LimitsFromTheCriteriaAndTheTypedBaseline) {
  cStudy s;
  setAllCriteriaValue(s, 65);
  mExceedanceMap::sChoice c;
  c.metric = 1;
  auto limit = mExceedanceMap::limitFor(s, c);
  ASSERT_TRUE(limit.usable);
  EXPECT_EQ(limit.limit, 65.0f);
  EXPECT_FALSE(mExceedanceMap::needsBaseline(s, c));
  // Commercial night, non-impact: Baseline+ 5 needs the baseline.
  auto eq = s.NoiseLimits.getCriteria(1, 2, 6);
  eq->setValueText("Baseline+");
  eq->basePlus = 5;
  c.landUse = 1;
  c.period = 2;
  EXPECT_TRUE(mExceedanceMap::needsBaseline(s, c));
  limit = mExceedanceMap::limitFor(s, c);
  EXPECT_FALSE(limit.usable);
  EXPECT_EQ(limit.problem, "This limit follows from the baseline: type the baseline level for the map.");
  c.baseline = 47.5f;
  limit = mExceedanceMap::limitFor(s, c);
  ASSERT_TRUE(limit.usable);
  EXPECT_EQ(limit.limit, 52.5f);
  // The stored criterion keeps its own baseline.
  EXPECT_EQ(eq->baseLine, 0.0f);
  s.NoiseLimits.getCriteria(1, 2, 5)->setValueText("Exempt");
  c.impactType = 0;
  EXPECT_FALSE(mExceedanceMap::limitFor(s, c).usable);
  s.NoiseLimits.getCriteria(1, 2, 5)->setValueText("N/A");
  EXPECT_EQ(mExceedanceMap::limitFor(s, c).problem, "No limit applies (N/A) for this land use and period.");
  const std::vector<float> levels{70.0f, 52.5f, cNoiseGrid::noData, 40.25f};
  const auto e = mExceedanceMap::exceedance(levels, 52.5f);
  EXPECT_EQ(e, (std::vector<float>{17.5f, 0.0f, cNoiseGrid::noData, -12.25f}));
  EXPECT_EQ(mExceedanceMap::describe(c, 52.5f),
            "Leq over the Commercial nighttime limit for impact devices (52.5 dBA)");
}

TEST(ExceedanceMap, ParsesTheBatchChoice) {
  const struct {
    const char* text;
    bool ok;
    std::int32_t use, period, impact;
  } cases[] = {{"Residential,day", true, 0, 0, 1},    {"commercial,EVENING", true, 1, 1, 1},
               {"Industrial,night,impact", true, 2, 2, 0}, {"Residential", false, 0, 0, 0},
               {"Farm,day", false, 0, 0, 0},            {"Residential,noon", false, 0, 0, 0},
               {"Residential,day,loud", false, 0, 0, 0}};
  for (const auto& t : cases) {
    mExceedanceMap::sChoice c;
    EXPECT_EQ(mExceedanceMap::parseChoice(t.text, c), t.ok) << t.text;
    if (!t.ok) continue;
    EXPECT_EQ(c.landUse, t.use) << t.text;
    EXPECT_EQ(c.period, t.period) << t.text;
    EXPECT_EQ(c.impactType, t.impact) << t.text;
  }
  mExceedanceMap::sChoice c;
  ASSERT_TRUE(mExceedanceMap::parseChoice("Residential,night,baseline=48.5", c));
  EXPECT_EQ(c.baseline, 48.5f);
  EXPECT_FALSE(mExceedanceMap::parseChoice("Residential,night,baseline=x", c));
}
