#include <gtest/gtest.h>

#include "compute/mProcess.h"
#include "tests/study/RecordingViews.h"
#include "tests/study/StudyFixtures.h"

namespace {

// Two receptors with different baselines, criteria "baseline + 10".
struct TwoReceptors : RecordedStudy {
  TwoReceptors() {
    study.NoiseMetric = 2;
    for (std::int32_t t = 0; t < 3; ++t)
      for (std::int16_t row = 1; row <= 3; ++row)
        for (std::int16_t col = 1; col <= 6; ++col) {
          auto eq = study.NoiseLimits.getCriteria(t, row, col);
          eq->setValueText("Baseline+");
          eq->basePlus = 10;
        }
    addValidReceptor(study, "Near", 50, 45, 40);
    addValidReceptor(study, "Far", 60, 55, 52);
    addValidEquipment(study, "Dozer", 85, 40);
    linkAll(study, 50);
  }
};

}  // namespace

TEST(ProcessReceptor, ComputesMarksProcessedAndDisplays) {
  TwoReceptors t;
  t.study.setReceptorID(2);
  t.log.calls.clear();
  mProcess::processReceptor(t.study);
  EXPECT_TRUE(t.study.caseProcessed);
  const auto& r = t.study.colReceptors[1];
  EXPECT_EQ(r->day_lotLine_totals.Lmax(), 70.0f);
  EXPECT_EQ(r->nite_lotLine_totals.L10(), 62.0f);
  EXPECT_EQ(r->colLinks[0]->results.calculated.Lmax(), 85.0f);
  EXPECT_EQ(t.log.calls.front(), "main.processButton(hidden)");
  EXPECT_EQ(t.log.calls[1], "results.clear()");
  EXPECT_EQ(t.results.cell(2, 1), "85.0");
  EXPECT_EQ(t.results.cell(1, 2), "Dozer");
  // Receptor 1 was not computed.
  EXPECT_FALSE(t.study.colReceptors[0]->colLinks[0]->results.computed);
}

TEST(ProcessReceptor, InvalidCaseOnlyEmptiesTheResults) {
  TwoReceptors t;
  t.study.setReceptorID(1);
  mProcess::processReceptor(t.study);
  const float before = t.study.colReceptors[0]->colLinks[0]->results.calculated.Lmax();
  t.study.colReceptors[0]->colLinks[0]->distance = 100;
  t.study.colEquipment[0]->usage = 0;
  t.log.calls.clear();
  mProcess::processReceptor(t.study);
  EXPECT_FALSE(t.study.caseProcessed);
  EXPECT_EQ(t.log.calls, (std::vector<std::string>{"main.processButton(visible)", "results.clear()"}));
  EXPECT_EQ(t.study.colReceptors[0]->colLinks[0]->results.calculated.Lmax(), before);
  EXPECT_TRUE(t.messages.messages().empty());
}

TEST(ProcessReceptor, WithMessagesReportsTheProblem) {
  TwoReceptors t;
  t.study.setReceptorID(1);
  t.study.colReceptors[0]->colLinks[0]->distance = 0;
  mProcess::processReceptor(t.study, true);
  ASSERT_EQ(t.messages.messages().size(), 1u);
  EXPECT_EQ(t.messages.messages()[0].text, "Please set the distance greater than zero for Equipment #1.");
}

TEST(ProcessAllReceptors, UsesTheCurrentReceptorsBaselinesForAll) {
  TwoReceptors t;
  t.study.setReceptorID(1);
  t.study.caseProcessed = false;
  t.log.calls.clear();
  mProcess::processAllReceptors(t.study);
  EXPECT_FALSE(t.study.caseProcessed);
  EXPECT_TRUE(t.log.calls.empty());
  for (const auto& r : t.study.colReceptors) {
    EXPECT_TRUE(r->colLinks[0]->results.computed);
    EXPECT_EQ(r->day_lotLine_totals.Lmax(), 60.0f);
    EXPECT_EQ(r->eve_lotLine_totals.L10(), 55.0f);
  }
  // Opening a case then computes each receptor with its own baselines.
  t.study.setReceptorID(2);
  mProcess::processReceptor(t.study);
  EXPECT_EQ(t.study.colReceptors[1]->day_lotLine_totals.Lmax(), 70.0f);
}

TEST(ProcessAllReceptors, ZeroDistanceKeepsThePreviousLmax) {
  TwoReceptors t;
  t.study.setReceptorID(1);
  auto link = t.study.colReceptors[1]->colLinks[0];
  link->distance = 0;
  link->results.calculated.setLmax(66);
  mProcess::processAllReceptors(t.study);
  EXPECT_EQ(link->results.calculated.Lmax(), 66.0f);
  EXPECT_TRUE(link->results.computed);
}

TEST(ProcessAllReceptors, NoCurrentReceptorLeavesTheBaselinesAsTheyWere) {
  TwoReceptors t;
  t.study.setReceptorID(2);
  t.study.NoiseLimits.Limits.setBaselines();
  t.study.setReceptorID(0);
  mProcess::processAllReceptors(t.study);
  EXPECT_EQ(t.study.colReceptors[0]->day_lotLine_totals.Lmax(), 70.0f);
}
