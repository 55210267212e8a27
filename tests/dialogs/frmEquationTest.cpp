// The equation dialog alone: it opens on the clicked cell's kind, refuses
// numbers that are not above 0 or not single-precision levels, and installs
// a record of the cell's own on every Ok.
#include "criteria/ui/frmEquation.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "DialogTestCase.h"

namespace {

class Equation : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    study.NoiseMetric = 1;
    setTestCriteria(study);
  }
  static QLineEdit* box(frmEquation& dlg, int i) {
    return dlg.findChild<QLineEdit*>(QStringLiteral("txtValue%1").arg(i));
  }
  static QComboBox* kind(frmEquation& dlg) { return dlg.findChild<QComboBox*>(QStringLiteral("cmboEquation")); }
  static void ok(frmEquation& dlg) { dlg.findChild<QPushButton*>(QStringLiteral("cmdClose0"))->click(); }

  cScriptedMessageService messages;
  cStudy study;
};

TEST_F(Equation, OpensOnTheCellsKindAndANullCellOnExempt) {
  frmEquation plus(study, 0, 1, 2);
  EXPECT_EQ(kind(plus)->currentText(), "Baseline+");
  EXPECT_EQ(box(plus, 2)->text(), "5");
  study.NoiseLimits.getCriteria(1, 2, 3)->equationType = -1;
  frmEquation null(study, 1, 2, 3);
  EXPECT_EQ(null.equationIndex, 0);
  EXPECT_EQ(kind(null)->currentText(), "Exempt");
  EXPECT_FALSE(null.criteriaChanged);
}

TEST_F(Equation, RefusesNumbersNotAboveZeroOrBeyondSinglePrecision) {
  const auto before = study.NoiseLimits.getCriteria(1, 1, 1);
  for (const char* text : {"0", "-5", "abc", "", "1e39", "65 dBA"}) {
    messages.clear();
    frmEquation dlg(study, 1, 1, 1);
    dlg.show();
    box(dlg, 0)->setText(QString::fromLatin1(text));
    ok(dlg);
    EXPECT_TRUE(dlg.isVisible()) << text;
    ASSERT_EQ(messages.messages().size(), 1u) << text;
    EXPECT_EQ(messages.messages()[0], (cScriptedMessageService::Message{"Please insert a number greater than 0.",
                                                                        "Adjustment Factor", MessageIcon::None,
                                                                        MessageButtons::Ok, MessageAnswer::Ok}));
  }
  EXPECT_EQ(study.NoiseLimits.getCriteria(1, 1, 1), before);
  EXPECT_EQ(before->value, 61.0f);
}

TEST_F(Equation, ConditionalChecksItsBoxesInOrderAndStopsAtTheFirstBadOne) {
  frmEquation dlg(study, 0, 3, 4);
  dlg.show();
  kind(dlg)->setCurrentIndex(5);
  box(dlg, 3)->setText("60");
  box(dlg, 4)->setText("0");
  box(dlg, 5)->setText("x");
  ok(dlg);
  EXPECT_EQ(messageTexts(messages), std::vector<std::string>{"Please insert a number greater than 0."});
  EXPECT_EQ(dlg.focusWidget(), box(dlg, 4));
  EXPECT_EQ(study.NoiseLimits.getCriteria(0, 3, 4)->valueText(), "Value");
}

TEST_F(Equation, EveryOkInstallsAFreshRecordInTheClickedTable) {
  study.setCaseChanged(false);
  std::vector<std::shared_ptr<cEquationRecord>> installed;
  for (const std::int16_t col : {1, 2}) {
    frmEquation dlg(study, 1, 2, col);
    kind(dlg)->setCurrentIndex(3);
    box(dlg, 1)->setText(" 55.5 ");
    box(dlg, 6)->setText("+3");
    ok(dlg);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    installed.push_back(study.NoiseLimits.getCriteria(1, 2, col));
  }
  ASSERT_NE(installed[0], installed[1]);
  for (const auto& eq : installed) {
    EXPECT_EQ(eq->equationType, 3);
    EXPECT_EQ(eq->maxCompare, 55.5f);
    EXPECT_EQ(eq->basePlus, 3.0f);
  }
  installed[0]->maxCompare = 70.0f;
  EXPECT_EQ(installed[1]->maxCompare, 55.5f);
  EXPECT_EQ(study.NoiseLimits.getCriteria(2, 2, 1)->valueText(), "Value") << "L10 untouched while Leq is shown";
  EXPECT_TRUE(study.caseChanged());
}

}  // namespace
