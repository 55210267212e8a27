#include <gtest/gtest.h>

#include "criteria/cNoiseLimits.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

namespace {

void setValue(cStudy& s, std::int32_t table, std::int16_t row, std::int16_t col, float v) {
  auto eq = s.NoiseLimits.getCriteria(table, row, col);
  eq->setValueText("Value");
  eq->value = v;
}

}  // namespace

TEST(NoiseLimitData, CellsAreLaidOutByRowThenColumn) {
  cStudy s;
  const cNoiseLimitData& t = s.NoiseLimits.Limits_L10;
  ASSERT_EQ(t.dataRecord.size(), 18u);
  const auto& cell8 = t.dataRecord[7];  // row 2, column 2
  EXPECT_EQ(cell8.row, 2);
  EXPECT_EQ(cell8.col, 2);
  EXPECT_EQ(cell8.metric, 2);
  EXPECT_EQ(cell8.use, 1);
  EXPECT_EQ(cell8.timePeriod, 0);
  EXPECT_EQ(cell8.impactType, 1);
  const auto& last = t.dataRecord[17];
  EXPECT_EQ(last.use, 2);
  EXPECT_EQ(last.timePeriod, 2);
  EXPECT_EQ(last.impactType, 1);
  EXPECT_EQ(last.equationRec->equationType, -1);
  EXPECT_NE(t.dataRecord[0].equationRec, t.dataRecord[1].equationRec);
}

TEST(NoiseLimits, GetLimitSelectsTableAndCell) {
  cStudy s;
  setValue(s, 0, 2, 3, 61);  // Lmax, Commercial, evening, impact
  setValue(s, 1, 2, 3, 62);
  setValue(s, 2, 2, 3, 63);
  EXPECT_EQ(s.NoiseLimits.getLimit(0, 1, 1, 0), 61.0f);
  EXPECT_EQ(s.NoiseLimits.getLimit(1, 1, 1, 0), 62.0f);
  EXPECT_EQ(s.NoiseLimits.getLimit(2, 1, 1, 0), 63.0f);
  EXPECT_EQ(s.NoiseLimits.getLimitText(2, 1, 1, 0), "63");
  EXPECT_EQ(s.NoiseLimits.getLimit(0, 1, 1, 1), 0.0f);  // never set
  EXPECT_EQ(s.NoiseLimits.getLimit(3, 1, 1, 0), 0.0f);
  EXPECT_EQ(s.NoiseLimits.getLimitText(4, 1, 1, 0), "");
  EXPECT_NE(s.NoiseLimits.getCriteria(3, 1, 1), nullptr);
  EXPECT_NE(s.NoiseLimits.getCriteria(4, 3, 6), nullptr);
  EXPECT_EQ(s.NoiseLimits.getCriteria(5, 1, 1), nullptr);
  EXPECT_EQ(s.NoiseLimits.getCriteria(0, 4, 1), nullptr);
}

TEST(NoiseLimits, SetCriteriaSharesTheCallersRecord) {
  cStudy s;
  auto eq = std::make_shared<cEquationRecord>();
  eq->setValueText("Value");
  eq->value = 50;
  s.NoiseLimits.setCriteria(1, 3, 6, eq);
  EXPECT_EQ(s.NoiseLimits.getCriteria(1, 3, 6), eq);
  eq->value = 51;
  EXPECT_EQ(s.NoiseLimits.getLimit(1, 2, 2, 1), 51.0f);
  s.NoiseLimits.setCriteria(3, 1, 1, eq);  // held tables are not set this way
  EXPECT_NE(s.NoiseLimits.getCriteria(3, 1, 1), eq);
}

TEST(NoiseLimits, TableCopyKeepsItsOwnRecords) {
  cStudy s;
  setValue(s, 0, 1, 1, 70);
  cNoiseLimitData copy;
  copy.LimitType = 9;
  copy.initialize();
  copy.copy(s.NoiseLimits.Limits_Lmax);
  EXPECT_EQ(copy.LimitType, 0);
  EXPECT_EQ(copy.getLimit(0, 0, 0), 70.0f);
  EXPECT_NE(copy.getCriteria(1, 1), s.NoiseLimits.getCriteria(0, 1, 1));
  s.NoiseLimits.getCriteria(0, 1, 1)->value = 10;
  EXPECT_EQ(copy.getLimit(0, 0, 0), 70.0f);
  EXPECT_EQ(copy.getCriteriaText(1, 1), "Value");
}

TEST(NoiseLimits, RewindRestoresLmaxMetricAndItsTable) {
  cStudy s;
  s.NoiseMetric = 2;
  s.NoiseLimits.Criteria.clearCriteria();
  s.NoiseLimits.Criteria.clearHold();
  setValue(s, 0, 1, 1, 70);
  setValue(s, 2, 3, 6, 65);
  setValue(s, 1, 3, 6, 40);
  s.NoiseLimits.holdCriteria();
  s.NoiseLimits.Criteria.clearCriteria();
  s.NoiseLimits.getCriteria(0, 1, 2)->setValueText("Exempt");
  s.NoiseLimits.getCriteria(2, 3, 6)->value = 1;
  s.NoiseMetric = 1;
  s.NoiseLimits.rewindCriteria();
  EXPECT_EQ(s.NoiseMetric, 2);
  EXPECT_EQ(s.NoiseLimits.getLimit(0, 0, 0, 0), 70.0f);
  EXPECT_EQ(s.NoiseLimits.getLimit(2, 2, 2, 1), 65.0f);
  EXPECT_EQ(s.NoiseLimits.getCriteria(0, 1, 2)->valueText(), "N/A");
  EXPECT_EQ(s.NoiseLimits.getCriteria(1, 3, 6)->valueText(), "N/A");  // Leq table not held
}

TEST(Limits, SetBaselinesStampsLmaxAndTheCurrentMetricOnly) {
  cStudy s;
  s.NoiseMetric = 1;
  auto r = s.addReceptor(1);
  r->dayBase = 51;
  r->eveBase = 52;
  r->niteBase = 53;
  s.setReceptorID(1);
  s.NoiseLimits.Limits.setBaselines();
  for (std::int16_t row = 1; row <= 3; ++row)
    for (std::int16_t col = 1; col <= 6; ++col) {
      const float expected = col <= 2 ? 51.0f : col <= 4 ? 52.0f : 53.0f;
      EXPECT_EQ(s.NoiseLimits.getCriteria(0, row, col)->baseLine, expected);
      EXPECT_EQ(s.NoiseLimits.getCriteria(1, row, col)->baseLine, expected);
      EXPECT_EQ(s.NoiseLimits.getCriteria(2, row, col)->baseLine, 0.0f);
    }
}

TEST(Criteria, CheckScansLmaxAndTheCurrentMetric) {
  cScriptedMessageService messages;
  cStudy s;
  s.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
  s.NoiseMetric = 2;
  bool show = true;
  EXPECT_FALSE(s.NoiseLimits.Criteria.check(show));
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Please complete the Noise Limit Criteria form.");
  EXPECT_EQ(messages.messages()[0].title, "VORN");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Critical);

  s.NoiseLimits.Criteria.clearCriteria();
  EXPECT_TRUE(s.NoiseLimits.Criteria.check(show));
  s.NoiseLimits.getCriteria(1, 2, 2)->equationType = -1;  // Leq is not in use
  EXPECT_TRUE(s.NoiseLimits.Criteria.check(show));
  s.NoiseLimits.getCriteria(2, 2, 2)->equationType = -1;
  bool silent = false;
  messages.clear();
  EXPECT_FALSE(s.NoiseLimits.Criteria.check(silent));
  EXPECT_TRUE(messages.messages().empty());
}

TEST(Criteria, ClearAsksFirstWhenTold) {
  cScriptedMessageService messages;
  cStudy s;
  s.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
  messages.script({MessageAnswer::No, MessageAnswer::Yes});
  s.NoiseLimits.Criteria.clearCriteria(true);
  EXPECT_EQ(s.NoiseLimits.getCriteria(0, 1, 1)->equationType, -1);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Set all Criteria to N/A?");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Information);
  EXPECT_EQ(messages.messages()[0].buttons, MessageButtons::YesNo);
  s.NoiseLimits.Criteria.clearCriteria(true);
  for (std::int32_t t = 0; t < 3; ++t) EXPECT_EQ(s.NoiseLimits.getLimit(t, 2, 2, 1), valueNA);
  EXPECT_EQ(s.NoiseLimits.getCriteria(3, 1, 1)->equationType, -1);
  s.NoiseLimits.Criteria.clearHold();
  EXPECT_EQ(s.NoiseLimits.getCriteria(3, 1, 1)->valueText(), "N/A");
  EXPECT_EQ(s.NoiseLimits.getCriteria(4, 3, 6)->equationType, 1);
}

TEST(Criteria, GetEquationFollowsTheSheet) {
  cStudy s;
  s.NoiseMetric = 1;
  EXPECT_EQ(s.NoiseLimits.Criteria.getEquation(1, 2, 3), s.NoiseLimits.getCriteria(1, 2, 3));
  EXPECT_EQ(s.NoiseLimits.Criteria.getEquation(0, 2, 3), s.NoiseLimits.getCriteria(0, 2, 3));
}
