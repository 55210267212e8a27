// The remedies against a brute-force search over the real computation: each
// candidate change is made to the study and the receptor computed again as
// the program computes it after an edit, until the exceedance is "None".

#include <gtest/gtest.h>

#include <random>

#include "compute/mMitigation.h"
#include "compute/mProcess.h"
#include "compute/mResultCells.h"
#include "tests/study/RecordingViews.h"
#include "tests/study/StudyFixtures.h"

namespace {

// A study of one receptor and three pieces with random inputs and criteria.
struct RandomCase {
  cStudy study;
  std::shared_ptr<cReceptorRecord> R;

  explicit RandomCase(std::mt19937& rng) {
    auto tenths = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo * 10, hi * 10)(rng) / 10.0f; };
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    study.NoiseMetric = 1 + pick(2);
    study.units = pick(2);
    study.adjustmentFactor = tenths(0, 5);
    for (std::int32_t code = 0; code < 3; ++code)
      for (std::int16_t row = 1; row <= 3; ++row)
        for (std::int16_t col = 1; col <= 6; ++col) {
          auto eq = study.NoiseLimits.getCriteria(code, row, col);
          const int kind = pick(10);
          eq->setValueText(kind == 0 ? "N/A" : kind == 1 ? "Exempt" : kind < 6 ? "Value" : "Baseline+");
          eq->value = tenths(50, 80);
          eq->basePlus = tenths(0, 15);
        }
    R = addValidReceptor(study, "R", tenths(45, 65), tenths(40, 60), tenths(35, 55));
    R->landUse = pick(3);
    for (int i = 0; i < 3; ++i) {
      auto e = addValidEquipment(study, "E", tenths(70, 95), tenths(1, 100), pick(2));
      e->active = i == 0 || pick(4) != 0;
    }
    linkAll(study, 0);
    for (auto& link : R->colLinks) {
      link->distance = tenths(10, 500);
      link->sheilding = tenths(0, 10);
    }
    study.setReceptorID(1);
    mProcess::processReceptor(study);
  }

  const mResultCells::Line line(std::int32_t equipmentID) const {
    return equipmentID == 0 ? mResultCells::totalLine(*R)
                            : mResultCells::linkLine(R->colLinks[static_cast<std::size_t>(equipmentID - 1)]->results);
  }

  // The real computation after an edit, and its verdict on the need's cell.
  bool complies(const mMitigation::Need& n) {
    mProcess::processReceptor(study);
    EXPECT_TRUE(study.caseProcessed);
    return isValueNone(mResultCells::level(*line(n.equipmentID).exceed[n.period], n.metric));
  }
};

float plusSteps(float base, long k) { return static_cast<float>(static_cast<double>(base) + k / 10.0); }

// The smallest k in [from, to] for which the edit complies, or -1.
template <typename Edit>
long firstComplying(RandomCase& c, const mMitigation::Need& n, long from, long to, Edit edit) {
  for (long k = from; k <= to; ++k) {
    edit(k);
    if (c.complies(n)) return k;
  }
  return -1;
}

}  // namespace

// The search runs the whole computation per step: the unoptimised sanitizer
// build takes a sample of the trials.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kTrials = 8;
#else
constexpr int kTrials = 60;
#endif

TEST(Mitigation, RemediesAreTheSmallestStepsTheRealComputationAccepts) {
  std::mt19937 rng(20240517);
  int checked = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    RandomCase c(rng);
    const auto needs = mMitigation::needs(c.study, *c.R, 1);

    // Exactly the exceeded cells of the active lines and the Total have a need.
    std::size_t exceeded = 0;
    for (std::int32_t id = 0; id <= 3; ++id) {
      if (id != 0 && !c.study.colEquipment[static_cast<std::size_t>(id - 1)]->active) continue;
      for (std::int32_t p = 0; p < 3; ++p)
        for (std::int32_t m : {0, mResultCells::caseMetric(c.study)}) {
          const float e = mResultCells::level(*c.line(id).exceed[p], m);
          if (!isMarker(e) && e > 0) ++exceeded;
        }
    }
    ASSERT_EQ(needs.size(), exceeded) << "trial " << trial;

    for (const auto& n : needs) {
      SCOPED_TRACE("trial " + std::to_string(trial) + " equipment " + std::to_string(n.equipmentID) + " period " +
                   std::to_string(n.period) + " metric " + std::to_string(n.metric));
      if (n.equipmentID == 0) {
        std::vector<float> kept;
        for (auto& l : c.R->colLinks) kept.push_back(l->sheilding);
        const long k = firstComplying(c, n, 0, 2000, [&](long s) {
          for (std::size_t i = 0; i < kept.size(); ++i)
            if (c.study.colEquipment[i]->active) c.R->colLinks[i]->sheilding = plusSteps(kept[i], s);
        });
        for (std::size_t i = 0; i < kept.size(); ++i) c.R->colLinks[i]->sheilding = kept[i];
        ASSERT_TRUE(n.shielding.has_value());
        EXPECT_EQ(static_cast<long>(std::lround(*n.shielding * 10)), k);
        EXPECT_FALSE(n.maxUsage || n.minDistance);
        ++checked;
        continue;
      }
      auto& link = *c.R->colLinks[static_cast<std::size_t>(n.equipmentID - 1)];
      auto& e = *c.study.colEquipment[static_cast<std::size_t>(n.equipmentID - 1)];
      const float shielding = link.sheilding, distance = link.distance, usage = e.usage;

      const long s = firstComplying(c, n, 0, 2000, [&](long k) { link.sheilding = plusSteps(shielding, k); });
      link.sheilding = shielding;
      ASSERT_TRUE(n.shielding.has_value());
      EXPECT_EQ(static_cast<long>(std::lround(*n.shielding * 10)), s);

      // Far distances are checked at the step shown and the step before it.
      ASSERT_TRUE(n.minDistance.has_value());
      const long shown = std::lround(*n.minDistance * 10);
      const long nearest = static_cast<long>(distance * 10) + 1;
      if (shown - nearest < 3000) {
        EXPECT_EQ(firstComplying(c, n, nearest, shown + 5, [&](long k) { link.distance = plusSteps(0, k); }), shown);
      } else {
        link.distance = plusSteps(0, shown);
        EXPECT_TRUE(c.complies(n));
        link.distance = plusSteps(0, shown - 1);
        EXPECT_FALSE(c.complies(n));
      }
      link.distance = distance;

      if (n.metric == 0) {
        EXPECT_FALSE(n.maxUsage.has_value());
      } else {
        long largest = 0;
        for (long u = 100; u >= 1 && largest == 0; --u) {
          e.usage = static_cast<float>(u);
          if (c.complies(n)) largest = u;
        }
        e.usage = usage;
        ASSERT_TRUE(n.maxUsage.has_value());
        EXPECT_EQ(static_cast<long>(*n.maxUsage), largest);
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, kTrials * 2);
}

TEST(Mitigation, AppliedRemedyBringsTheLevelWithinItsLimitAsOneUndoableEdit) {
  RecordedStudy t;
  setAllCriteriaValue(t.study, 70);
  t.study.NoiseMetric = 1;
  addValidReceptor(t.study, "Home");
  addValidReceptor(t.study, "School");
  addValidEquipment(t.study, "Dozer", 85, 40);  // 85 dBA at 50 ft: Leq 81.0, 11.0 over 70
  addValidEquipment(t.study, "Pump", 75, 50);
  linkAll(t.study, 50);
  t.study.setReceptorID(1);
  mProcess::processReceptor(t.study);
  const auto needs = mMitigation::needs(t.study, *t.study.colReceptors[0], 1);
  ASSERT_FALSE(needs.empty());

  for (const auto remedy : {mMitigation::Remedy::shielding, mMitigation::Remedy::usage, mMitigation::Remedy::distance}) {
    const mMitigation::Need& dozerDayLeq = needs[1];
    ASSERT_EQ(dozerDayLeq.equipmentID, 1);
    ASSERT_EQ(dozerDayLeq.metric, 1);
    t.log.calls.clear();
    ASSERT_TRUE(mMitigation::apply(t.study, dozerDayLeq, remedy));
    EXPECT_EQ(t.log.calls.front(), "main.undo(3)");
    EXPECT_TRUE(t.study.caseChanged());
    EXPECT_TRUE(isValueNone(t.study.colReceptors[0]->colLinks[0]->results.day_exceed.Leq()));
    t.study.restoreState();
    EXPECT_NEAR(t.study.colReceptors[0]->colLinks[0]->results.day_exceed.Leq(), 11.02f, 0.01f);
    EXPECT_EQ(t.study.colReceptors[0]->colLinks[0]->distance, 50.0f);
    EXPECT_EQ(t.study.colReceptors[0]->colLinks[0]->sheilding, 0.0f);
    EXPECT_EQ(t.study.colEquipment[0]->usage, 40.0f);
  }

  // Only a remedy that applies, and only on the selected receptor.
  const mMitigation::Need& totalDayLeq = needs[needs.size() - 5];
  ASSERT_EQ(totalDayLeq.equipmentID, 0);
  mMitigation::Need elsewhere = needs[1];
  elsewhere.receptorID = 2;
  t.log.calls.clear();
  EXPECT_FALSE(mMitigation::apply(t.study, totalDayLeq, mMitigation::Remedy::usage));
  EXPECT_FALSE(mMitigation::apply(t.study, elsewhere, mMitigation::Remedy::shielding));
  EXPECT_TRUE(t.log.calls.empty());

  // Extra shielding on every active piece brings the Total within its limit.
  ASSERT_TRUE(mMitigation::apply(t.study, totalDayLeq, mMitigation::Remedy::shielding));
  EXPECT_TRUE(isValueNone(t.study.colReceptors[0]->day_exceed_totals.Leq()));
  EXPECT_EQ(t.study.colReceptors[0]->colLinks[1]->sheilding, static_cast<float>(*totalDayLeq.shielding));
}
