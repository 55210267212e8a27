// The PDF report's sections about places and time as a reader finds them:
// the site plan with its legend's bands, the programme the case is a phase
// of with the worst weeks of its text report, neither for a case without a
// plan or a programme, and which programme vorn-batch --pdf reports.

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/mBatch.h"
#include "cli/mBatchProgramme.h"
#include "cli/qt/mBatchQt.h"
#include "programme/cProgramme.h"
#include "programme/cProgrammeResults.h"
#include "qtplatform/cMemorySettingsStore.h"
#include "report/cReportDocument.h"
#include "report/qt/cPdfReportWriter.h"
#include "report/qt/cReportPlanObject.h"
#include "report/qt/cReportTimelineObject.h"
#include "report/qt/mReportPageSize.h"
#include "report/qt/mReportProgramme.h"
#include "tests/app/QtTestSupport.h"
#include "tests/report_pdf/PdfTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

const char* const kPiling = "Riverside Library - Piling.cas";
const std::vector<std::string> kBands = {"80 dB and above", "75 - 80 dB", "70 - 75 dB", "65 - 70 dB", "60 - 65 dB",
                                         "55 - 60 dB",      "50 - 55 dB", "45 - 50 dB", "40 - 45 dB", "35 - 40 dB"};

std::string example(const char* name) { return std::string(VORN_SOURCE_DIR) + "/examples/" + name; }
std::string programDir() { return std::string(VORN_BIN_DIR) + "/"; }

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string joined(const std::vector<std::string>& w) {
  std::string out;
  for (const std::string& s : w) out += (out.empty() ? "" : " ") + s;
  return out;
}

class PdfPlaces : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    if (!haveTool(QStringLiteral("pdftotext"))) GTEST_SKIP() << "poppler-utils (pdftotext) is not installed";
  }
  int writePdf(std::vector<std::string> args, std::string* errors = nullptr) {
    std::ostringstream out, err;
    args.insert(args.begin(), {"--date", "02/14/2026"});
    const int status = mBatchQt::main(0, nullptr, args, programDir(), out, err, &settings);
    if (errors) *errors = err.str();
    return status;
  }
  std::string pdfOf(const char* name) {
    const std::string pdf = dir.file(std::string(name) + ".pdf");
    std::string errors;
    EXPECT_EQ(writePdf({"--pdf", pdf, example(name)}, &errors), mBatch::exitReported) << errors;
    return pdfText(pdf);
  }
  TempDir dir;
  cMemorySettingsStore settings;
};

TEST_F(PdfPlaces, ACaseWithASitePlanShowsThePlanWithTheLegendsBands) {
  const std::string text = pdfOf("Bridge Demolition.cas");
  ASSERT_FALSE(text.empty());
  EXPECT_TRUE(has(text, "Site Plan"));
  EXPECT_TRUE(has(text, "Leq (dBA)"));
  // The legend, the loudest band on top, as the window's noise map shows it.
  std::size_t at = 0;
  for (const std::string& band : kBands) {
    const std::size_t found = text.find(band, at);
    EXPECT_NE(found, std::string::npos) << band;
    if (found != std::string::npos) at = found;
  }
  const std::vector<std::string> lines = collapsedLines(text);
  // Its symbols by the numbers of the sheets, the scale bar, the key to the positions.
  for (const char* label : {"R1", "R2", "E1", "E7"})
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
      const std::vector<std::string> w = words(l);
      return std::find(w.begin(), w.end(), label) != w.end();
    })) << label;
  EXPECT_TRUE(has(text, "100 ft"));
  EXPECT_TRUE(hasLine(lines, "R1 Receptor: Apartments, 14 Elm Street -50.0 80.0 5.0"));
  EXPECT_TRUE(hasLine(lines, "E1 Equipment: Hoe Ram (Hydraulic Breaker) 90.0 -33.1 5.0"));
  EXPECT_TRUE(has(text, "computed from the plan's barriers"));
  EXPECT_FALSE(has(text, "Construction Programme"));
}

TEST_F(PdfPlaces, ACaseWithoutAPlanOrAProgrammeHasNeitherSection) {
  const std::string text = pdfOf("Night Paving.cas");
  ASSERT_FALSE(text.empty());
  EXPECT_FALSE(has(text, "Site Plan"));
  EXPECT_FALSE(has(text, "dB and above"));
  EXPECT_FALSE(has(text, "Construction Programme"));
  EXPECT_FALSE(has(text, "computed from the plan's barriers"));
}

TEST_F(PdfPlaces, APhaseOfAProgrammeReportsItsTimelineAndTheWorstWeeksOfItsTextReport) {
  const std::string text = pdfOf(kPiling);
  ASSERT_FALSE(text.empty());
  EXPECT_TRUE(has(text, "Construction Programme"));
  EXPECT_TRUE(has(text, "(Riverside Library.vpg)"));
  const std::vector<std::string> lines = collapsedLines(text);
  // The phases as the programme file gives them.
  EXPECT_TRUE(hasLine(lines, "Demolition 1 6 Day+Evening Riverside Library - Demolition.cas"));
  EXPECT_TRUE(hasLine(lines, "Night Paving 20 24 Night Riverside Library - Night Paving.cas"));
  // The timeline's names and weeks.
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("Week 1 2 3", 0) == 0; }));
  EXPECT_FALSE(has(text, "Site Plan"));

  // Every receptor and period line of vorn-batch --programme --worst, field for field.
  std::ostringstream out, err;
  ASSERT_EQ(mBatchProgramme::main({"--programme", example("Riverside Library.vpg"), "--worst"}, out, err), 0)
      << err.str();
  int rows = 0;
  std::istringstream report(out.str());
  for (std::string line; std::getline(report, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> w = words(line);
    if (w.empty()) continue;
    if (w[0] == "Receptor") {
      EXPECT_TRUE(hasLine(lines, joined(w))) << line;
    } else if (w[0] == "Day" || w[0] == "Evening" || w[0] == "Night") {
      EXPECT_TRUE(hasLine(lines, joined(w))) << line;
      ++rows;
    }
  }
  EXPECT_EQ(rows, 12);  // four receptors, three periods
  // Worked out from the phases' cases: at receptor 1 in the night of week 20
  // the paving alone works, 14.4 dB over its Lmax limit of 70.0.
  EXPECT_TRUE(hasLine(lines, "Night 20 84.4 70.0 14.4 84.0 50.0 34.0 5 5 20 24 Night Paving"));
}

TEST_F(PdfPlaces, TheBatchToolReportsAProgrammeItNamesAndRefusesOneItCannotRead) {
  const std::string pdf = dir.file("named.pdf");
  std::string errors;
  ASSERT_EQ(writePdf({"--pdf", pdf, "--programme", example("Riverside Library.vpg"), example("Night Paving.cas")},
                     &errors),
            mBatch::exitReported)
      << errors;
  const std::string text = pdfText(pdf);
  EXPECT_TRUE(has(text, "Construction Programme"));
  EXPECT_TRUE(has(text, "Receptor #4: Mill Lane Workshops (Industrial)"));

  const std::string none = dir.file("none.pdf");
  EXPECT_EQ(writePdf({"--pdf", none, "--programme=" + dir.file("missing.vpg"), example(kPiling)}, &errors),
            mBatch::exitCannotRun);
  EXPECT_TRUE(has(errors, "Problem reading programme file.")) << errors;
  EXPECT_FALSE(fs::exists(none));

  EXPECT_EQ(writePdf({"--pdf", none, "--programme", example(kPiling)}, &errors), mBatch::exitCannotRun);
  EXPECT_EQ(writePdf({"--pdf", none, example(kPiling), "--programme"}, &errors), mBatch::exitCannotRun);
  EXPECT_TRUE(has(errors, "option '--programme' needs a value")) << errors;
  EXPECT_FALSE(fs::exists(none));
}

// A programme file in the format the programme window saves.
std::string programmeFile(const std::string& description, const std::vector<std::string>& cases) {
  std::string text = "VORN Programme - Version 1.0\r\n" + description + "\r\nMetric,Leq\r\nCriteria:,\r\nPhases...\r\n";
  int week = 1;
  for (const std::string& c : cases) {
    text += "Phase:,P" + std::to_string(week) + "," + std::to_string(week) + "," + std::to_string(week + 2) +
            ",1,0,0\r\nCase:," + c + "\r\n";
    week += 2;
  }
  return text + "End...\r\n";
}

TEST(ReportProgramme, TheProgrammeBesideACaseIsTheFirstByNameThatHasItAsAPhase) {
  TempDir dir;
  const std::string casePath = dir.file("Works.cas");
  fs::copy_file(example("Night Paving.cas"), casePath);
  fs::copy_file(example("Night Paving.cas"), dir.file("Other.cas"));
  EXPECT_EQ(mReportProgramme::programmeBeside(casePath), "");
  TempDir::write(dir.file("a other.vpg"), programmeFile("Other", {"Other.cas"}));
  TempDir::write(dir.file("b broken.VPG"), "not a programme\r\n");
  EXPECT_EQ(mReportProgramme::programmeBeside(casePath), "");
  TempDir::write(dir.file("d works.vpg"), programmeFile("Works", {"Other.cas", "Works.cas"}));
  EXPECT_EQ(mReportProgramme::programmeBeside(casePath), dir.file("d works.vpg"));
  TempDir::write(dir.file("c works too.Vpg"), programmeFile("Works too", {"./Works.cas"}));
  EXPECT_EQ(mReportProgramme::programmeBeside(casePath), dir.file("c works too.Vpg"));
  // The shipped examples: the piling case is a phase of the library's programme.
  EXPECT_EQ(fs::path(mReportProgramme::programmeBeside(example(kPiling))).filename(), "Riverside Library.vpg");
  EXPECT_EQ(mReportProgramme::programmeBeside(example("Bridge Demolition.cas")), "");
}

TEST(ReportDrawings, ScaleBarsAndWeekNumbersTakeRoundSteps) {
  struct Scale {
    double width, length;
  } scales[] = {{260.0, 200.0}, {100.0, 100.0}, {79.9, 50.0}, {4999.0, 2000.0}, {1.9, 1.0},
                {0.7, 0.5}, {0.001, 0.001}, {0.0, 1.0}};
  for (const Scale& s : scales) EXPECT_DOUBLE_EQ(cReportPlanObject::scaleLength(s.width), s.length) << s.width;
  struct Step {
    double week, number;
    int step;
  } steps[] = {{20.0, 10.0, 1}, {10.0, 10.0, 2}, {5.0, 10.0, 5}, {1.0, 10.0, 20}, {0.2, 12.0, 100}};
  for (const Step& s : steps) EXPECT_EQ(cReportTimelineObject::weekStep(s.week, s.number), s.step) << s.week;
}

TEST(ReportDrawings, APlanWithoutAMapAndAProgrammeOfManyPhasesLayOutWithTheirTexts) {
  qtTestApp();
  if (!haveTool(QStringLiteral("pdftotext"))) GTEST_SKIP() << "poppler-utils (pdftotext) is not installed";
  cReportDocument doc;
  doc.title = "Drawings";
  doc.footer = "Drawings";
  cReportPlan plan;
  plan.unit = "m";
  plan.xmin = 0;
  plan.xmax = 10;
  plan.ymin = 0;
  plan.ymax = 200;  // far taller than wide: it is fitted to the page
  plan.receptors.push_back({"R12", {5, 100}, true});
  plan.equipment.push_back({"E3", {9.9, 199.9}, false});
  plan.barriers.push_back({{0, 0}, {10, 200}});
  doc.plan(plan);
  cReportTimeline timeline;
  timeline.weeks = 400;
  for (int k = 1; k <= 30; ++k) {
    cReportTimeline::Phase p;
    p.name = "Phase number " + std::to_string(k);
    p.firstWeek = k * 10;
    p.lastWeek = k * 10 + 50;
    p.periods[k % 3] = true;
    timeline.phases.push_back(p);
  }
  doc.timeline(timeline);
  doc.paragraph("After the drawings.");
  cPdfReportWriter writer(QPageSize(QPageSize::A4));
  TempDir dir;
  ASSERT_TRUE(writer.writePdf(doc, dir.file("drawings.pdf")));
  EXPECT_EQ(writer.lastPageCount(), 2);
  const std::string text = pdfText(dir.file("drawings.pdf"));
  for (const char* part : {"R12", "E3", "Symbols", "Receptor", "Barrier", "N", "Phase number 1", "Phase number 30",
                           "Not worked in that period", "After the drawings."})
    EXPECT_NE(text.find(part), std::string::npos) << part;
  EXPECT_EQ(text.find("dB and above"), std::string::npos);
}

}  // namespace

namespace {

TEST(ReportProgramme, ALongProgrammesTimelineComesInPartsThatFitAPage) {
  cProgramme programme;
  programme.description = "Long";
  for (int k = 1; k <= 60; ++k) {
    cProgrammePhase p;
    p.name = "P" + std::to_string(k);
    p.firstWeek = k;
    p.lastWeek = k + 3;
    programme.phases.push_back(p);
  }
  const cProgrammeResults results;
  std::vector<std::size_t> parts;
  std::vector<std::string> names;
  for (const cReportBlock& b : mReportProgramme::section(programme, results, "long.vpg")) {
    if (b.kind != cReportBlock::Kind::timeline) continue;
    parts.push_back(b.timeline.phases.size());
    EXPECT_EQ(b.timeline.weeks, 63);
    for (const auto& p : b.timeline.phases) names.push_back(p.name);
  }
  EXPECT_EQ(parts, (std::vector<std::size_t>{25, 25, 10}));
  ASSERT_EQ(names.size(), 60u);
  EXPECT_EQ(names[25], "P26");
}

}  // namespace
