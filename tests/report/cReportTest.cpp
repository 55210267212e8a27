#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SF_FilePrompt.h"
#include "SF_ScriptedDialog.h"
#include "report/cReport.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"
#include "../casefile/FailingWrites.h"
#include "../support/TempDir.h"

namespace {

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

// Compares with a golden file under data/; VORN_UPDATE_GOLDEN=1 rewrites it
// for review in the diff.
void expectGolden(const std::vector<std::string>& lines, const std::string& name) {
  const std::string path = std::string(VORN_TEST_DATA) + "/" + name;
  if (std::getenv("VORN_UPDATE_GOLDEN")) TempDir::write(path, joined(lines));
  EXPECT_EQ(joined(lines), TempDir::read(path)) << name;
}

void setPair(cMetric& m, float lmax, float second, bool leq) {
  m.setLmax(lmax);
  if (leq)
    m.setLeq(second);
  else
    m.setL10(second);
}

std::shared_ptr<cEquipmentRecord> equipment(cStudy& s, const std::string& description, bool active, int impact,
                                            float usage, bool specSelect, float spec, float actual) {
  auto e = s.addEquipment(static_cast<std::int32_t>(s.colEquipment.size() + 1));
  e->description = description;
  e->active = active;
  e->impactDevice = impact;
  e->usage = usage;
  e->spec_select = specSelect;
  e->spec_lmax = spec;
  e->actual_lmax = actual;
  return e;
}

std::shared_ptr<cReceptorRecord> receptor(cStudy& s, const std::string& description, const std::string& landUse,
                                          float day, float eve, float nite) {
  auto r = s.addReceptor(static_cast<std::int32_t>(s.colReceptors.size() + 1));
  r->description = description;
  r->setLandUseTxt(landUse);
  r->dayBase = day;
  r->eveBase = eve;
  r->niteBase = nite;
  return r;
}

std::shared_ptr<cLinkRecord> link(cReceptorRecord& r, std::int32_t equipID, float distance, float shielding) {
  auto l = r.addLink(equipID);
  l->distance = distance;
  l->sheilding = shielding;
  return l;
}

// Leq, feet. The longest description belongs to an inactive piece: it is not
// reported but widens the equipment and results columns. Values cover the
// markers, fresh metrics and numbers too wide for their fields.
void buildStudyA(cStudy& s) {
  s.caseDescription = "Test case, day shift";
  s.NoiseMetric = 1;
  s.units = 0;
  s.caseProcessed = true;
  equipment(s, "Backhoe", true, 1, 40.0f, true, 80.0f, 78.0f);
  equipment(s, "Hoe Ram", true, 0, 12.5f, false, 90.0f, 89.8f);
  equipment(s, "Inactive long description x", false, 1, 40.0f, true, 85.0f, valueNA);
  auto r = receptor(s, "Home", "Residential", 61.5f, 57.0f, 51.0f);
  auto l1 = link(*r, 1, 100.0f, 0.0f);
  auto l2 = link(*r, 2, 250.5f, 5.0f);
  auto l3 = link(*r, 3, 80.0f, 0.0f);
  cResultRecord& a = l1->results;
  setPair(a.calculated, 74.0f, 70.0f, true);
  setPair(a.day_lotLine, 90.0f, 75.0f, true);
  setPair(a.eve_lotLine, valueNA, valueExempt, true);
  setPair(a.nite_lotLine, 70.0f, 65.0f, true);
  setPair(a.day_exceed, valueNone, valueNone, true);
  setPair(a.eve_exceed, valueNA, valueExempt, true);
  setPair(a.nite_exceed, 4.0f, 5.0f, true);
  cResultRecord& b = l2->results;
  setPair(b.calculated, -1000.0f, 75.25f, true);
  setPair(b.day_lotLine, 1234567.0f, 75.0f, true);
  b.nite_exceed.setLeq(9876543.0f);
  setPair(l3->results.calculated, 99.0f, 99.0f, true);
  setPair(r->calculated_totals, 74.0f, valueNA, true);
  setPair(r->day_lotLine_totals, 90.0f, 75.0f, true);
  setPair(r->eve_lotLine_totals, valueNA, valueExempt, true);
  setPair(r->day_exceed_totals, valueNone, 1.04f, true);
  setPair(r->eve_exceed_totals, valueNA, valueNA, true);
  setPair(r->nite_exceed_totals, 0.05f, -0.05f, true);
}

// L10, meters; a receptor whose description holds a comma has no links.
void buildStudyB(cStudy& s) {
  s.NoiseMetric = 2;
  s.units = 1;
  s.caseProcessed = true;
  equipment(s, "Pump 6\"", true, 1, 100.0f, true, 77.0f, valueNA);
  auto r1 = receptor(s, "Apartments long name", "Commercial", 66.0f, 62.5f, 55.0f);
  receptor(s, "Shop, rear", "Industrial", 70.0f, 68.0f, -3.0f);
  auto l = link(*r1, 1, 15.24f, 0.0f);
  cResultRecord& a = l->results;
  setPair(a.calculated, 80.1f, 83.1f, false);
  a.calculated.setLeq(77.7f);  // not the metric in use: never printed
  setPair(a.day_lotLine, 85.0f, 88.0f, false);
  setPair(a.eve_lotLine, 85.0f, 78.0f, false);
  setPair(a.nite_lotLine, 80.0f, 73.0f, false);
  setPair(a.day_exceed, valueNone, 0.6f, false);
  setPair(a.eve_exceed, valueNone, 5.1f, false);
  setPair(a.nite_exceed, 0.1f, 10.1f, false);
  r1->calculated_totals = a.calculated.copy();
  r1->day_lotLine_totals = a.day_lotLine.copy();
  r1->eve_lotLine_totals = a.eve_lotLine.copy();
  r1->nite_lotLine_totals = a.nite_lotLine.copy();
  setPair(r1->day_exceed_totals, valueNone, valueNone, false);
  r1->eve_exceed_totals = a.eve_exceed.copy();
  r1->nite_exceed_totals = a.nite_exceed.copy();
}

std::vector<std::string> build(cStudy& s, std::int32_t type, bool all, const std::string& date) {
  cReport report(s);
  report.reportDate = date;
  std::vector<std::string> lines;
  EXPECT_TRUE(report.buildReport(type, all, lines));
  return lines;
}

}  // namespace

TEST(ReportPadding, FormatsThenPadsWithoutCutting) {
  EXPECT_EQ(cReport::formatPadded(61.5, "0.0", 7), "61.5   ");
  EXPECT_EQ(cReport::formatPadded(12.5, "0", 5), "13   ");
  EXPECT_EQ(cReport::formatPadded(-0.05f, "0.0", 6), "-0.1  ");
  EXPECT_EQ(cReport::formatPadded(0.04, "0.0", 4), "0.0 ");
  EXPECT_EQ(cReport::formatPadded(-1000.0, "0.0", 6), "-1000.0");
  EXPECT_EQ(cReport::padRight("Yes", 6), "Yes   ");
  EXPECT_EQ(cReport::padRight("Exempt", 6), "Exempt");
  EXPECT_EQ(cReport::padRight("Exempted", 6), "Exempted");
  EXPECT_EQ(cReport::padRight("", 3), "   ");
}

TEST(TextReport, LeqFeetWithWideInactiveEquipmentMatchesGolden) {
  cStudy s;
  buildStudyA(s);
  const auto lines = build(s, cReport::textReport, true, "01/02/2025");
  expectGolden(lines, "studyA.txt");
  // No line is trimmed: the receptor line keeps W + 49 characters.
  EXPECT_EQ(lines[10].size(), 60u);
  EXPECT_EQ(lines[10].substr(15, 11), "Residential");
}

TEST(TextReport, L10MetersAllReceptorsMatchesGolden) {
  cStudy s;
  buildStudyB(s);
  expectGolden(build(s, cReport::textReport, true, "12/31/2024"), "studyB.txt");
}

TEST(TextReport, SelectedReceptorIsNumberedByItsID) {
  cStudy s;
  buildStudyB(s);
  s.setReceptorID(2);
  expectGolden(build(s, cReport::textReport, false, "12/31/2024"), "studyB-receptor2.txt");
}

TEST(CommaReport, LeqFeetMatchesGolden) {
  cStudy s;
  buildStudyA(s);
  const auto lines = build(s, cReport::commaReport, true, "01/02/2025");
  expectGolden(lines, "studyA.csv");
}

TEST(CommaReport, L10MetersAllAndSelectedMatchGolden) {
  cStudy s;
  buildStudyB(s);
  expectGolden(build(s, cReport::commaReport, true, "12/31/2024"), "studyB.csv");
  s.setReceptorID(2);
  expectGolden(build(s, cReport::commaReport, false, "12/31/2024"), "studyB-receptor2.csv");
}

TEST(CommaReport, EquipmentResultLinesHaveSeventeenFieldsAndTotalSixteen) {
  cStudy s;
  buildStudyA(s);
  const auto lines = build(s, cReport::commaReport, true, "01/02/2025");
  auto fields = [](const std::string& l) { return std::count(l.begin(), l.end(), ',') + 1; };
  EXPECT_EQ(fields(lines[21]), 17);
  EXPECT_EQ(fields(lines[23]), 16);
  EXPECT_EQ(fields(lines[14]), 8);
}

TEST(Report, DefaultDateIsTodayInMonthDayYear) {
  cStudy s;
  buildStudyA(s);
  cReport report(s);
  std::vector<std::string> lines;
  ASSERT_TRUE(report.buildReport(cReport::textReport, true, lines));
  const std::string date = lines[2].substr(25);
  ASSERT_EQ(date.size(), 10u);
  EXPECT_EQ(date[2], '/');
  EXPECT_EQ(date[5], '/');
}

TEST(Report, LinkToMissingEquipmentFailsTheBuild) {
  cStudy s;
  buildStudyA(s);
  s.colReceptors[0]->addLink(9);
  cReport report(s);
  std::vector<std::string> lines;
  EXPECT_FALSE(report.buildReport(cReport::textReport, true, lines));
  EXPECT_FALSE(report.buildReport(cReport::commaReport, true, lines));
}

TEST(ExportChecks, EachCaseGivesItsMessage) {
  cStudy s;
  buildStudyA(s);
  cReport report(s);
  s.caseProcessed = false;
  EXPECT_EQ(report.exportProblem(false), "Case must be Processed.");
  EXPECT_EQ(report.exportProblem(true), "No case results to report.");
  s.caseProcessed = true;
  EXPECT_EQ(report.exportProblem(false), "Please select a Receptor.");
  EXPECT_EQ(report.exportProblem(true), "");
  s.setReceptorID(1);
  EXPECT_EQ(report.exportProblem(false), "");
}

class ReportExport : public ::testing::Test {
protected:
  ReportExport() : prompt(dialog) {
    s.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    buildStudyA(s);
    report.reportDate = "01/02/2025";
  }
  cStudy s;
  cScriptedMessageService messages;
  SF_ScriptedDialog dialog;
  SF_FilePrompt prompt;
  cReport report{s};
  TempDir dir;
};

TEST_F(ReportExport, WritesTheBuiltLinesAndSaysSaved) {
  dialog.chooseFile(dir.file("out.csv"));
  EXPECT_TRUE(report.exportResults(cReport::commaReport, true, prompt));
  EXPECT_EQ(TempDir::read(dir.file("out.csv")), TempDir::read(std::string(VORN_TEST_DATA) + "/studyA.csv"));
  EXPECT_EQ(dialog.lastShowing().kind, SF_ScriptedDialog::Kind::Save);
  EXPECT_NE(dialog.lastShowing().filter.find("Report File (*.csv)|*.csv"), std::string::npos);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Report saved.");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Information);
}

TEST_F(ReportExport, CancelledPromptWritesNothingAndSaysNothing) {
  dialog.cancel();
  EXPECT_FALSE(report.exportResults(cReport::textReport, true, prompt));
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// The full disk is made by a POSIX file-size limit; on Windows
// tests/hostile/FailedSavesTest.cpp holds the target open instead.
#ifndef _WIN32
TEST_F(ReportExport, FailedWriteKeepsTheOldFileAndSaysSo) {
  const std::string path = dir.file("old.txt");
  TempDir::write(path, "previous report\r\n");
  dialog.chooseFile(path);
  bool written = true;
  {
    FailingWrites diskFull;
    written = report.writeReport(cReport::textReport, true, prompt);
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(TempDir::read(path), "previous report\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Problem writing report file.");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Critical);
}
#endif

TEST_F(ReportExport, BuildFailureIsReportedAndNothingWritten) {
  s.colReceptors[0]->addLink(42);
  dialog.chooseFile(dir.file("r.txt"));
  EXPECT_FALSE(report.writeReport(cReport::textReport, true, prompt));
  EXPECT_FALSE(std::filesystem::exists(dir.file("r.txt")));
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Problem builing report");
}

TEST_F(ReportExport, CheckFailureShowsItsMessageBeforeAnyPrompt) {
  s.caseProcessed = false;
  EXPECT_FALSE(report.exportResults(cReport::textReport, false, prompt));
  EXPECT_TRUE(dialog.showings().empty());
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Case must be Processed.");
}
