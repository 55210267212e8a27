// The criteria dialog alone, on the study's live tables: Cancel puts back
// every table it changed, Default counts only when loaded, a clicked cell
// opens the equation dialog on that cell and the sheet shows the outcome.
#include "criteria/ui/frmCriteria.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "DialogTestCase.h"
#include "SF_FilePrompt.h"
#include "SF_ScriptedDialog.h"
#include "qtplatform/cSheetGrid.h"
#include "criteria/cCriteriaFile.h"
#include "criteria/ui/frmEquation.h"
#include "../support/TempDir.h"

namespace {

using Answer = MessageAnswer;

// Every cell of the three metric tables as its file line would read.
std::vector<std::string> allCriteria(cStudy& study) {
  std::vector<std::string> lines;
  cCriteriaFile(study.NoiseLimits).buildOutput(lines);
  return lines;
}

class Criteria : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    buildTestCase(study);
    study.setCaseChanged(false);
  }
  QPushButton* button(frmCriteria& dlg, const char* name) { return dlg.findChild<QPushButton*>(name); }
  void clickCell(frmCriteria& dlg, int sheet, int col, int row) {
    QTableWidget* table = dlg.sheet(sheet)->table();
    const QPoint at = table->visualRect(table->model()->index(row - 1, col - 1)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
  }

  cScriptedMessageService messages;
  cStudy study;
  SF_ScriptedDialog fileDialog;
  SF_FilePrompt prompt{fileDialog};
};

TEST_F(Criteria, ShowsLmaxBesideTheCurrentMetricWithEquationTips) {
  frmCriteria dlg(study, prompt, shippedDir());
  EXPECT_EQ(dlg.windowTitle(), "Noise Limit Criteria");
  EXPECT_EQ(dlg.findChild<QLabel*>("lblNoiseMetric")->text(), "L10 (dBA)");
  EXPECT_EQ(dlg.sheet(0)->text(2, 1), "Baseline+");
  EXPECT_EQ(dlg.sheet(1)->text(6, 3), "Exempt");
  EXPECT_EQ(dlg.sheet(1)->text(1, 2), "Value");
  EXPECT_EQ(dlg.sheet(0)->table()->item(0, 1)->toolTip(), "Value = Baseline + 5 dBA");
  EXPECT_EQ(dlg.sheet(1)->table()->item(1, 0)->toolTip(), "Value = 72 dBA");
  EXPECT_EQ(dlg.sheet(1)->columnHeading(1, 1), "Day");
  EXPECT_EQ(dlg.sheet(1)->columnHeading(2, 2), "Non-Impact");
  EXPECT_EQ(dlg.sheet(1)->rowHeading(3), "Industrial");
  EXPECT_TRUE(dlg.sheet(0)->isLocked(4, 2));
  EXPECT_EQ(button(dlg, "cmdLoad0")->toolTip(), "Set all criteria to N/A.");
}

TEST_F(Criteria, CancelAndTheCloseBoxPutBackAllThreeTablesAfterClearOrOpen) {
  const auto before = allCriteria(study);
  TempDir dir;
  std::vector<std::string> cleared(before.size());
  {
    frmCriteria dlg(study, prompt, shippedDir());
    dlg.show();
    messages.script({Answer::Yes});
    button(dlg, "cmdLoad0")->click();
    EXPECT_EQ(dlg.sheet(1)->text(1, 1), "N/A");
    EXPECT_EQ(study.NoiseLimits.getCriteria(1, 1, 1)->valueText(), "N/A") << "Clear reaches the Leq table too";
    button(dlg, "cmdLoad1")->click();  // default criteria, then Cancel
    button(dlg, "cmdClose1")->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.outcome().accepted);
  }
  EXPECT_EQ(allCriteria(study), before);
  {
    fileDialog.chooseFile(shippedDir() + "default criteria.cri");
    frmCriteria dlg(study, prompt, shippedDir());
    dlg.show();
    button(dlg, "cmdLoad2")->click();
    EXPECT_NE(allCriteria(study), before);
    dlg.close();
  }
  EXPECT_EQ(allCriteria(study), before);
  EXPECT_EQ(study.NoiseMetric, 2);
}

TEST_F(Criteria, OkAfterALoadedDefaultSwitchesToL10WithTheDefaultAdjustment) {
  study.NoiseMetric = 1;
  study.adjustmentFactor = 5.5f;
  frmCriteria dlg(study, prompt, shippedDir());
  EXPECT_EQ(dlg.findChild<QLabel*>("lblNoiseMetric")->text(), "Leq (dBA)");
  messages.script({Answer::Yes});
  button(dlg, "cmdLoad1")->click();
  button(dlg, "cmdClose0")->click();
  ASSERT_EQ(dlg.result(), QDialog::Accepted);
  const cCriteriaOutcome outcome = dlg.outcome();
  EXPECT_TRUE(outcome.accepted);
  EXPECT_TRUE(outcome.defaultLoaded);
  outcome.apply(study);
  EXPECT_EQ(study.NoiseMetric, 2);
  EXPECT_EQ(study.adjustmentFactor, 3.0f);
  EXPECT_TRUE(study.caseChanged());
  EXPECT_TRUE(study.caseProcessed) << "the current receptor was computed again";
  EXPECT_EQ(messageTexts(messages), std::vector<std::string>{"Load Criteria from the default file?"});
}

TEST_F(Criteria, DefaultAnsweredNoOrFailingLeavesTheMetricAndAdjustmentAlone) {
  study.NoiseMetric = 1;
  study.adjustmentFactor = 5.5f;
  TempDir empty;
  frmCriteria dlg(study, prompt, empty.path().string() + "/");
  messages.script({Answer::No, Answer::Yes});
  button(dlg, "cmdLoad1")->click();
  button(dlg, "cmdLoad1")->click();  // no default file there
  button(dlg, "cmdClose0")->click();
  const cCriteriaOutcome outcome = dlg.outcome();
  EXPECT_TRUE(outcome.accepted);
  EXPECT_FALSE(outcome.defaultLoaded);
  outcome.apply(study);
  EXPECT_EQ(study.NoiseMetric, 1);
  EXPECT_EQ(study.adjustmentFactor, 5.5f);
  EXPECT_TRUE(study.caseProcessed);
  EXPECT_EQ(messageTexts(messages),
            (std::vector<std::string>{"Load Criteria from the default file?", "Load Criteria from the default file?",
                                      "Problem reading Noise Limit Criteria file."}));
}

TEST_F(Criteria, OkRefusesAnIncompleteFormAndStaysOpen) {
  study.NoiseLimits.getCriteria(2, 2, 2)->equationType = -1;
  frmCriteria dlg(study, prompt, shippedDir());
  dlg.show();
  button(dlg, "cmdClose0")->click();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(messageTexts(messages), std::vector<std::string>{"Please complete the Noise Limit Criteria form."});
  EXPECT_FALSE(study.caseChanged());
  dlg.reject();
}

// A user clicks a "Null" cell: the equation dialog opens beside it on
// "Exempt"; a refused number keeps it open; the accepted criterion is a
// record of the cell's own and the sheet shows it, with its tip.
TEST_F(Criteria, ClickedCellIsEditedInTheEquationDialogAndRedrawn) {
  study.NoiseLimits.getCriteria(2, 1, 3)->equationType = -1;
  const auto neighbour = study.NoiseLimits.getCriteria(2, 1, 4);
  frmCriteria dlg(study, prompt, shippedDir());
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  ModalDriver driver;
  QString openedOn;
  QPoint openedAt;
  driver.then([&](QWidget* modal) {
    auto* eq = qobject_cast<frmEquation*>(modal);
    if (!eq) return false;
    openedOn = eq->findChild<QComboBox*>("cmboEquation")->currentText();
    openedAt = eq->pos();
    eq->findChild<QComboBox*>("cmboEquation")->setCurrentIndex(2);
    eq->findChild<QLineEdit*>("txtValue0")->setText("1e39");
    eq->findChild<QPushButton*>("cmdClose0")->click();  // refused, stays open
    eq->findChild<QLineEdit*>("txtValue0")->setText("68.5");
    eq->findChild<QPushButton*>("cmdClose0")->click();
    return true;
  });
  clickCell(dlg, 1, 3, 1);
  EXPECT_TRUE(driver.allStepsTaken());
  EXPECT_EQ(driver.rejectedUnexpected(), 0);
  EXPECT_EQ(openedOn, "Exempt");
  EXPECT_GE(openedAt.x(), dlg.sheet(1)->cellScreenRect(3, 1).right());
  EXPECT_EQ(messageTexts(messages), std::vector<std::string>{"Please insert a number greater than 0."});
  EXPECT_EQ(dlg.sheet(1)->text(3, 1), "Value");
  EXPECT_EQ(dlg.sheet(1)->table()->item(0, 2)->toolTip(), "Value = 68.5 dBA");
  const auto installed = study.NoiseLimits.getCriteria(2, 1, 3);
  EXPECT_EQ(installed->value, 68.5f);
  EXPECT_NE(installed, neighbour);
  EXPECT_EQ(study.NoiseLimits.getCriteria(2, 1, 4), neighbour);

  // Cancel in the equation dialog leaves the cell and its text as they are.
  driver.then([](QWidget* modal) {
    auto* eq = qobject_cast<frmEquation*>(modal);
    if (!eq) return false;
    eq->findChild<QComboBox*>("cmboEquation")->setCurrentIndex(1);
    eq->findChild<QPushButton*>("cmdClose1")->click();
    return true;
  });
  clickCell(dlg, 1, 3, 1);
  EXPECT_TRUE(driver.allStepsTaken());
  EXPECT_EQ(dlg.sheet(1)->text(3, 1), "Value");
  dlg.reject();
}

// From the keyboard a cell opens its equation dialog with Return, Space or
// F2, as a click opens it; Cancel there leaves the cell as it was.
TEST_F(Criteria, ReturnSpaceOrF2OpenACellsEquation) {
  frmCriteria dlg(study, prompt, shippedDir());
  dlg.show();
  dlg.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
  QTableWidget* table = dlg.sheet(0)->table();
  table->setFocus();
  dlg.sheet(0)->setActiveCell(2, 3);
  const std::string before = dlg.sheet(0)->text(2, 3);
  ModalDriver driver;
  int opened = 0;
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_F2}) {
    driver.then([&](QWidget* modal) {
      auto* eq = qobject_cast<frmEquation*>(modal);
      if (!eq) return false;
      ++opened;
      eq->findChild<QPushButton*>("cmdClose1")->click();
      return true;
    });
    QTest::keyClick(table, key);
    QApplication::processEvents();
  }
  EXPECT_EQ(opened, 3);
  EXPECT_TRUE(driver.allStepsTaken());
  EXPECT_EQ(driver.rejectedUnexpected(), 0);
  EXPECT_EQ(dlg.sheet(0)->text(2, 3), before);
  EXPECT_EQ(dlg.sheet(0)->activeRow(), 3) << "Return opened the cell; it did not move down";
  EXPECT_EQ(QAccessible::queryAccessibleInterface(table)->text(QAccessible::Name), "Lmax (dBA)");
  dlg.reject();
}

}  // namespace
