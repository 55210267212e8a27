#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SF_FilePrompt.h"
#include "SF_ScriptedDialog.h"
#include "casefile/ICaseFileView.h"
#include "casefile/cCaseFile.h"
#include "criteria/cEquationRecord.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"
#include "FailingWrites.h"
#include "../support/TempDir.h"
#include "../support/CrLfLines.h"

namespace {

const std::string kData = VORN_TEST_DATA;
const std::string kExamples = std::string(VORN_SOURCE_DIR) + "/examples/";

class RecordingCaseView : public ICaseFileView {
public:
  void displayCaption(const std::string& caseName) override { captions.push_back(caseName); }
  void showNoiseMetric(std::int32_t noiseMetric) override { metric = noiseMetric; }
  void showCaseDescription(const std::string& text) override { description = text; }
  void showEmptyCase() override { ++emptied; }
  std::vector<std::string> captions;
  std::int32_t metric = 0;
  std::string description = "(unset)";
  int emptied = 0;
};

void setCell(cStudy& s, std::int32_t table, std::int16_t row, std::int16_t col, const std::string& text,
             float a = 0, float b = 0, float c = 0) {
  auto eq = s.NoiseLimits.getCriteria(table, row, col);
  eq->setValueText(text);
  if (text == "Value") eq->value = a;
  if (text == "Maximum") {
    eq->maxCompare = a;
    eq->basePlus = b;
  }
  if (text == "Baseline+") eq->basePlus = a;
  if (text == "Conditional") {
    eq->condLessThan = a;
    eq->condThenPlus = b;
    eq->condElsePlus = c;
  }
}

// The study that data/studyC.cas holds, line for line.
void buildStudyC(cStudy& s) {
  s.caseDescription = "Bridge demolition, phase 2";
  s.adjustmentFactor = 3.5f;
  s.NoiseMetric = 1;
  s.units = 1;
  auto e1 = s.addEquipment(1);
  e1->active = true;
  e1->description = "Backhoe";
  e1->impactDevice = 1;
  e1->usage = 40;
  e1->spec_select = true;
  e1->spec_lmax = 80;
  e1->actual_lmax = 78;
  auto e2 = s.addEquipment(2);
  e2->description = "Hoe Ram, 2 ton";
  e2->impactDevice = 0;
  e2->usage = 12.5f;
  e2->spec_lmax = valueNA;
  e2->actual_lmax = 89.8f;
  auto r1 = s.addReceptor(1);
  r1->description = "Apartments, 14 Elm";
  r1->setLandUseTxt("Residential");
  r1->dayBase = 61.5f;
  r1->eveBase = 57;
  r1->niteBase = 51;
  auto l1 = r1->addLink(1);
  l1->distance = 30.48f;
  auto l2 = r1->addLink(2);
  l2->distance = 0.1f;
  l2->sheilding = 2.5f;
  auto r2 = s.addReceptor(2);
  r2->description = "Shop";
  r2->setLandUseTxt("Commercial");
  r2->dayBase = 66;
  r2->eveBase = 62.5f;
  r2->niteBase = 55.25f;
  s.NoiseLimits.Criteria.clearCriteria();
  setCell(s, 0, 1, 1, "Value", 90);
  setCell(s, 0, 1, 2, "Maximum", 80, 10);
  s.NoiseLimits.getCriteria(0, 3, 6)->equationType = -1;
  setCell(s, 2, 2, 3, "Conditional", 55, 5, 3);
  setCell(s, 1, 3, 5, "Exempt");
  setCell(s, 1, 3, 6, "Baseline+", 5);
}

std::string caseText(cStudy& s) { return joinLines(cCaseFile(s).buildCaseLines()); }

class CaseFileTest : public ::testing::Test {
protected:
  CaseFileTest() : prompt(dialog) {
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    study.caseFileOpen = [this] { return caseFile.bCaseOpen; };
    caseFile.attachView(&view);
  }
  // A file like studyC.cas with some lines changed.
  std::string variant(const std::function<void(std::vector<std::string>&)>& change) {
    auto lines = splitLines(TempDir::read(kData + "/studyC.cas"));
    change(lines);
    const std::string path = dir.file("variant" + std::to_string(++variants) + ".cas");
    TempDir::write(path, joinLines(lines));
    return path;
  }
  cStudy study;
  cScriptedMessageService messages;
  RecordingCaseView view;
  SF_ScriptedDialog dialog;
  SF_FilePrompt prompt;
  cCaseFile caseFile{study};
  TempDir dir;
  int variants = 0;
};

}  // namespace

TEST_F(CaseFileTest, WritesEveryLineAsTheFormatSays) {
  buildStudyC(study);
  ASSERT_EQ(caseFile.writeCaseFile(dir.file("c.cas")), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("c.cas")), TempDir::read(kData + "/studyC.cas"));
}

TEST_F(CaseFileTest, ReadsBackEveryValue) {
  ASSERT_TRUE(caseFile.readCaseFile(kData + "/studyC.cas"));
  EXPECT_EQ(study.caseDescription, "Bridge demolition, phase 2");
  EXPECT_EQ(study.adjustmentFactor, 3.5f);
  EXPECT_EQ(study.NoiseMetric, 1);
  EXPECT_EQ(study.units, 1);
  ASSERT_EQ(study.colEquipment.size(), 2u);
  const auto& e2 = *study.colEquipment[1];
  EXPECT_FALSE(e2.active);
  EXPECT_EQ(e2.rowID, 2);
  EXPECT_EQ(e2.description, "Hoe Ram, 2 ton");
  EXPECT_EQ(e2.impactDevice, 0);  // "1" in the file means an impact device
  EXPECT_EQ(e2.usage, 12.5f);
  EXPECT_FALSE(e2.spec_select);
  EXPECT_TRUE(isValueNA(e2.spec_lmax));
  EXPECT_EQ(e2.actual_lmax, 89.8f);
  EXPECT_EQ(study.colEquipment[0]->impactDevice, 1);
  ASSERT_EQ(study.colReceptors.size(), 2u);
  const auto& r1 = *study.colReceptors[0];
  EXPECT_EQ(r1.description, "Apartments, 14 Elm");
  EXPECT_EQ(r1.landUse, 0);
  EXPECT_EQ(r1.landUseTxt(), "Residential");
  ASSERT_EQ(r1.colLinks.size(), 2u);
  EXPECT_EQ(r1.colLinks[1]->equipID, 2);
  EXPECT_EQ(r1.colLinks[1]->distance, 0.1f);
  EXPECT_EQ(r1.colLinks[1]->sheilding, 2.5f);
  EXPECT_TRUE(study.colReceptors[1]->colLinks.empty());
  EXPECT_EQ(study.colReceptors[1]->landUse, 1);
  EXPECT_EQ(study.colReceptors[1]->niteBase, 55.25f);
  const auto max = study.NoiseLimits.getCriteria(0, 1, 2);
  EXPECT_EQ(max->equationType, 3);
  EXPECT_EQ(max->maxCompare, 80.0f);
  EXPECT_EQ(max->basePlus, 10.0f);
  EXPECT_EQ(study.NoiseLimits.getCriteria(0, 3, 6)->equationType, -1);
  EXPECT_EQ(study.NoiseLimits.getCriteria(2, 2, 3)->condElsePlus, 3.0f);
  EXPECT_EQ(study.NoiseLimits.getCriteria(1, 3, 5)->equationType, 0);
  EXPECT_EQ(caseText(study), TempDir::read(kData + "/studyC.cas"));
}

TEST_F(CaseFileTest, ExamplesOpenComputeAndSaveBackByteForByte) {
  for (const char* name : {"Bridge Demolition.cas", "Night Paving.cas", "Building Foundation.cas"}) {
    caseFile.closeCase();
    ASSERT_TRUE(caseFile.openCaseAt(kExamples, name)) << name;
    EXPECT_TRUE(caseFile.bCaseOpen);
    EXPECT_TRUE(study.caseProcessed) << name;
    EXPECT_EQ(study.receptorID(), 1);
    EXPECT_FALSE(study.caseChanged());
    EXPECT_GE(study.colReceptors.size(), 3u);
    for (const auto& r : study.colReceptors) {
      EXPECT_FALSE(r->colLinks.empty());
      for (const auto& l : r->colLinks) EXPECT_TRUE(l->results.computed) << name;
    }
    EXPECT_EQ(view.captions.back(), name);
    EXPECT_EQ(view.description, study.caseDescription);
    const std::string copy = dir.file("copy.cas");
    ASSERT_EQ(caseFile.writeCaseFile(copy), SF_DATA_OK);
    EXPECT_EQ(TempDir::read(copy), TempDir::read(kExamples + name)) << name;
  }
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(CaseFileTest, FieldsReadAsTheFormatSays) {
  const std::string path = variant([](auto& lines) {
    lines[1] = "   padded description  ";
    lines[2] = "3,L10,Feet";
    lines[4] = "Equipment:,1,1,Backhoe,1,40,1,80,78";
    lines[7] = "Receptor:,1,Apartments,residential,61.5,57,51";
  });
  ASSERT_TRUE(caseFile.readCaseFile(path));
  EXPECT_EQ(study.caseDescription, "padded description");
  EXPECT_EQ(study.NoiseMetric, 2);
  EXPECT_EQ(study.units, 1);  // only exactly "feet" is feet
  EXPECT_EQ(study.colEquipment[0]->impactDevice, 0);
  EXPECT_EQ(study.colReceptors[0]->landUseTxt(), "residential");
}

TEST_F(CaseFileTest, CaseWithoutReceptorsReadsBackEmpty) {
  const std::string path = variant([](auto& lines) { lines.erase(lines.begin() + 7, lines.begin() + 11); });
  ASSERT_TRUE(caseFile.readCaseFile(path));
  EXPECT_TRUE(study.colReceptors.empty());
  EXPECT_EQ(study.colEquipment.size(), 2u);
  EXPECT_EQ(splitLines(caseText(study))[7], "Criteria...");
}

TEST_F(CaseFileTest, StudyWithoutAMetricIsWrittenButCannotBeRead) {
  buildStudyC(study);
  study.NoiseMetric = 0;
  ASSERT_EQ(caseFile.writeCaseFile(dir.file("m.cas")), SF_DATA_OK);
  EXPECT_EQ(splitLines(TempDir::read(dir.file("m.cas")))[2], "3.5,,meters");
  cStudy other;
  EXPECT_FALSE(cCaseFile(other).readCaseFile(dir.file("m.cas")));
}

TEST_F(CaseFileTest, MalformedBodiesAreRejectedWithoutTouchingTheStudy) {
  using Lines = std::vector<std::string>;
  const std::vector<std::pair<const char*, std::function<void(Lines&)>>> faults = {
      {"usage not a number", [](Lines& l) { l[4] = "Equipment:,1,1,Backhoe,0,forty,1,80,78"; }},
      {"empty distance", [](Lines& l) { l[8] = "Link:,1,,0"; }},
      {"fractional receptor number", [](Lines& l) { l[7] = "Receptor:,1.5,Apartments,Residential,61.5,57,51"; }},
      {"equipment number too large", [](Lines& l) { l[4] = "Equipment:,1,40000,Backhoe,0,40,1,80,78"; }},
      {"link before any receptor", [](Lines& l) { l.insert(l.begin() + 7, "Link:,1,50,0"); }},
      {"ends before Criteria...", [](Lines& l) { l.resize(11); }},
      {"ends inside the criteria block", [](Lines& l) { l.resize(l.size() - 10); }},
      {"Maximum with one number", [](Lines& l) { l[13] = "Maximum,80"; }},
      {"Value that is not a number", [](Lines& l) { l.back() = "Baseline+,loud"; }},
      {"receptor short of a baseline", [](Lines& l) { l[10] = "Receptor:,2,Shop,Commercial,66,62.5"; }},
      {"metric neither L10 nor Leq", [](Lines& l) { l[2] = "3,Lmax,feet"; }},
      {"settings line short of a field", [](Lines& l) { l[2] = "3,Leq"; }},
      {"adjustment not a number", [](Lines& l) { l[2] = "three,Leq,feet"; }},
      {"wrong title", [](Lines& l) { l[0] = "Vornhall - Version 2.0"; }},
      {"line 4 not Equipment...", [](Lines& l) { l[3] = "Equipment"; }},
      {"equipment not followed by Receptors...", [](Lines& l) { l[6] = "Receptor:,1,x,Residential,1,1,1"; }},
      {"empty file", [](Lines& l) { l.clear(); }},
      {"title only", [](Lines& l) { l.resize(1); }},
  };
  buildStudyC(study);
  study.caseDescription = "before";
  const std::string before = caseText(study);
  for (const auto& [what, change] : faults) {
    EXPECT_FALSE(caseFile.readCaseFile(variant(change))) << what;
    EXPECT_EQ(caseText(study), before) << what;
  }
  EXPECT_FALSE(caseFile.readCaseFile(dir.file("missing.cas")));
  EXPECT_EQ(caseText(study), before);
}

TEST_F(CaseFileTest, FieldsAfterThoseARecordNeedsAreIgnored) {
  const std::string path = variant([](auto& lines) {
    lines[4] = "Equipment:,1,1,Backhoe,0,40,1,80,78,";
    lines[8] = "Link:,1,30.48,0,extra";
    lines[10] = "Receptor:,2,Shop,Commercial,66,62.5,55.25,,";
  });
  ASSERT_TRUE(caseFile.readCaseFile(path));
  EXPECT_EQ(caseText(study), TempDir::read(kData + "/studyC.cas"));
}

// Quotes inside a description are written as they are, so a quote that
// meets a comma ends the quoted field early and the fields after it move
// along by one: they are read by position, as the line now stands.
TEST_F(CaseFileTest, AQuoteBeforeACommaInADescriptionShiftsTheFields) {
  const std::string path = variant([](auto& lines) {
    lines[5] = "Equipment:,0,2,\"Hoe \"Ram\", big\",1,12.5,0,-999.999,89.8";
  });
  ASSERT_TRUE(caseFile.readCaseFile(path));
  const auto& e = *study.colEquipment[1];
  EXPECT_FALSE(e.active);
  EXPECT_EQ(e.rowID, 2);
  EXPECT_EQ(e.description, "Hoe Ram");
  EXPECT_EQ(e.impactDevice, 1);  // field 5 reads "big"
  EXPECT_EQ(e.usage, 1.0f);
  EXPECT_FALSE(e.spec_select);  // field 7 reads "12.5"
  EXPECT_EQ(e.spec_lmax, 0.0f);
  EXPECT_TRUE(isValueNA(e.actual_lmax));
}

TEST_F(CaseFileTest, UnknownLinesBetweenReceptorsAreSkipped) {
  const std::string path = variant([](auto& lines) { lines.insert(lines.begin() + 9, "Note:,anything at all"); });
  ASSERT_TRUE(caseFile.readCaseFile(path));
  EXPECT_EQ(caseText(study), TempDir::read(kData + "/studyC.cas"));
}

TEST_F(CaseFileTest, LongLinesAndBytesAbove127SurviveAReadAndAWrite) {
  buildStudyC(study);
  study.caseDescription = std::string(300000, 'x') + ", \xE9t\xE9 \xFF";
  study.colReceptors[1]->description = "Caf\xE9 M\xFCller, rear \x80";
  ASSERT_EQ(caseFile.writeCaseFile(dir.file("long.cas")), SF_DATA_OK);
  cStudy other;
  ASSERT_TRUE(cCaseFile(other).readCaseFile(dir.file("long.cas")));
  EXPECT_EQ(other.caseDescription, study.caseDescription);
  EXPECT_EQ(other.colReceptors[1]->description, study.colReceptors[1]->description);
}

TEST_F(CaseFileTest, OpeningABadFileLeavesAnEmptyStudyAndNoCaseOpen) {
  const std::string good = dir.file("good.cas");
  TempDir::write(good, TempDir::read(kData + "/studyC.cas"));
  dialog.chooseFile(good);
  ASSERT_TRUE(caseFile.openCase(prompt));
  ASSERT_TRUE(caseFile.bCaseOpen);
  const std::string bad = variant([](auto& lines) { lines.resize(lines.size() - 1); });
  const std::string badBytes = TempDir::read(bad);
  dialog.chooseFile(bad);
  EXPECT_FALSE(caseFile.openCase(prompt));
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Problem reading case file.");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Critical);
  EXPECT_EQ(messages.messages()[0].title, "VORN");
  // Nothing of either file is left to save, and Save has no file to go to.
  EXPECT_FALSE(caseFile.bCaseOpen);
  EXPECT_TRUE(study.caseFileOpen && !study.caseFileOpen());
  EXPECT_TRUE(study.colEquipment.empty());
  EXPECT_TRUE(study.colReceptors.empty());
  EXPECT_EQ(study.caseDescription, "");
  EXPECT_EQ(study.NoiseLimits.getCriteria(0, 1, 1)->equationType, 1);
  EXPECT_EQ(view.captions.back(), "");
  EXPECT_EQ(TempDir::read(bad), badBytes);
  EXPECT_EQ(TempDir::read(good), TempDir::read(kData + "/studyC.cas"));
}

TEST_F(CaseFileTest, CancelledOpenLeavesTheStudyEmptied) {
  buildStudyC(study);
  dialog.cancel();
  EXPECT_FALSE(caseFile.openCase(prompt));
  EXPECT_FALSE(caseFile.bCaseOpen);
  EXPECT_TRUE(study.colEquipment.empty());
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(dialog.lastShowing().kind, SF_ScriptedDialog::Kind::Open);
  EXPECT_EQ(dialog.lastShowing().filter, "Case File (*.cas)|*.cas|All Files (*.*)|*.*");
}

TEST_F(CaseFileTest, CloseCaseEmptiesTheStudyAndResetsItsSettings) {
  buildStudyC(study);
  study.adjustmentFactor = 5;
  caseFile.bCaseOpen = true;
  caseFile.closeCase();
  EXPECT_TRUE(study.colEquipment.empty());
  EXPECT_TRUE(study.colReceptors.empty());
  EXPECT_EQ(study.units, 0);
  EXPECT_EQ(study.adjustmentFactor, study.adjustmentFactorDefault);
  EXPECT_EQ(study.processButtonOn(), 2);
  EXPECT_FALSE(caseFile.bCaseOpen);
  for (std::int16_t col = 1; col <= 6; ++col) EXPECT_EQ(study.NoiseLimits.getCriteria(0, 3, col)->equationType, 1);
  EXPECT_EQ(view.description, "");
  EXPECT_EQ(view.emptied, 1);
}

TEST_F(CaseFileTest, SaveAsNamesTheCaseAndSaveWritesThere) {
  buildStudyC(study);
  dialog.chooseFile(dir.file("named.cas"));
  ASSERT_TRUE(caseFile.saveCaseAs(prompt));
  EXPECT_TRUE(caseFile.bCaseOpen);
  EXPECT_EQ(caseFile.caseFileName(), "named.cas");
  EXPECT_EQ(view.captions.back(), "named.cas");
  EXPECT_EQ(dialog.lastShowing().kind, SF_ScriptedDialog::Kind::Save);
  study.caseDescription = "changed";
  ASSERT_TRUE(caseFile.saveCase());
  EXPECT_EQ(splitLines(TempDir::read(dir.file("named.cas")))[1], "changed");
  EXPECT_TRUE(messages.messages().empty());
}

// The full disk is made by a POSIX file-size limit; on Windows
// tests/hostile/FailedSavesTest.cpp holds the target open instead.
#ifndef _WIN32
TEST_F(CaseFileTest, FailedSavesKeepTheOldFileAndTheNames) {
  buildStudyC(study);
  const std::string first = dir.file("first.cas");
  dialog.chooseFile(first);
  ASSERT_TRUE(caseFile.saveCaseAs(prompt));
  const std::string saved = TempDir::read(first);
  study.caseDescription = "edited";
  {
    FailingWrites diskFull;
    EXPECT_FALSE(caseFile.saveCase());
    dialog.chooseFile(dir.file("second.cas"));
    EXPECT_FALSE(caseFile.saveCaseAs(prompt));
  }
  EXPECT_EQ(TempDir::read(first), saved);
  EXPECT_FALSE(std::filesystem::exists(dir.file("second.cas")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_EQ(caseFile.caseFileName(), "first.cas");
  EXPECT_TRUE(caseFile.bCaseOpen);
  EXPECT_EQ(view.captions.back(), "first.cas");
  ASSERT_EQ(messages.messages().size(), 2u);
  EXPECT_EQ(messages.messages()[0].text, "Problem writing case file.");
  EXPECT_EQ(messages.messages()[1].text, "Problem writing case file.");
}
#endif

TEST_F(CaseFileTest, CancelledSaveAsChangesNothing) {
  buildStudyC(study);
  dialog.cancel();
  EXPECT_FALSE(caseFile.saveCaseAs(prompt));
  EXPECT_FALSE(caseFile.bCaseOpen);
  EXPECT_TRUE(messages.messages().empty());
}

// Random studies, within what the format carries: descriptions without
// double quotes or "|", without surrounding blanks and not opening with a
// comma; numbers in the ranges levels, usages and distances take.
namespace {

class RandomStudy {
public:
  explicit RandomStudy(unsigned seed) : rng_(seed) {}

  void fill(cStudy& s) {
    s.caseDescription = text(60);
    s.adjustmentFactor = number();
    s.NoiseMetric = pick(2) + 1;
    s.units = pick(3) == 0 ? 0 : pick(5) + 1;
    const int equipment = pick(8);
    for (int i = 1; i <= equipment; ++i) {
      auto e = s.addEquipment(i);
      e->active = pick(2) == 0;
      e->description = text(40);
      e->impactDevice = pick(3);
      e->usage = number();
      e->spec_select = pick(2) == 0;
      e->spec_lmax = pick(4) == 0 ? valueNA : number();
      e->actual_lmax = pick(4) == 0 ? valueNA : number();
    }
    const int receptors = pick(6);
    for (int i = 1; i <= receptors; ++i) {
      auto r = s.addReceptor(i);
      r->description = text(40);
      static const char* uses[] = {"Residential", "Commercial", "Industrial", "", "Farm"};
      r->setLandUseTxt(uses[pick(5)]);
      r->dayBase = number();
      r->eveBase = number();
      r->niteBase = number();
      const int links = pick(equipment + 2);
      for (int k = 0; k < links; ++k) {
        auto l = r->addLink(pick(equipment + 3));
        l->distance = number();
        l->sheilding = number();
      }
    }
    static const char* kinds[] = {"Exempt", "N/A", "Value", "Maximum", "Baseline+", "Conditional"};
    for (std::int32_t table = 0; table <= 2; ++table)
      for (std::int16_t row = 1; row <= 3; ++row)
        for (std::int16_t col = 1; col <= 6; ++col) {
          auto eq = s.NoiseLimits.getCriteria(table, row, col);
          eq->setValueText(kinds[pick(6)]);
          eq->value = number();
          eq->maxCompare = number();
          eq->basePlus = number();
          eq->condLessThan = number();
          eq->condThenPlus = number();
          eq->condElsePlus = number();
          if (pick(8) == 0) eq->equationType = -1;
        }
  }

private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  float number() {
    switch (pick(4)) {
      case 0: return static_cast<float>(pick(200));
      case 1: return static_cast<float>(pick(20000)) / 100.0f;
      default: return std::uniform_real_distribution<float>(-1000.0f, 10000.0f)(rng_);
    }
  }

  std::string text(int maxLength) {
    std::string s;
    const int n = pick(maxLength + 1);
    for (int i = 0; i < n; ++i) {
      char c;
      do {
        const int k = pick(10);
        c = k < 7 ? static_cast<char>(32 + pick(95)) : k < 9 ? ',' : static_cast<char>(128 + pick(128));
      } while (c == '"' || c == '|');
      s += c;
    }
    while (!s.empty() && (s.front() == ' ' || s.front() == ',')) s.erase(0, 1);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  }

  std::mt19937 rng_;
};

}  // namespace

TEST(CaseFileRoundTrip, RandomStudiesSavedOpenedAndSavedAgainAreByteIdentical) {
  TempDir dir;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    cStudy first;
    RandomStudy(seed).fill(first);
    ASSERT_EQ(cCaseFile(first).writeCaseFile(dir.file("a.cas")), SF_DATA_OK);
    cStudy second;
    cCaseFile secondFile(second);
    ASSERT_TRUE(secondFile.readCaseFile(dir.file("a.cas"))) << "seed " << seed;
    ASSERT_EQ(secondFile.writeCaseFile(dir.file("b.cas")), SF_DATA_OK);
    ASSERT_EQ(TempDir::read(dir.file("a.cas")), TempDir::read(dir.file("b.cas"))) << "seed " << seed;
  }
}

TEST(CaseFileRobustness, MangledFilesAreReadWholeOrNotAtAll) {
  TempDir dir;
  const std::string original = TempDir::read(kData + "/studyC.cas");
  std::mt19937 rng(20250104);
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  const std::string specials = ",\"|\r\n .-eE0123456789:";
  int rejected = 0;
  for (int round = 0; round < 400; ++round) {
    std::string bytes = original;
    const int edits = 1 + static_cast<int>(pick(4));
    for (int k = 0; k < edits && !bytes.empty(); ++k) {
      const std::size_t at = pick(bytes.size());
      switch (pick(4)) {
        case 0: bytes.erase(at, 1 + pick(40)); break;
        case 1: bytes.insert(at, 1, specials[pick(specials.size())]); break;
        case 2: bytes[at] = static_cast<char>(pick(256)); break;
        default: bytes.resize(at); break;
      }
    }
    TempDir::write(dir.file("m.cas"), bytes);
    cStudy study;
    buildStudyC(study);
    const std::string before = caseText(study);
    if (!cCaseFile(study).readCaseFile(dir.file("m.cas"))) {
      ++rejected;
      EXPECT_EQ(caseText(study), before) << "round " << round;
    } else {
      ASSERT_EQ(cCaseFile(study).writeCaseFile(dir.file("w.cas")), SF_DATA_OK);
    }
  }
  EXPECT_GT(rejected, 100);
}

// A case unlike studyC: L10 and an odd units code, an inactive impact device,
// descriptions with blanks, commas and quotes, a land use outside the three,
// a receptor without links in the middle, and every kind of criteria line.
namespace {

void buildSewerCase(cStudy& s) {
  s.caseDescription = "Sewer main, 12\" pipe";
  s.adjustmentFactor = 0.25f;
  s.NoiseMetric = 2;
  s.units = 5;
  auto e1 = s.addEquipment(1);
  e1->active = false;
  e1->description = "Pile Driver (Impact)";
  e1->impactDevice = 0;
  e1->usage = 20;
  e1->spec_select = false;
  e1->spec_lmax = 95;
  e1->actual_lmax = 101.3f;
  auto e2 = s.addEquipment(2);
  e2->active = true;
  e2->description = " Generator ";
  e2->impactDevice = 2;
  e2->usage = 50;
  e2->spec_select = true;
  e2->spec_lmax = 81;
  e2->actual_lmax = valueNA;
  auto e3 = s.addEquipment(3);
  e3->active = true;
  e3->description = "Saw, \"Concrete\"";
  e3->impactDevice = 1;
  e3->usage = 33.3f;
  e3->spec_select = true;
  e3->spec_lmax = 90;
  e3->actual_lmax = valueNA;
  auto r1 = s.addReceptor(1);
  r1->description = "Farm house";
  r1->setLandUseTxt("Agricultural");
  r1->dayBase = 45.5f;
  r1->eveBase = 40;
  r1->niteBase = 35.125f;
  auto l13 = r1->addLink(3);
  l13->distance = 15.24f;
  auto l11 = r1->addLink(1);
  l11->distance = 100;
  l11->sheilding = 5;
  auto r2 = s.addReceptor(2);
  r2->description = "Mill, north gate";
  r2->setLandUseTxt("Industrial");
  r2->dayBase = 70;
  r2->eveBase = 68;
  r2->niteBase = 65.5f;
  auto r3 = s.addReceptor(3);
  r3->description = "School";
  r3->setLandUseTxt("Residential");
  r3->dayBase = 50;
  r3->eveBase = 48;
  r3->niteBase = 44;
  auto l32 = r3->addLink(2);
  l32->distance = 0.3048f;
  l32->sheilding = 10;
  s.NoiseLimits.Criteria.clearCriteria();
  setCell(s, 0, 1, 1, "Value", 85);
  setCell(s, 0, 2, 3, "Exempt");
  s.NoiseLimits.getCriteria(0, 3, 6)->equationType = -1;
  setCell(s, 2, 1, 2, "Baseline+", 10);
  setCell(s, 2, 3, 1, "Maximum", 75, 5.5f);
  setCell(s, 1, 1, 1, "Conditional", 50.5f, 10, 5);
  setCell(s, 1, 2, 5, "Baseline+", -2.5f);
  setCell(s, 1, 2, 6, "Value", 0.1f);
  setCell(s, 1, 3, 6, "Value", 1234567);
}

std::vector<std::string> times(int n, const std::string& line) { return std::vector<std::string>(n, line); }

// The criteria block of buildSewerCase, cell by cell (row 1 cols 1-6, row 2, row 3).
std::vector<std::string> sewerCriteria() {
  std::vector<std::string> b;
  auto add = [&b](const std::vector<std::string>& more) { b.insert(b.end(), more.begin(), more.end()); };
  add({"Lmax...", "Value,85"});
  add(times(5, "N/A"));                     // row 1 cols 2-6
  add(times(2, "N/A"));                     // row 2 cols 1-2
  add({"Exempt"});                          // row 2 col 3
  add(times(3 + 5, "N/A"));                 // row 2 cols 4-6, row 3 cols 1-5
  add({"Null"});                            // row 3 col 6
  add({"L10...", "N/A", "Baseline+,10"});  // row 1 cols 1-2
  add(times(4 + 6, "N/A"));                 // row 1 cols 3-6, row 2
  add({"Maximum,75,5.5"});                  // row 3 col 1
  add(times(5, "N/A"));
  add({"Leq...", "Conditional,50.5,10,5"});
  add(times(5 + 4, "N/A"));                 // row 1 cols 2-6, row 2 cols 1-4
  add({"Baseline+,-2.5", "Value,0.1"});     // row 2 cols 5-6
  add(times(5, "N/A"));
  add({"Value,1234567"});
  return b;
}

}  // namespace

TEST(CaseFileGolden, SewerCaseIsWrittenAndReadBackAsTheFormatSays) {
  TempDir dir;
  cStudy first;
  buildSewerCase(first);
  std::vector<std::string> expected = {
      "Vornhall - Version 1.0",
      "\"Sewer main, 12\" pipe\"",
      "0.25,L10,meters",
      "Equipment...",
      "Equipment:,0,1,Pile Driver (Impact),1,20,0,95,101.3",
      "Equipment:,1,2, Generator ,0,50,1,81,-999.999",
      "Equipment:,1,3,\"Saw, \"Concrete\"\",0,33.3,1,90,-999.999",
      "Receptors...",
      "Receptor:,1,Farm house,Agricultural,45.5,40,35.125",
      "Link:,3,15.24,0",
      "Link:,1,100,5",
      "Receptor:,2,\"Mill, north gate\",Industrial,70,68,65.5",
      "Receptor:,3,School,Residential,50,48,44",
      "Link:,2,0.3048,10",
      "Criteria...",
  };
  const auto criteria = sewerCriteria();
  ASSERT_EQ(criteria.size(), 57u);
  expected.insert(expected.end(), criteria.begin(), criteria.end());
  ASSERT_EQ(cCaseFile(first).writeCaseFile(dir.file("sewer.cas")), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("sewer.cas")), joinLines(expected));

  // Read back: quotes are removed and fields trimmed; the blank after the
  // comma before a quote is closed up when the line is split.
  cStudy second;
  second.NoiseLimits.Criteria.clearCriteria();
  cCaseFile secondFile(second);
  ASSERT_TRUE(secondFile.readCaseFile(dir.file("sewer.cas")));
  EXPECT_EQ(second.caseDescription, "Sewer main, 12 pipe");
  EXPECT_EQ(second.adjustmentFactor, 0.25f);
  EXPECT_EQ(second.NoiseMetric, 2);
  EXPECT_EQ(second.units, 1);
  ASSERT_EQ(second.colEquipment.size(), 3u);
  EXPECT_FALSE(second.colEquipment[0]->active);
  EXPECT_EQ(second.colEquipment[0]->impactDevice, 0);
  EXPECT_EQ(second.colEquipment[0]->actual_lmax, 101.3f);
  EXPECT_EQ(second.colEquipment[1]->description, "Generator");
  EXPECT_EQ(second.colEquipment[1]->impactDevice, 1);
  EXPECT_TRUE(isValueNA(second.colEquipment[1]->actual_lmax));
  EXPECT_EQ(second.colEquipment[2]->description, "Saw,Concrete");
  EXPECT_EQ(second.colEquipment[2]->rowID, 3);
  EXPECT_EQ(second.colEquipment[2]->usage, 33.3f);
  EXPECT_TRUE(second.colEquipment[2]->spec_select);
  ASSERT_EQ(second.colReceptors.size(), 3u);
  EXPECT_EQ(second.colReceptors[0]->landUseTxt(), "Agricultural");
  EXPECT_EQ(second.colReceptors[0]->landUse, 0);
  ASSERT_EQ(second.colReceptors[0]->colLinks.size(), 2u);
  EXPECT_EQ(second.colReceptors[0]->colLinks[0]->equipID, 3);
  EXPECT_EQ(second.colReceptors[0]->colLinks[0]->distance, 15.24f);
  EXPECT_EQ(second.colReceptors[1]->description, "Mill, north gate");
  EXPECT_EQ(second.colReceptors[1]->landUse, 2);
  EXPECT_TRUE(second.colReceptors[1]->colLinks.empty());
  EXPECT_EQ(second.colReceptors[2]->colLinks[0]->distance, 0.3048f);
  const auto null = second.NoiseLimits.getCriteria(0, 3, 6);
  EXPECT_EQ(null->equationType, -1);
  EXPECT_EQ(null->valueText(), "N/A");
  EXPECT_EQ(second.NoiseLimits.getCriteria(1, 1, 1)->condLessThan, 50.5f);
  EXPECT_EQ(second.NoiseLimits.getCriteria(1, 2, 5)->basePlus, -2.5f);

  // Saved again, only what the reading changed differs.
  expected[1] = "\"Sewer main, 12 pipe\"";
  expected[2] = "0.25,L10,meters";
  expected[5] = "Equipment:,1,2,Generator,0,50,1,81,-999.999";
  expected[6] = "Equipment:,1,3,\"Saw,Concrete\",0,33.3,1,90,-999.999";
  ASSERT_EQ(secondFile.writeCaseFile(dir.file("again.cas")), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("again.cas")), joinLines(expected));
}

// Numbers edited by hand: equipment 11 and 12, receptors 5 and 6, links that
// name the equipment by the old numbers, and one link to equipment 99 that
// the file does not hold. Read, every record is numbered by its position and
// each link names its equipment by the new number.
TEST_F(CaseFileTest, HandEditedNumbersAreReadByPositionWithTheLinksFollowing) {
  const std::string path = variant([](auto& lines) {
    lines[4] = "Equipment:,1,11,Backhoe,0,40,1,80,78";
    lines[5] = "Equipment:,0,12,\"Hoe Ram, 2 ton\",1,12.5,0,-999.999,89.8";
    lines[7] = "Receptor:,5,\"Apartments, 14 Elm\",Residential,61.5,57,51";
    lines[8] = "Link:,12,30.48,0";
    lines[9] = "Link:,11,0.1,2.5";
    lines[10] = "Receptor:,6,Shop,Commercial,66,62.5,55.25";
    lines.insert(lines.begin() + 11, "Link:,99,5,0");
  });
  ASSERT_TRUE(caseFile.readCaseFile(path));
  ASSERT_EQ(study.colEquipment.size(), 2u);
  EXPECT_EQ(study.colEquipment[0]->rowID, 1);
  EXPECT_EQ(study.colEquipment[1]->rowID, 2);
  ASSERT_EQ(study.colReceptors.size(), 2u);
  EXPECT_EQ(study.colReceptors[0]->rowID, 1);
  EXPECT_EQ(study.colReceptors[1]->rowID, 2);
  const auto& links = study.colReceptors[0]->colLinks;
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0]->equipID, 2);
  EXPECT_FLOAT_EQ(links[0]->distance, 30.48f);
  EXPECT_EQ(links[1]->equipID, 1);
  EXPECT_FLOAT_EQ(links[1]->distance, 0.1f);
  EXPECT_TRUE(study.colReceptors[1]->colLinks.empty()) << "the link to equipment 99 names nothing";
  std::shared_ptr<cReceptorRecord> second;
  EXPECT_TRUE(study.getReceptor(second, 2));
  EXPECT_EQ(second->description, "Shop");
}

// A file numbered 1..n, even with a link to equipment it lacks, reads as it stands.
TEST_F(CaseFileTest, NumbersInOrderAreKeptWithEveryLink) {
  const std::string path = variant([](auto& lines) { lines.insert(lines.begin() + 11, "Link:,99,5,0"); });
  ASSERT_TRUE(caseFile.readCaseFile(path));
  ASSERT_EQ(study.colReceptors[1]->colLinks.size(), 1u);
  EXPECT_EQ(study.colReceptors[1]->colLinks[0]->equipID, 99);
}
