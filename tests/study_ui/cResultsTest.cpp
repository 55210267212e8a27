#include "study/ui/cResults.h"

#include "tests/study/StudyFixtures.h"
#include "tests/study_ui/SheetsWindow.h"

namespace {

using ResultsSheet = SheetsWindow;

const QColor kYellow(255, 255, 1);

TEST_F(ResultsSheet, LayoutThreeHeadingRowsTotalsRowAndTwentyEquipmentRows) {
  cSheetGrid* g = results->grid();
  EXPECT_EQ(g->objectName(), "sheetResults");
  EXPECT_EQ(g->accessibleName(), "Results");
  EXPECT_EQ(g->maxCols(), 15);
  EXPECT_EQ(g->maxRows(), 21);
  EXPECT_EQ(g->headingRows(), 3);
  EXPECT_EQ(g->visibleRows(), 6);
  EXPECT_EQ(g->columnWidth(1), 20);
  for (int col = 2; col <= 15; ++col) EXPECT_EQ(g->columnWidth(col), 6);

  struct Heading {
    int row, col, span;
    const char* text;
  };
  const Heading headings[] = {
      {1, 2, 2, "Calculated (dBA)"}, {1, 4, 6, "Noise Limits (dBA)"}, {1, 10, 6, "Noise Limit Exceedance (dBA)"},
      {2, 4, 2, "Day"},  {2, 6, 2, "Evening"},  {2, 8, 2, "Night"},
      {2, 10, 2, "Day"}, {2, 12, 2, "Evening"}, {2, 14, 2, "Night"},
      {3, 1, 1, "Equipment"}, {3, 2, 1, "Lmax*"}, {3, 3, 1, "L10"},
  };
  for (const Heading& h : headings) {
    EXPECT_EQ(g->columnHeading(h.col, h.row), h.text);
    EXPECT_EQ(g->columnHeadingSpan(h.row, h.col), h.span) << h.text;
  }
  for (int col = 4; col <= 15; ++col) EXPECT_EQ(g->columnHeading(col, 3), col % 2 == 0 ? "Lmax" : "L10");

  EXPECT_EQ(g->rowHeading(1), " ");
  EXPECT_EQ(g->rowHeading(2), "1");
  EXPECT_EQ(g->rowHeading(21), "20");
  EXPECT_EQ(g->text(1, 1), "Total");
  for (int col = 1; col <= 15; ++col) {
    EXPECT_EQ(g->backColor(col, 1), kYellow);
    EXPECT_EQ(g->cellKind(col, 21), GridCellKind::Static);
  }
  EXPECT_FALSE(g->backColor(1, 2).isValid());
  EXPECT_EQ(g->table()->width(), g->widthForAllColumns());

  results->metricLable(1);
  EXPECT_EQ(g->columnHeading(2, 3), "Lmax*");
  EXPECT_EQ(g->columnHeading(3, 3), "Leq");
  EXPECT_EQ(g->columnHeading(14, 3), "Lmax");
  EXPECT_EQ(g->columnHeading(15, 3), "Leq");
}

// A receptor whose results were computed earlier: totals, one active piece
// with marker limits, one inactive piece.
class ResultsDisplay : public SheetsWindow {
protected:
  void SetUp() override {
    SheetsWindow::SetUp();
    auto r = addValidReceptor(study, "School");
    auto loud = addValidEquipment(study, "Hoe Ram");
    auto idle = addValidEquipment(study, "Pumps");
    idle->active = false;
    linkAll(study, 50);
    r->calculated_totals.setLmax(90.04f);
    r->calculated_totals.setLeq(86.05f);
    r->calculated_totals.setL10(valueNA);  // the totals are numbers, always
    r->day_lotLine_totals.setLmax(valueExempt);
    r->day_lotLine_totals.setLeq(80);
    r->day_exceed_totals.setLmax(valueNone);
    r->day_exceed_totals.setLeq(6.05f);
    cResultRecord& res = r->colLinks[0]->results;
    res.computed = true;
    res.calculated.setLmax(90.04f);
    res.calculated.setLeq(86.05f);
    res.day_lotLine.setLmax(valueNA);
    res.day_lotLine.setLeq(valueExempt);
    res.nite_exceed.setLmax(12.25f);
    res.nite_exceed.setLeq(valueNone);
    r->colLinks[1]->results.computed = true;
    study.setReceptorID(1);
    study.NoiseMetric = 1;
    results->display();
  }
};

TEST_F(ResultsDisplay, ShowsTotalsThenEachActivePieceWithMarkerWords) {
  cSheetGrid* g = results->grid();
  const std::vector<std::string> totals{"Total", "90.0", "86.1", "Exempt", "80.0", "", "", "", "",
                                        "None", "6.1", "", "", "", ""};
  const std::vector<std::string> hoeRam{"Hoe Ram", "90.0", "86.1", "N/A", "Exempt", "", "", "", "",
                                        "", "", "", "", "12.3", "None"};
  for (int col = 1; col <= 15; ++col) {
    const auto i = static_cast<std::size_t>(col - 1);
    // New metrics hold 0 with no word: shown as 0.0 or blank as the study writes them.
    if (!totals[i].empty()) {
      EXPECT_EQ(g->text(col, 1), totals[i]) << col;
    }
    if (!hoeRam[i].empty()) {
      EXPECT_EQ(g->text(col, 2), hoeRam[i]) << col;
    }
  }
  EXPECT_EQ(g->text(1, 3), "");  // the inactive piece has no row

  // The user cannot type into the results.
  click(g, 2, 2);
  type("1");
  EXPECT_EQ(g->text(2, 2), "90.0");

  // Clearing keeps the layout, the word "Total" and the yellow row.
  results->clear();
  EXPECT_EQ(g->text(1, 1), "Total");
  EXPECT_EQ(g->text(2, 1), "");
  EXPECT_EQ(g->text(1, 2), "");
  EXPECT_EQ(g->backColor(15, 1), kYellow);

  g->selectRows(1, 2);
  results->clearSelection();
  EXPECT_FALSE(g->hasBlockSelected());
  EXPECT_EQ(g->backColor(1, 1), kYellow);
}

TEST_F(ResultsSheet, MoreEquipmentThanRowsGrowsTheSheet) {
  addValidReceptor(study, "School");
  for (int i = 1; i <= 25; ++i) addValidEquipment(study, "Piece " + std::to_string(i));
  linkAll(study, 50);
  for (auto& l : study.colReceptors[0]->colLinks) l->results.computed = true;
  study.setReceptorID(1);
  study.displayResults();
  cSheetGrid* g = results->grid();
  ASSERT_EQ(g->maxRows(), 26);
  EXPECT_EQ(g->text(1, 26), "Piece 25");
  EXPECT_EQ(g->rowHeading(26), "25");
  EXPECT_EQ(g->cellKind(3, 26), GridCellKind::Static);
}

}  // namespace
