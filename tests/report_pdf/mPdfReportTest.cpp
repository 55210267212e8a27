// The report document's words and numbers, without any layout: a small case
// built by hand, its stored results chosen so that each band of exceedance,
// each marker and each criterion kind shows.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "criteria/cEquationRecord.h"
#include "report/mPdfReport.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

namespace {

void setPair(cMetric& m, float lmax, float second) {
  m.setLmax(lmax);
  m.setL10(second);
  m.setLeq(second);
}

void setResult(cResultRecord& r, float lmax, float metric, float limitLmax, float limitMetric, float exceedLmax,
               float exceedMetric) {
  setPair(r.calculated, lmax, metric);
  for (cMetric* m : {&r.day_lotLine, &r.eve_lotLine}) setPair(*m, limitLmax, limitMetric);
  setPair(r.nite_lotLine, valueNA, valueExempt);
  for (cMetric* m : {&r.day_exceed, &r.eve_exceed}) setPair(*m, exceedLmax, exceedMetric);
  setPair(r.nite_exceed, valueNA, valueExempt);
  r.computed = true;
}

std::shared_ptr<cEquipmentRecord> addEquipment(cStudy& s, const std::string& description, bool active, int impact) {
  auto e = s.addEquipment(static_cast<std::int32_t>(s.colEquipment.size() + 1));
  e->description = description;
  e->active = active;
  e->impactDevice = impact;
  e->usage = 40.0f;
  e->spec_select = true;
  e->spec_lmax = 85.0f;
  e->actual_lmax = valueNA;
  return e;
}

// Receptor 1 is over its limits by 3.0 (Lmax, Dozer) and 12.0 (L10, Total);
// receptor 2 is within every limit.
struct Case {
  cStudy study;
  EquipmentList list;

  Case() {
    study.caseDescription = "Bridge works";
    study.NoiseMetric = 2;
    study.adjustmentFactor = 3.0f;
    study.units = 0;
    study.caseProcessed = true;
    addEquipment(study, "Dozer", true, 1);
    addEquipment(study, "Jackhammer", true, 0);
    addEquipment(study, "Idle crane", false, 1);
    addEquipment(study, "Dozer", true, 1);  // a second of the same kind: listed once in the appendix

    auto r1 = study.addReceptor(1);
    r1->description = "School";
    r1->setLandUseTxt("Commercial");
    r1->dayBase = 60.0f;
    r1->eveBase = 55.0f;
    r1->niteBase = 50.0f;
    auto l1 = r1->addLink(1);
    l1->distance = 100.0f;
    l1->sheilding = 5.0f;
    setResult(l1->results, 83.0f, 78.0f, 80.0f, 75.0f, 3.0f, 3.0f);
    auto l2 = r1->addLink(2);
    l2->distance = 50.0f;
    setResult(l2->results, 79.0f, 71.0f, 85.0f, 75.0f, valueNone, valueNone);
    auto l3 = r1->addLink(3);  // inactive: neither listed nor counted
    l3->distance = 10.0f;
    setResult(l3->results, 99.0f, 99.0f, 80.0f, 75.0f, 19.0f, 24.0f);
    setPair(r1->calculated_totals, 83.0f, 87.0f);
    for (cMetric* m : {&r1->day_lotLine_totals, &r1->eve_lotLine_totals}) setPair(*m, 80.0f, 75.0f);
    setPair(r1->nite_lotLine_totals, valueNA, valueExempt);
    setPair(r1->day_exceed_totals, 3.0f, 12.0f);
    setPair(r1->eve_exceed_totals, 3.0f, 4.5f);
    setPair(r1->nite_exceed_totals, valueNA, valueExempt);

    auto r2 = study.addReceptor(2);
    r2->description = "Farm";
    r2->setLandUseTxt("Industrial");
    auto l4 = r2->addLink(1);
    l4->distance = 900.0f;
    setResult(l4->results, 58.9f, 55.0f, 90.0f, 85.0f, valueNone, valueNone);
    setPair(r2->calculated_totals, 58.9f, 55.0f);
    for (cMetric* m : {&r2->day_lotLine_totals, &r2->eve_lotLine_totals}) setPair(*m, 90.0f, 85.0f);
    setPair(r2->nite_lotLine_totals, valueNA, valueExempt);
    for (cMetric* m : {&r2->day_exceed_totals, &r2->eve_exceed_totals}) setPair(*m, valueNone, valueNone);
    setPair(r2->nite_exceed_totals, valueNA, valueExempt);

    auto criterion = [this](std::int32_t table, std::int16_t row, std::int16_t col, const char* kind) {
      auto eq = std::make_shared<cEquationRecord>();
      eq->setValueText(kind);
      eq->value = 80.0f;
      eq->maxCompare = 55.0f;
      eq->basePlus = 5.0f;
      eq->condLessThan = 60.0f;
      eq->condThenPlus = 10.0f;
      eq->condElsePlus = 5.0f;
      study.NoiseLimits.setCriteria(table, row, col, eq);
    };
    for (std::int16_t row = 1; row <= 3; ++row)
      for (std::int16_t col = 1; col <= 6; ++col) {
        criterion(0, row, col, "Value");
        criterion(2, row, col, "N/A");
      }
    criterion(2, 2, 2, "Maximum");
    criterion(2, 2, 4, "Conditional");
    criterion(1, 2, 2, "Baseline+");  // Leq: not the case's metric, not shown

    auto entry = std::make_shared<cEquipmentRecord>();
    entry->description = "Dozer";
    entry->impactDevice = 1;
    entry->usage = 40.0f;
    entry->spec_lmax = 85.0f;
    entry->actual_lmax = 81.7f;
    list.push_back(entry);
    auto other = std::make_shared<cEquipmentRecord>();
    other->description = "Paver";
    list.push_back(other);
  }

  cReportDocument build(bool withList = true) {
    mPdfReport::Inputs in;
    in.caseName = "Bridge";
    in.reportDate = "03/04/2025";
    in.preparer = {"Acoustics Ltd", "A. Author"};
    in.equipmentList = withList ? &list : nullptr;
    return mPdfReport::build(study, in);
  }
};

const cReportTable* tableAfter(const cReportDocument& doc, const std::string& text, int skip = 0) {
  bool found = false;
  for (const cReportBlock& b : doc.blocks) {
    if (!found && b.text == text) found = true;
    if (found && b.kind == cReportBlock::Kind::table && skip-- == 0) return &b.table;
  }
  return nullptr;
}

std::vector<std::string> texts(const cReportRow& row) {
  std::vector<std::string> out;
  for (const cReportCell& c : row) out.push_back(c.text);
  return out;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(PdfReport, TitleBlockNamesCaseDatePreparerAndFooterTheCase) {
  Case c;
  const cReportDocument doc = c.build();
  EXPECT_EQ(doc.title, "Construction Noise Assessment: Bridge works");
  EXPECT_EQ(doc.footer, "Bridge");
  const cReportTable* title = tableAfter(doc, "Construction Noise Assessment");
  ASSERT_NE(title, nullptr);
  std::vector<std::vector<std::string>> rows;
  for (const auto& r : title->body) rows.push_back(texts(r));
  const std::vector<std::vector<std::string>> expected{{"Case", "Bridge works"},
                                                       {"Case file", "Bridge"},
                                                       {"Report date", "03/04/2025"},
                                                       {"Prepared by", "Acoustics Ltd"},
                                                       {"Author", "A. Author"},
                                                       {"Noise metric", "Lmax and L10"},
                                                       {"Prepared with", "Vornhall (VORN), Version 1.1"}};
  EXPECT_EQ(rows, expected);
}

TEST(PdfReport, EmptyPreparerIsLeftOutAndAnUnsavedCaseSaysSo) {
  Case c;
  mPdfReport::Inputs in;
  in.reportDate = "01/02/2030";
  const cReportDocument doc = mPdfReport::build(c.study, in);
  EXPECT_EQ(doc.footer, "Unsaved case");
  const std::string text = doc.plainText();
  EXPECT_FALSE(contains(text, "Prepared by"));
  EXPECT_FALSE(contains(text, "Author |"));
  EXPECT_TRUE(contains(text, "Case file | (not saved)"));
}

TEST(PdfReport, SummaryCountsReceptorsOverALimitAndTheWorstPerPeriod) {
  Case c;
  const cReportDocument doc = c.build();
  const std::string text = doc.plainText();
  EXPECT_TRUE(contains(text, "Receptors assessed: 2. Receptors over a limit: 1:")) << text;
  EXPECT_TRUE(contains(text, "Receptor #1: School\n"));
  const cReportTable* worst = tableAfter(doc, "Summary", 1);
  ASSERT_NE(worst, nullptr);
  ASSERT_EQ(worst->body.size(), 3u);
  // Lmax: the Dozer and the Total are both over by 3.0; the Total is kept
  // unless a piece is over by more. L10: the Total's 12.0 by day, 4.5 in the evening.
  EXPECT_EQ(texts(worst->body[0]), (std::vector<std::string>{"Day", "3.0", "Receptor #1 (School), Total", "12.0",
                                                             "Receptor #1 (School), Total"}));
  EXPECT_EQ(texts(worst->body[1]), (std::vector<std::string>{"Evening", "3.0", "Receptor #1 (School), Total", "4.5",
                                                             "Receptor #1 (School), Total"}));
  EXPECT_EQ(texts(worst->body[2]), (std::vector<std::string>{"Night", "None", "None", "None", "None"}));
  EXPECT_TRUE(worst->body[0][3].bold);
  EXPECT_EQ(worst->body[0][3].shade, 0xF0695Fu);
  EXPECT_FALSE(worst->body[2][1].bold);
}

TEST(PdfReport, MethodGivesTheFormulasAndTheL10AdjustmentOnlyForL10) {
  Case c;
  std::string text = c.build().plainText();
  EXPECT_TRUE(contains(text, "Lmax = Lref - 20\xB7log10(D / 50) - S"));
  EXPECT_TRUE(contains(text, "Leq = Lmax + 10\xB7log10(U / 100)"));
  EXPECT_TRUE(contains(text, "reference distance of 50 feet"));
  EXPECT_TRUE(contains(text, "A = 3.0 dB"));
  EXPECT_TRUE(contains(text, "L10 = Leq + A"));
  EXPECT_TRUE(contains(text, "estimated shielding"));
  EXPECT_TRUE(contains(text, "Distances are entered in feet."));

  c.study.NoiseMetric = 1;
  c.study.units = 1;
  text = c.build().plainText();
  EXPECT_FALSE(contains(text, "L10 = Leq + A"));
  EXPECT_TRUE(contains(text, "Leq total = 10\xB7log10(sum of 10^(Leq / 10))"));
  EXPECT_TRUE(contains(text, "entered in meters and converted to feet"));
}

TEST(PdfReport, CriteriaTableWritesOutEachEquationForLmaxAndTheCaseMetric) {
  Case c;
  const cReportDocument doc = c.build();
  const cReportTable* t = tableAfter(doc, "Noise Limit Criteria");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(texts(t->header[0]), (std::vector<std::string>{"Land Use", "Period", "Equipment", "Lmax", "L10"}));
  ASSERT_EQ(t->body.size(), 18u);
  EXPECT_EQ(texts(t->body[0]),
            (std::vector<std::string>{"Residential", "Day", "Impact", "Value = 80 dBA", "Value = N/A"}));
  // Commercial (row 2), day non-impact (column 2) and evening non-impact (column 4).
  EXPECT_EQ(texts(t->body[7]), (std::vector<std::string>{"Commercial", "Day", "Non-Impact", "Value = 80 dBA",
                                                         "Maximum of 55 dBA or (Baseline + 5 dBA)"}));
  EXPECT_EQ(t->body[9][4].text,
            "If Baseline < 60 dBA Then\n   Value = Baseline + 10 dBA\nElse\n   Value = Baseline + 5 dBA");
  EXPECT_EQ(texts(t->body[17]), (std::vector<std::string>{"Industrial", "Night", "Non-Impact", "Value = 80 dBA",
                                                          "Value = N/A"}));
}

TEST(PdfReport, ReceptorTablesListActiveEquipmentAndPrintResultsAsTheTextReport) {
  Case c;
  const cReportDocument doc = c.build();
  const cReportTable* base = tableAfter(doc, "Receptor #1: School");
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(texts(base->body[0]), (std::vector<std::string>{"Commercial", "60.0", "55.0", "50.0"}));

  const cReportTable* equipment = tableAfter(doc, "Receptor #1: School", 1);
  ASSERT_NE(equipment, nullptr);
  EXPECT_EQ(equipment->header[0][5].text, "Distance (feet)");
  ASSERT_EQ(equipment->body.size(), 2u);  // the idle crane is inactive
  EXPECT_EQ(texts(equipment->body[0]), (std::vector<std::string>{"Dozer", "No", "40", "85.0", "", "100.0", "5.0"}));
  EXPECT_EQ(texts(equipment->body[1]),
            (std::vector<std::string>{"Jackhammer", "Yes", "40", "85.0", "", "50.0", "0.0"}));

  const cReportTable* results = tableAfter(doc, "Receptor #1: School", 2);
  ASSERT_NE(results, nullptr);
  ASSERT_EQ(results->header.size(), 2u);
  EXPECT_EQ(results->header[1][2].text, "L10");
  ASSERT_EQ(results->body.size(), 3u);
  EXPECT_EQ(texts(results->body[0]),
            (std::vector<std::string>{"Dozer", "83.0", "78.0", "80.0", "75.0", "80.0", "75.0", "N/A", "Exempt", "3.0",
                                      "3.0", "3.0", "3.0", "N/A", "Exempt"}));
  EXPECT_EQ(texts(results->body[1]),
            (std::vector<std::string>{"Jackhammer", "79.0", "71.0", "85.0", "75.0", "85.0", "75.0", "N/A", "Exempt",
                                      "None", "None", "None", "None", "N/A", "Exempt"}));
  EXPECT_EQ(texts(results->body[2]),
            (std::vector<std::string>{"Total", "83.0", "87.0", "80.0", "75.0", "80.0", "75.0", "N/A", "Exempt", "3.0",
                                      "12.0", "3.0", "4.5", "N/A", "Exempt"}));
}

TEST(PdfReport, ExceedancesAreBoldAndShadedByTheOverviewBands) {
  Case c;
  const cReportDocument doc = c.build();
  const cReportTable* results = tableAfter(doc, "Receptor #1: School", 2);
  ASSERT_NE(results, nullptr);
  const cReportRow& total = results->body[2];
  struct Expect {
    std::size_t col;
    bool bold;
    std::uint32_t shade;
  };
  for (const Expect& e : {Expect{9, true, 0xFFF096u}, Expect{10, true, 0xF0695Fu}, Expect{12, true, 0xFFF096u},
                          Expect{13, false, cReportCell::noShade}, Expect{7, false, cReportCell::noShade},
                          Expect{3, false, cReportCell::noShade}}) {
    EXPECT_EQ(total[e.col].bold, e.bold) << e.col;
    EXPECT_EQ(total[e.col].shade, e.shade) << e.col;
  }
  EXPECT_FALSE(results->body[1][9].bold);  // "None"
}

TEST(PdfReport, ShadeBandsFollowTheOverview) {
  struct Band {
    float exceedance;
    std::uint32_t shade;
  };
  for (const Band& b : {Band{0.0f, cReportCell::noShade}, Band{-1.0f, cReportCell::noShade},
                        Band{valueNone, cReportCell::noShade}, Band{valueNA, cReportCell::noShade},
                        Band{valueExempt, cReportCell::noShade}, Band{0.1f, 0xFFF096u}, Band{4.99f, 0xFFF096u},
                        Band{5.0f, 0xFFB95Fu}, Band{9.99f, 0xFFB95Fu}, Band{10.0f, 0xF0695Fu}, Band{40.0f, 0xF0695Fu}})
    EXPECT_EQ(mPdfReport::exceedanceShade(b.exceedance), b.shade) << b.exceedance;
}

TEST(PdfReport, ChartHasTheTotalThenEachActivePieceWithLimitsAndOverFlags) {
  Case c;
  const cReportDocument doc = c.build();
  std::vector<const cReportChart*> charts;
  for (const cReportBlock& b : doc.blocks)
    if (b.kind == cReportBlock::Kind::chart) charts.push_back(&b.chart);
  ASSERT_EQ(charts.size(), 2u);
  const cReportChart& first = *charts[0];
  EXPECT_EQ(first.metricName, "L10");
  ASSERT_EQ(first.bars.size(), 3u);
  EXPECT_EQ(first.bars[0].label, "Total");
  EXPECT_EQ(first.bars[1].label, "Dozer");
  EXPECT_EQ(first.bars[2].label, "Jackhammer");
  EXPECT_TRUE(first.bars[0].lmaxOver);
  EXPECT_TRUE(first.bars[0].metricOver);
  EXPECT_FALSE(first.bars[2].lmaxOver);
  EXPECT_EQ(first.bars[0].metric, 87.0f);
  EXPECT_TRUE(first.bars[0].hasLmaxLimit[0]);
  EXPECT_EQ(first.bars[0].lmaxLimit[0], 80.0f);
  EXPECT_FALSE(first.bars[0].hasLmaxLimit[2]);    // N/A
  EXPECT_FALSE(first.bars[0].hasMetricLimit[2]);  // Exempt
  EXPECT_FALSE(charts[1]->bars[1].metricOver);
}

TEST(PdfReport, EachReceptorStartsOnANewPage) {
  Case c;
  const cReportDocument doc = c.build();
  for (const char* title : {"Receptor #1: School", "Receptor #2: Farm", "Appendix: Equipment List Entries Used"}) {
    const auto at = std::find_if(doc.blocks.begin(), doc.blocks.end(), [&](const cReportBlock& b) { return b.text == title; });
    ASSERT_NE(at, doc.blocks.end()) << title;
    ASSERT_NE(at, doc.blocks.begin());
    EXPECT_EQ(std::prev(at)->kind, cReportBlock::Kind::pageBreak) << title;
  }
}

TEST(PdfReport, AppendixListsEachEntryUsedOnceAndNamesEquipmentNotInTheList) {
  Case c;
  const cReportDocument doc = c.build();
  const cReportTable* t = tableAfter(doc, "Appendix: Equipment List Entries Used");
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->body.size(), 1u);
  EXPECT_EQ(texts(t->body[0]), (std::vector<std::string>{"Dozer", "No", "40", "85.0", "81.7"}));
  EXPECT_TRUE(contains(doc.plainText(), "not in the equipment list: Jackhammer, Idle crane."));

  const cReportDocument without = c.build(false);
  const cReportTable* none = tableAfter(without, "Appendix: Equipment List Entries Used");
  ASSERT_NE(none, nullptr);
  ASSERT_EQ(none->body.size(), 1u);
  EXPECT_EQ(none->body[0][0].span, 5);
}

TEST(PdfReport, PlaceSectionsStandBeforeTheAppendix) {
  Case c;
  mPdfReport::Inputs in;
  cReportBlock plan;
  plan.kind = cReportBlock::Kind::subheading;
  plan.text = "Site Plan";
  in.placeSections.push_back(plan);
  const cReportDocument doc = mPdfReport::build(c.study, in);
  const std::string text = doc.plainText();
  EXPECT_LT(text.find("Receptor #2: Farm"), text.find("Site Plan"));
  EXPECT_LT(text.find("Site Plan"), text.find("Appendix"));
}

TEST(PdfReport, ReceptorWithoutLinksSaysSoAndStillHasItsTotal) {
  Case c;
  c.study.colReceptors[1]->colLinks.clear();
  const cReportDocument doc = c.build();
  const cReportTable* equipment = tableAfter(doc, "Receptor #2: Farm", 1);
  ASSERT_NE(equipment, nullptr);
  ASSERT_EQ(equipment->body.size(), 1u);
  EXPECT_EQ(equipment->body[0][0].text, "No active equipment is linked to this receptor.");
  EXPECT_EQ(equipment->body[0][0].span, 7);
  const cReportTable* results = tableAfter(doc, "Receptor #2: Farm", 2);
  ASSERT_NE(results, nullptr);
  ASSERT_EQ(results->body.size(), 1u);
  EXPECT_EQ(results->body[0][0].text, "Total");
}

TEST(PdfReport, CaseNameDropsTheFolderAndTheCaseSuffix) {
  EXPECT_EQ(mPdfReport::caseNameOf("Bridge Demolition.cas"), "Bridge Demolition");
  EXPECT_EQ(mPdfReport::caseNameOf("/home/u/Night.CAS"), "Night");
  EXPECT_EQ(mPdfReport::caseNameOf("C:\\jobs\\site.cas.bak"), "site.cas.bak");
  EXPECT_EQ(mPdfReport::caseNameOf(".cas"), ".cas");
  EXPECT_EQ(mPdfReport::caseNameOf(""), "");
}

}  // namespace
