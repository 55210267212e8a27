#include <gtest/gtest.h>

#include "study/INewEquipmentEntry.h"
#include "study/cError.h"
#include "tests/study/RecordingViews.h"
#include "tests/study/StudyFixtures.h"

using Calls = std::vector<std::string>;

namespace {

// Receptor 1 selected, three valid active pieces of equipment, all at 50 feet.
struct ValidCase : RecordedStudy {
  ValidCase() {
    setAllCriteriaValue(study, 70);
    study.NoiseMetric = 2;
    addValidReceptor(study, "Home");
    for (const char* d : {"Dozer", "Saw", "Pump"}) addValidEquipment(study, d);
    linkAll(study, 50);
    study.setReceptorID(1);
    log.calls.clear();
  }
  bool check(bool show = true) {
    cError error(study);
    return error.checkInput(show);
  }
};

class RecordingEntry : public INewEquipmentEntry {
public:
  explicit RecordingEntry(CallLog& log) : log_(log) {}
  void setAddButtonOn(int state) override { log_.add("entry.addButton(" + std::to_string(state) + ")"); }
  void setActiveCell(std::int32_t col, std::int32_t row) override {
    log_.add("entry.activeCell(" + std::to_string(col) + "," + std::to_string(row) + ")");
  }

private:
  CallLog& log_;
};

}  // namespace

TEST(Validation, ValidCasePassesAndHidesTheButton) {
  ValidCase c;
  c.study.caseProcessed = true;
  EXPECT_TRUE(c.check());
  EXPECT_FALSE(c.study.caseProcessed);
  EXPECT_EQ(c.study.processButtonOn(), 1);
  EXPECT_EQ(c.log.calls, (Calls{"main.processButton(hidden)"}));
}

TEST(Validation, NoReceptorSelectedIsReportedBeforeTheEquipment) {
  ValidCase c;
  c.study.colEquipment.clear();
  c.study.setReceptorID(0);
  c.log.calls.clear();
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.study.processButtonOn(), 2);
  EXPECT_EQ(c.log.calls, (Calls{"recep.focus()", "recep.activeCell(0,0)", "msg(No Receptor selected|VORN|critical)",
                                "main.processButton(visible)"}));
}

TEST(Validation, ReceptorFieldsAreCheckedInOrder) {
  ValidCase c;
  auto r = c.study.colReceptors[0];
  r->niteBase = 0;
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls, (Calls{"recep.focus()", "recep.activeCell(5,1)",
                                "msg(Please input a Nighttime Baseline for Receptor #1.|VORN|critical)",
                                "main.processButton(visible)"}));
  r->eveBase = 0;
  c.log.calls.clear();
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls[2], "msg(Please input an Evening Baseline for Receptor #1.|VORN|critical)");
  r->dayBase = 0;
  c.log.calls.clear();
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls[1], "recep.activeCell(3,1)");
  EXPECT_EQ(c.log.calls[2], "msg(Please input a Daytime Baseline for Receptor #1.|VORN|critical)");
  r->setLandUseTxt("");
  c.log.calls.clear();
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls[2], "msg(Please select a Land Use for Receptor #1.|VORN|critical)");
  r->description = "";
  c.log.calls.clear();
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls[1], "recep.activeCell(1,1)");
  EXPECT_EQ(c.log.calls[2], "msg(Please input a Description for Receptor #1.|VORN|critical)");
}

TEST(Validation, NegativeBaselinePasses) {
  ValidCase c;
  c.study.colReceptors[0]->dayBase = -3;
  EXPECT_TRUE(c.check());
}

TEST(Validation, ReceptorNumberIsThePlainRowID) {
  ValidCase c;
  for (int i = 0; i < 11; ++i) addValidReceptor(c.study, "R");
  c.study.colReceptors[11]->description = "";
  c.study.setReceptorID(12);
  c.log.calls.clear();
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls[2], "msg(Please input a Description for Receptor #12.|VORN|critical)");
}

TEST(Validation, FirstEquipmentProblemInOrderIsReported) {
  ValidCase c;
  c.study.colEquipment[1]->usage = 0;
  c.study.colEquipment[2]->description = "";
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls, (Calls{"equip.focus()",
                                "msg(Please enter a Usage greater than zero for Equipment #2.|VORN|critical)",
                                "equip.activeCell(4,2)", "main.processButton(visible)"}));
}

TEST(Validation, DescriptionOfOneSpacePassesButEmptyFails) {
  ValidCase c;
  c.study.colEquipment[0]->description = " ";
  EXPECT_TRUE(c.check());
  c.study.colEquipment[0]->description = "";
  c.log.calls.clear();
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls[1], "msg(Please select a Description for Equipment #1.|VORN|critical)");
  EXPECT_EQ(c.log.calls[2], "equip.activeCell(2,1)");
}

TEST(Validation, NegativeUsageIsReportedLikeZero) {
  ValidCase c;
  c.study.colEquipment[0]->usage = -5;
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls[1], "msg(Please enter a Usage greater than zero for Equipment #1.|VORN|critical)");
}

TEST(Validation, NoEquipment) {
  ValidCase c;
  c.study.colEquipment.clear();
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls, (Calls{"equip.focus()", "msg(Please enter at least one piece of equipment.|VORN|critical)",
                                "equip.activeCell(2,1)", "main.processButton(visible)"}));
}

TEST(Validation, NoActiveEquipmentPointsAtTheLastRowHeading) {
  ValidCase c;
  for (auto& e : c.study.colEquipment) e->active = false;
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls, (Calls{"equip.focus()",
                                "msg(There must be at least one active piece of equipment.|VORN|critical)",
                                "equip.activeCell(0,3)", "main.processButton(visible)"}));
}

TEST(Validation, ZeroDistanceNamesTheEquipmentAndItsDistanceCell) {
  ValidCase c;
  addValidEquipment(c.study, "Crane");
  c.study.updateLinks();  // equipment 4 at distance 0
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls, (Calls{"equip.focus()",
                                "msg(Please set the distance greater than zero for Equipment #4.|VORN|critical)",
                                "equip.activeCell(9,4)", "main.processButton(visible)"}));
}

TEST(Validation, OnlyTheCurrentReceptorsDistancesAreChecked) {
  ValidCase c;
  addValidReceptor(c.study, "Other");
  c.study.updateLinks();  // receptor 2's links at distance 0
  EXPECT_TRUE(c.check());
  c.study.colReceptors[0]->colLinks[1]->distance = -1;
  c.log.calls.clear();
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls[1], "msg(Please set the distance greater than zero for Equipment #2.|VORN|critical)");
}

TEST(Validation, SilentCheckShowsNothing) {
  ValidCase c;
  c.study.colEquipment[0]->usage = 0;
  EXPECT_FALSE(c.check(false));
  EXPECT_EQ(c.log.calls, (Calls{"main.processButton(visible)"}));
}

TEST(Validation, IncompleteCriteriaComplainButDoNotBlock) {
  ValidCase c;
  c.study.NoiseLimits.getCriteria(2, 3, 6)->equationType = -1;
  EXPECT_TRUE(c.check());
  EXPECT_EQ(c.log.calls, (Calls{"msg(Please complete the Noise Limit Criteria form.|VORN|critical)",
                                "main.processButton(hidden)"}));
  c.log.calls.clear();
  EXPECT_TRUE(c.check(false));
  EXPECT_EQ(c.log.calls, (Calls{"main.processButton(hidden)"}));
}

TEST(Validation, NewEquipmentEntry) {
  CallLog log;
  RecordingMessages messages(log);
  RecordingEntry entry(log);
  cStudy study;
  study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
  cError error(study);
  bool show = true;

  auto e = cEquipmentRecord::newRecord();  // description " ", levels N/A
  EXPECT_FALSE(error.checkNewEquipment(*e, show, entry));
  EXPECT_EQ(log.calls, (Calls{"entry.addButton(2)", "entry.activeCell(1,1)",
                              "msg(Please enter a Description.|VORN|critical)"}));
  e->description = "  Jackhammer ";
  log.calls.clear();
  EXPECT_FALSE(error.checkNewEquipment(*e, show, entry));
  EXPECT_EQ(log.calls[1], "entry.activeCell(3,1)");
  EXPECT_EQ(log.calls[2], "msg(Please enter a Usage greater than zero.|VORN|critical)");
  e->usage = 20;
  e->spec_lmax = 0;
  log.calls.clear();
  EXPECT_FALSE(error.checkNewEquipment(*e, show, entry));
  EXPECT_EQ(log.calls[1], "entry.activeCell(4,1)");
  EXPECT_EQ(log.calls[2], "msg(One of the Lmax values must be greater than zero.|VORN|critical)");
  e->actual_lmax = 0.5f;
  log.calls.clear();
  EXPECT_TRUE(error.checkNewEquipment(*e, show, entry));
  EXPECT_EQ(log.calls, (Calls{"entry.addButton(1)"}));

  bool silent = false;
  e->usage = 0;
  log.calls.clear();
  EXPECT_FALSE(error.checkNewEquipment(*e, silent, entry));
  EXPECT_EQ(log.calls, (Calls{"entry.addButton(2)"}));
}

TEST(Validation, LinkToMissingEquipmentDoesNotBlock) {
  ValidCase c;
  c.study.colReceptors[0]->addLink(8);  // read from a file: distance 0, no equipment 8
  EXPECT_TRUE(c.check());
}

TEST(Validation, NoActiveEquipmentNumberedZeroPointsAtRowOne) {
  ValidCase c;
  c.study.colEquipment.clear();
  auto e = addValidEquipment(c.study, "Dozer");
  e->rowID = 0;
  e->active = false;
  EXPECT_FALSE(c.check());
  EXPECT_EQ(c.log.calls, (Calls{"equip.focus()",
                                "msg(There must be at least one active piece of equipment.|VORN|critical)",
                                "equip.activeCell(0,1)", "main.processButton(visible)"}));
}

TEST(Validation, ReceptorCheckOfAMissingOrZeroIDReportsNoneSelected) {
  ValidCase c;
  cError error(c.study);
  bool show = true;
  EXPECT_FALSE(error.checkReceptor(0, show));
  EXPECT_FALSE(error.checkReceptor(5, show));
  const Calls once{"recep.focus()", "recep.activeCell(0,0)", "msg(No Receptor selected|VORN|critical)"};
  Calls twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(c.log.calls, twice);
}

TEST(Validation, LinkCheckExaminesTheReceptorPassedAndIsSilentOnRequest) {
  ValidCase c;
  addValidReceptor(c.study, "Other");
  c.study.updateLinks();  // receptor 2, not current, has every distance 0
  cError error(c.study);
  bool silent = false;
  EXPECT_FALSE(error.checkLinks(2, silent));
  EXPECT_TRUE(error.checkLinks(1, silent));
  EXPECT_TRUE(c.log.calls.empty());
  bool show = true;
  EXPECT_FALSE(error.checkLinks(2, show));
  EXPECT_EQ(c.log.calls, (Calls{"equip.focus()",
                                "msg(Please set the distance greater than zero for Equipment #1.|VORN|critical)",
                                "equip.activeCell(9,1)"}));
  EXPECT_EQ(c.study.colReceptors[1]->colLinks[0]->distance, 0.0f);  // never changed by the check
}
