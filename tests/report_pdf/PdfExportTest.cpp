// File > Export Results > PDF Report... in the running program, beside
// vorn-batch --pdf; the report details dialog alone; the preparer settings.

#include <filesystem>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "cli/mBatch.h"
#include "cli/qt/mBatchQt.h"
#include "compute/ui/frmOverview.h"
#include "report/mDateText.h"
#include "study/mMarkers.h"
#include "report/qt/cPreparerSettings.h"
#include "report/ui/frmReportDetails.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/report_pdf/PdfTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

std::string example(const char* name) { return std::string(VORN_SOURCE_DIR) + "/examples/" + name; }

bool said(const cScriptedMessageService& messages, const std::string& text) {
  for (const auto& m : messages.messages())
    if (m.text == text) return true;
  return false;
}

class PdfExport : public ::testing::Test {
protected:
  void SetUp() override {
    started.settings.saveSetting("Corvath VORN", "Report", "Organisation", "Harbour Acoustics");
    started.settings.saveSetting("Corvath VORN", "Report", "Author", "R. Field");
    ASSERT_TRUE(started.start());
  }
  void open(const char* name) {
    started.dialog.chooseFile(example(name));
    started.choose("mFile_1");
    ASSERT_TRUE(started.study().caseProcessed);
  }
  cStartedProgram started;
  TempDir dir;
};

TEST_F(PdfExport, MenuItemFollowsTheOtherExports) {
  QMenu* exportMenu = started.window().findChild<QMenu*>(QStringLiteral("mExport"));
  ASSERT_NE(exportMenu, nullptr);
  const QList<QAction*> items = exportMenu->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[2]->objectName(), QStringLiteral("mExport_2"));
  EXPECT_EQ(items[2]->text(), QStringLiteral("PDF Report..."));
  QMenu* options = started.window().findChild<QMenu*>(QStringLiteral("mOptions"));
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->actions().back()->objectName(), QStringLiteral("mOptions_4"));
  EXPECT_EQ(options->actions().back()->text(), QStringLiteral("&Report Details..."));
}

TEST_F(PdfExport, WindowAndBatchToolWriteTheSameDocument) {
  // With a site plan, without a plan or a programme, and a phase of a programme.
  for (const char* name : {"Bridge Demolition.cas", "Night Paving.cas", "Riverside Library - Piling.cas"}) {
    SCOPED_TRACE(name);
    open(name);
    const std::string fromWindow = dir.file(std::string("window ") + name + ".pdf");
    started.dialog.chooseFile(fromWindow);
    started.choose("mExport_2");
    ASSERT_TRUE(said(started.messages, "Report saved."));
    EXPECT_EQ(started.dialog.lastShowing().kind, SF_ScriptedDialog::Kind::Save);

    const std::string fromBatch = dir.file(std::string("batch ") + name + ".pdf");
    std::ostringstream out, err;
    ASSERT_EQ(mBatchQt::main(0, nullptr, {"--pdf", fromBatch, "--date", todayDateText(), example(name)},
                             started.programDir, out, err, &started.settings),
              mBatch::exitReported)
        << err.str();
    const QByteArray window = QByteArray::fromStdString(TempDir::read(fromWindow));
    const QByteArray batch = QByteArray::fromStdString(TempDir::read(fromBatch));
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(withoutTimeStamp(window), withoutTimeStamp(batch));
  }
}

TEST_F(PdfExport, ANameWithoutTypeGetsPdf) {
  open("Night Paving.cas");
  started.dialog.chooseFile(dir.file("night"));
  started.choose("mExport_2");
  EXPECT_TRUE(std::filesystem::exists(dir.file("night.pdf")));
}

TEST_F(PdfExport, AFolderNamedWithAccentsIsTheFolderWrittenTo) {
  open("Night Paving.cas");
  const std::filesystem::path folder = dir.path() / "Caf\xC3\xA9";  // the file prompt's bytes: UTF-8 here
  std::filesystem::create_directories(folder);
  started.dialog.chooseFile((folder / "report.pdf").string());
  started.choose("mExport_2");
  EXPECT_TRUE(said(started.messages, "Report saved."));
  EXPECT_TRUE(std::filesystem::exists(folder / "report.pdf"));
}

TEST_F(PdfExport, NothingProcessedNothingWritten) {
  started.dialog.chooseFile(dir.file("empty.pdf"));
  started.choose("mExport_2");
  EXPECT_TRUE(said(started.messages, "No case results to report."));
  EXPECT_FALSE(std::filesystem::exists(dir.file("empty.pdf")));
}

TEST_F(PdfExport, CancelledPromptSaysNothingAndAFailedWriteSaysSo) {
  open("Night Paving.cas");
  const std::size_t before = started.messages.messages().size();
  started.dialog.cancel();
  started.choose("mExport_2");
  EXPECT_EQ(started.messages.messages().size(), before);

  started.dialog.chooseFile(dir.file("no such folder/x.pdf"));
  started.choose("mExport_2");
  EXPECT_TRUE(said(started.messages, "Problem writing report file."));
  EXPECT_FALSE(said(started.messages, "Report saved."));
}

TEST(ReportDetails, DialogCarriesTheValuesInAndOutTrimmed) {
  qtTestApp();
  frmReportDetails dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Report Details"));
  dialog.setPreparer({"Harbour Acoustics", "R. Field"});
  auto* organisation = dialog.findChild<QLineEdit*>(QStringLiteral("txtOrganisation"));
  auto* author = dialog.findChild<QLineEdit*>(QStringLiteral("txtAuthor"));
  ASSERT_NE(organisation, nullptr);
  ASSERT_NE(author, nullptr);
  EXPECT_EQ(organisation->text(), QStringLiteral("Harbour Acoustics"));
  EXPECT_FALSE(organisation->accessibleName().isEmpty());
  author->setText(QStringLiteral("  J. Caf\u00e9  "));
  const mPdfReport::Preparer p = dialog.preparer();
  EXPECT_EQ(p.organisation, "Harbour Acoustics");
  EXPECT_EQ(p.author, "J. Caf\xE9");
  EXPECT_NE(dialog.findChild<QPushButton*>(QStringLiteral("cmdOk")), nullptr);
  EXPECT_NE(dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel")), nullptr);
}

TEST(ReportDetails, SettingsKeepThePreparerUnderTheProgramsName) {
  cMemorySettingsStore store;
  cPreparerSettings settings(store);
  EXPECT_EQ(settings.read().organisation, "");
  ASSERT_TRUE(settings.save({"Org", "Me"}));
  EXPECT_EQ(store.getSetting("Corvath VORN", "Report", "Organisation"), "Org");
  EXPECT_EQ(store.getSetting("Corvath VORN", "Report", "Author"), "Me");
  EXPECT_EQ(cPreparerSettings(store).read().author, "Me");
}

}  // namespace

namespace {

TEST(PdfShades, AreTheReceptorOverviewsColours) {
  qtTestApp();
  for (float e : {-1.0f, 0.0f, 0.05f, 4.9f, 5.0f, 9.9f, 10.0f, 30.0f, valueNone, valueNA, valueExempt}) {
    const QColor overview = frmOverview::colorFor(e);
    const std::uint32_t shade = mPdfReport::exceedanceShade(e);
    if (!overview.isValid()) {
      EXPECT_EQ(shade, cReportCell::noShade) << e;
    } else {
      EXPECT_EQ(shade, static_cast<std::uint32_t>(overview.rgb() & 0xFFFFFFu)) << e;
    }
  }
}

}  // namespace
