#include <gtest/gtest.h>

#include "compute/mOverview.h"
#include "compute/mProcess.h"
#include "tests/study/StudyFixtures.h"

namespace {

// Two receptors with different baselines; Lmax limits: impact devices a fixed
// 60, other equipment baseline + 10; the metric (Leq) baseline + 10.
struct Site {
  cStudy study;
  Site() {
    study.NoiseMetric = 1;
    for (std::int32_t code = 0; code < 3; ++code)
      for (std::int16_t row = 1; row <= 3; ++row)
        for (std::int16_t col = 1; col <= 6; ++col) {
          auto eq = study.NoiseLimits.getCriteria(code, row, col);
          const bool impact = (col - 1) % 2 == 0;
          eq->setValueText(code == 0 && impact ? "Value" : "Baseline+");
          eq->value = 60;
          eq->basePlus = 10;
        }
    addValidReceptor(study, "Near", 50, 45, 40);
    addValidReceptor(study, "Far", 70, 65, 60);
    addValidEquipment(study, "Dozer", 85, 40, 1);    // Lmax 85.0, Leq 81.0 at 50 ft
    addValidEquipment(study, "Breaker", 80, 10, 0);  // an impact device: Lmax 80.0, Leq 70.0
    linkAll(study, 50);
    study.setReceptorID(1);
    mProcess::processAllReceptors(study);  // receptor 2 against receptor 1's baselines
  }
};

}  // namespace

TEST(Overview, EachReceptorWithItsOwnBaselinesLeavingTheStudyAsItWas) {
  Site s;
  const auto rows = mOverview::overview(s.study);
  ASSERT_EQ(rows.size(), 2u);

  // Far, daytime: the Total (85.0) is 5 over its 70 + 10, but the Breaker (80.0) is 20 over its own 60.
  const auto& farDay = rows[1].periods[0];
  EXPECT_TRUE(rows[1].computed);
  EXPECT_EQ(farDay.lmax.equipmentID, 2);
  EXPECT_EQ(farDay.lmax.level, 80.0f);
  EXPECT_EQ(farDay.lmax.limit, 60.0f);
  EXPECT_EQ(farDay.lmax.exceedance, 20.0f);
  // Leq: the Total, 10 log10(10^8.102 + 10^7.0) = 81.35, over 80 by 1.35; the Dozer (81.02) by less.
  EXPECT_EQ(farDay.metric.equipmentID, 0);
  EXPECT_EQ(farDay.metric.limit, 80.0f);
  EXPECT_NEAR(farDay.metric.exceedance, 1.35f, 0.01f);
  // Evening: the Total, over 65 + 10 by 6.35.
  EXPECT_NEAR(rows[1].periods[1].metric.exceedance, 6.35f, 0.01f);

  // Near, daytime: the Total, 85 over 50 + 10 by 25, beats the Breaker's 20.
  EXPECT_EQ(rows[0].periods[0].lmax.equipmentID, 0);
  EXPECT_EQ(rows[0].periods[0].lmax.exceedance, 25.0f);

  // The stored results, the current receptor and the stamped baselines are untouched.
  EXPECT_EQ(s.study.colReceptors[1]->day_lotLine_totals.Lmax(), 60.0f);
  EXPECT_EQ(s.study.receptorID(), 1);
  EXPECT_EQ(s.study.NoiseLimits.getCriteria(0, 1, 2)->baseLine, 50.0f);
}
