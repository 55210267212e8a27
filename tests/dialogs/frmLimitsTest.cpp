// The limits dialog alone: the current receptor's limits as the criteria
// give them, and the checks before it opens, which show at most one message.
#include "criteria/ui/frmLimits.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "DialogTestCase.h"
#include "qtplatform/cSheetGrid.h"

namespace {

class Limits : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    buildTestCase(study);
  }
  cScriptedMessageService messages;
  cStudy study;
};

TEST_F(Limits, ShowsTheCurrentReceptorsLimitsAsTheCriteriaGiveThem) {
  // Receptor 2: daytime baseline 66, nighttime 60.
  study.setReceptorID(2);
  auto minus = study.NoiseLimits.getCriteria(0, 2, 5);
  minus->setValueText("Baseline+");
  minus->basePlus = -70.0f;
  auto cond = study.NoiseLimits.getCriteria(2, 1, 1);
  cond->setValueText("Conditional");
  cond->condLessThan = 65.0f;
  cond->condThenPlus = 5.0f;
  cond->condElsePlus = 2.5f;
  frmLimits dlg(study);
  EXPECT_EQ(dlg.windowTitle(), "Noise Limits");
  EXPECT_EQ(dlg.findChild<QLabel*>("lblReceptor")->text(), "Dock Office");
  EXPECT_EQ(dlg.findChild<QLabel*>("lblNoiseMetric")->text(), "L10 (dBA)");
  EXPECT_EQ(dlg.sheet(0)->text(2, 1), "71");  // 66 + 5
  EXPECT_EQ(dlg.sheet(0)->text(5, 2), "-10") << "a program write is shown as it is";
  EXPECT_EQ(dlg.sheet(0)->text(1, 3), "53");
  EXPECT_EQ(dlg.sheet(1)->text(1, 1), "68.5");  // 66 >= 65: + 2.5
  EXPECT_EQ(dlg.sheet(1)->text(6, 3), "Exempt");
  EXPECT_EQ(dlg.sheet(1)->table()->item(0, 0)->toolTip(),
            "If Baseline < 65 dBA Then\n   Value = Baseline + 5 dBA\nElse\n   Value = Baseline + 2.5 dBA");
  EXPECT_EQ(dlg.sheet(1)->accessibleName(), "L10 (dBA)");
  dlg.findChild<QPushButton*>("cmdClose")->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(Limits, NoiseLimitsButtonChecksShowAtMostOneMessage) {
  EXPECT_TRUE(study.NoiseLimits.Limits.readyToShow());
  study.NoiseLimits.getCriteria(0, 1, 1)->equationType = -1;
  EXPECT_FALSE(study.NoiseLimits.Limits.readyToShow());
  study.colReceptors[0]->niteBase = 0.0f;
  EXPECT_FALSE(study.NoiseLimits.Limits.readyToShow());
  ASSERT_EQ(messages.messages().size(), 2u);
  EXPECT_EQ(messages.messages()[0].text, "Please complete the Noise Limit Criteria form");
  EXPECT_EQ(messages.messages()[0].title, "VORN'");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Critical);
  EXPECT_EQ(messages.messages()[1].text, "Please input a Nighttime Baseline for Receptor #1.");
}

}  // namespace
