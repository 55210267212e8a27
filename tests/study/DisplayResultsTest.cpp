#include <gtest/gtest.h>

#include "compute/mCompute.h"
#include "study/mMarkers.h"
#include "tests/study/RecordingViews.h"
#include "tests/study/StudyFixtures.h"

namespace {

struct Shown : RecordedStudy {
  Shown() {
    study.NoiseMetric = 2;
    addValidReceptor(study, "Home");
    addValidEquipment(study, "Dozer");
    addValidEquipment(study, "Idle saw");
    addValidEquipment(study, "Pump");
    study.colEquipment[1]->active = false;
    linkAll(study, 50);
    recep.texts[{1, 1}] = "Home";
    study.setReceptorID(1);
    auto r = study.colReceptors[0];
    r->calculated_totals.setLmax(88.04f);
    r->calculated_totals.setLeq(valueNone);  // totals always show numbers
    r->calculated_totals.setL10(valueNA);
    r->day_lotLine_totals.setLmax(70);
    r->day_lotLine_totals.setL10(valueExempt);
    r->nite_exceed_totals.setLmax(valueNone);
    r->nite_exceed_totals.setL10(12.25f);
    for (auto& l : r->colLinks) {
      l->results.computed = true;
      l->results.calculated.setLmax(static_cast<float>(80 + l->equipID));
      l->results.calculated.setL10(valueNA);
      l->results.calculated.setLeq(61.06f);
      l->results.eve_exceed.setL10(valueNone);
    }
    log.calls.clear();
  }
};

}  // namespace

TEST(DisplayResults, TotalsRowShowsNumbersThenWordsOrNumbers) {
  Shown t;
  t.study.displayResults();
  EXPECT_EQ(t.log.calls.front(), "results.clear()");
  EXPECT_EQ(t.results.cell(2, 1), "88.0");
  EXPECT_EQ(t.results.cell(3, 1), "-1000.0");  // the N/A marker as a number
  EXPECT_EQ(t.results.cell(4, 1), "70.0");
  EXPECT_EQ(t.results.cell(5, 1), "Exempt");
  EXPECT_EQ(t.results.cell(6, 1), "");  // never computed: an empty word
  EXPECT_EQ(t.results.cell(7, 1), "0.0");
  EXPECT_EQ(t.results.cell(14, 1), "None");
  EXPECT_EQ(t.results.cell(15, 1), "12.3");
  EXPECT_EQ(t.results.cell(1, 1), "<unset>");
}

TEST(DisplayResults, ActiveLinkedEquipmentFillsConsecutiveRows) {
  Shown t;
  t.main.labels[0] = "Receptor #1: Home";
  t.study.displayResults();
  EXPECT_EQ(t.results.cell(1, 2), "Dozer");
  EXPECT_EQ(t.results.cell(2, 2), "81.0");
  EXPECT_EQ(t.results.cell(3, 2), "N/A");  // markers show in the calculated pair
  EXPECT_EQ(t.results.cell(1, 3), "Pump");
  EXPECT_EQ(t.results.cell(2, 3), "83.0");
  EXPECT_EQ(t.results.cell(13, 3), "None");
  EXPECT_EQ(t.results.cell(1, 4), "<unset>");
  EXPECT_EQ(t.log.calls, (std::vector<std::string>{"results.clear()", "main.label(1,Receptor #1: Home,FF0000)",
                                                   "main.label(1,Receptor #1: Home,FF0000)"}));
}

TEST(DisplayResults, LeqMetricShowsLeq) {
  Shown t;
  t.study.NoiseMetric = 1;
  t.study.displayResults();
  EXPECT_EQ(t.results.cell(3, 1), "-8888.9");
  EXPECT_EQ(t.results.cell(3, 2), "61.1");
}

TEST(DisplayResults, NotComputedLinkTurnsTheLabelRed) {
  Shown t;
  t.study.colReceptors[0]->colLinks[2]->results.computed = false;
  t.study.displayResults();
  EXPECT_EQ(t.results.cell(1, 3), "<unset>");
  EXPECT_EQ(t.log.calls.back(), "main.label(1,Home not computed.,0000FF)");
}

TEST(DisplayResults, NoReceptorLeavesTheSheetEmpty) {
  Shown t;
  t.study.setReceptorID(0);
  t.log.calls.clear();
  t.study.displayResults();
  EXPECT_EQ(t.log.calls, (std::vector<std::string>{"results.clear()"}));
  EXPECT_TRUE(t.results.cells.empty());
}

TEST(DisplayLinks, WritesDistanceAndShieldingOfLinkedEquipment) {
  Shown t;
  t.study.colReceptors[0]->colLinks.pop_back();  // Pump has no link
  t.study.colReceptors[0]->colLinks[0]->sheilding = 3;
  t.study.displayLinks();
  EXPECT_EQ(t.log.calls, (std::vector<std::string>{"equip.number(9,1,50)", "equip.number(10,1,3)",
                                                   "equip.number(9,2,50)", "equip.number(10,2,0)"}));
}
