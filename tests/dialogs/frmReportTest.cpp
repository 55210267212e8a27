// The export dialog alone: its texts, the checks before anything is written,
// a cancelled prompt, and reports that are byte for byte what the batch tool
// writes for the same case saved, even when other receptors' stored results
// were out of date.
#include "report/ui/frmReport.h"

#include <sstream>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "DialogTestCase.h"
#include "SF_FilePrompt.h"
#include "SF_ScriptedDialog.h"
#include "cli/mBatch.h"
#include "compute/mProcess.h"
#include "../support/TempDir.h"

namespace {

constexpr const char* kDate = "07/08/2025";

class Report : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    buildTestCase(study);
    study.Report.reportDate = kDate;
    mProcess::processReceptor(study);
    ASSERT_TRUE(study.caseProcessed);
  }
  static QPushButton* button(frmReport& dlg, const char* name) { return dlg.findChild<QPushButton*>(name); }
  static QRadioButton* option(frmReport& dlg, int i) {
    return dlg.findChild<QRadioButton*>(QStringLiteral("optResuts%1").arg(i));
  }
  // Exports through the dialog as a user does; true when it closed.
  bool exportTo(std::int32_t type, bool all, const std::string& path) {
    frmReport dlg(study, prompt);
    dlg.SetFile(type);
    dlg.show();
    if (all) option(dlg, 1)->click();
    fileDialog.chooseFile(path);
    button(dlg, "cmdClose0")->click();
    return !dlg.isVisible() && dlg.result() == QDialog::Accepted;
  }
  std::string batch(const std::string& casePath, bool comma, std::int32_t receptor) {
    mBatch::Options options;
    options.comma = comma;
    options.receptor = receptor;
    options.date = kDate;
    options.output = dir.file("batch.out");
    options.casePath = casePath;
    std::ostringstream out, err;
    EXPECT_EQ(mBatch::run(options, shippedDir(), out, err), mBatch::exitReported) << err.str();
    return TempDir::read(options.output);
  }

  TempDir dir;
  cScriptedMessageService messages;
  cStudy study;
  SF_ScriptedDialog fileDialog;
  SF_FilePrompt prompt{fileDialog};
};

TEST_F(Report, ExplanationFollowsTheTypeAndEveryShowingStartsOnTheSelectedReceptor) {
  frmReport dlg(study, prompt);
  EXPECT_EQ(dlg.windowTitle(), "Export Results");
  dlg.SetFile(1);
  EXPECT_EQ(dlg.findChild<QLabel*>("lblExplanation")->text(),
            "Export the Receptor(s), Equipment and Results to a comma delimited file.");
  dlg.SetFile(3);
  EXPECT_EQ(dlg.reportType(), 1);
  dlg.SetFile(2);
  EXPECT_EQ(dlg.findChild<QLabel*>("lblExplanation")->text(),
            "Export the Receptor(s), Equipment and Results to a text file.");
  EXPECT_EQ(option(dlg, 0)->text(), "Selected Receptor");
  EXPECT_EQ(option(dlg, 1)->text(), "All Receptors");
  EXPECT_EQ(button(dlg, "cmdClose1")->text(), "Close");
  dlg.show();
  option(dlg, 1)->click();
  EXPECT_TRUE(dlg.allReceptors());
  dlg.hide();
  dlg.show();
  EXPECT_FALSE(dlg.allReceptors());
  button(dlg, "cmdClose1")->click();
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_TRUE(fileDialog.showings().empty());
}

TEST_F(Report, ChecksComeBeforeTheFileAndKeepTheDialogOpen) {
  struct Case {
    bool processed;
    std::int32_t receptor;
    bool all;
    const char* message;
  };
  for (const Case& c : {Case{false, 1, false, "Case must be Processed."},
                        Case{true, 0, false, "Please select a Receptor."},
                        Case{false, 1, true, "No case results to report."}}) {
    messages.clear();
    study.setReceptorID(c.receptor);
    study.caseProcessed = c.processed;
    frmReport dlg(study, prompt);
    dlg.show();
    if (c.all) option(dlg, 1)->click();
    button(dlg, "cmdClose0")->click();
    EXPECT_TRUE(dlg.isVisible()) << c.message;
    ASSERT_EQ(messageTexts(messages), std::vector<std::string>{c.message});
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(fileDialog.showings().empty()) << c.message;
  }
}

TEST_F(Report, CancelledPromptKeepsTheDialogOpenWithoutAMessage) {
  frmReport dlg(study, prompt);
  dlg.show();
  fileDialog.cancel();
  button(dlg, "cmdClose0")->click();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_TRUE(messages.messages().empty());
  ASSERT_EQ(fileDialog.showings().size(), 1u);
  EXPECT_EQ(fileDialog.lastShowing().kind, SF_ScriptedDialog::Kind::Save);
}

TEST_F(Report, AllReceptorsStopAtAReceptorThatFailsValidationAndSelectIt) {
  study.colReceptors[1]->eveBase = 0.0f;
  frmReport dlg(study, prompt);
  dlg.show();
  option(dlg, 1)->click();
  button(dlg, "cmdClose0")->click();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(messageTexts(messages), std::vector<std::string>{"No case results to report."});
  EXPECT_EQ(study.receptorID(), 2);
  EXPECT_FALSE(study.caseProcessed);
  EXPECT_TRUE(fileDialog.showings().empty());
}

// The user processes receptor 1, then changes a usage: only receptor 1 is
// computed again, so receptor 2's stored results are stale. Exports of all
// receptors, and of receptor 2 selected, still equal the batch tool's output
// for the case saved as it stands.
TEST_F(Report, ExportsEqualTheBatchToolsReportsOfTheSavedCase) {
  study.colEquipment[0]->usage = 65.0f;
  mProcess::processReceptor(study);
  const std::string casePath = dir.file("pier.cas");
  ASSERT_EQ(study.caseFile.writeCaseFile(casePath), SF_DATA_OK);

  const std::string txt = dir.file("all.txt"), csv = dir.file("all.csv"), one = dir.file("two.txt");
  ASSERT_TRUE(exportTo(2, true, txt));
  EXPECT_EQ(study.receptorID(), 1) << "the selected receptor stays selected";
  ASSERT_TRUE(exportTo(1, true, csv));
  study.setReceptorID(2);
  mProcess::processReceptor(study);
  ASSERT_TRUE(exportTo(2, false, one));
  EXPECT_EQ(messageTexts(messages), std::vector<std::string>(3, "Report saved."));
  EXPECT_EQ(fileDialog.lastShowing().kind, SF_ScriptedDialog::Kind::Save);

  const std::string expectedAll = batch(casePath, false, 0);
  EXPECT_NE(expectedAll.find("**** Receptor #2 ****"), std::string::npos);
  EXPECT_EQ(TempDir::read(txt), expectedAll);
  EXPECT_EQ(TempDir::read(csv), batch(casePath, true, 0));
  EXPECT_EQ(TempDir::read(one), batch(casePath, false, 2));
}

}  // namespace
