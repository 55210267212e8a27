#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SF_DataASCII.h"
#include "SF_FilePrompt.h"
#include "SF_ScriptedDialog.h"
#include "criteria/cCriteriaFile.h"
#include "criteria/cEquationRecord.h"
#include "base/mProgramDirectory.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "../casefile/FailingWrites.h"
#include "../support/TempDir.h"
#include "../support/CrLfLines.h"

namespace {

const std::string kData = VORN_TEST_DATA;
const std::string kShipped = std::string(VORN_SOURCE_DIR) + "/data/" + kDefaultCriteriaName;

class CriteriaFileTest : public ::testing::Test {
protected:
  CriteriaFileTest() : prompt(dialog) {
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    study.NoiseLimits.Criteria.clearCriteria();
  }
  std::shared_ptr<cEquationRecord> cell(std::int32_t table, std::int16_t row, std::int16_t col) {
    return study.NoiseLimits.getCriteria(table, row, col);
  }
  std::vector<std::string> block() {
    std::vector<std::string> lines;
    file.buildOutput(lines);
    return lines;
  }
  std::string variant(const std::function<void(std::vector<std::string>&)>& change) {
    auto lines = splitLines(TempDir::read(kData + "/mixed.cri"));
    change(lines);
    const std::string path = dir.file("v" + std::to_string(++variants) + ".cri");
    TempDir::write(path, joinLines(lines));
    return path;
  }
  cStudy study;
  cScriptedMessageService messages;
  SF_ScriptedDialog dialog;
  SF_FilePrompt prompt;
  cCriteriaFile file{study.NoiseLimits};
  TempDir dir;
  int variants = 0;
};

}  // namespace

TEST_F(CriteriaFileTest, BlockHasOneLinePerCellInLmaxL10LeqOrder) {
  cell(0, 1, 1)->setValueText("Value");
  cell(0, 1, 1)->value = 65;
  cell(0, 1, 2)->setValueText("Maximum");
  cell(0, 1, 2)->maxCompare = 60;
  cell(0, 1, 2)->basePlus = 5;
  cell(0, 1, 3)->setValueText("Conditional");
  cell(0, 1, 3)->condLessThan = 55;
  cell(0, 1, 3)->condThenPlus = 5;
  cell(0, 1, 3)->condElsePlus = 3;
  cell(0, 1, 4)->setValueText("Baseline+");
  cell(0, 1, 4)->basePlus = 10;
  cell(0, 1, 4)->baseLine = 52;  // stamped in, never written
  cell(0, 1, 5)->setValueText("Exempt");
  cell(0, 1, 6)->equationType = -1;
  cell(2, 1, 1)->setValueText("Value");
  cell(2, 1, 1)->value = 62.5f;
  cell(2, 1, 2)->setValueText("Value");
  cell(2, 1, 2)->value = 0.5f;
  cell(1, 3, 6)->setValueText("Value");
  cell(1, 3, 6)->value = -999.999f;
  const auto lines = block();
  ASSERT_EQ(lines.size(), 57u);
  const auto expected = splitLines(TempDir::read(kData + "/mixed.cri"));
  EXPECT_EQ(lines, std::vector<std::string>(expected.begin() + 2, expected.end()));
  ASSERT_EQ(file.writeFile(dir.file("out.cri")), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("out.cri")), TempDir::read(kData + "/mixed.cri"));
}

TEST_F(CriteriaFileTest, ReadingSetsEveryCellAndSavingReproducesTheFile) {
  ASSERT_TRUE(file.readFile(kData + "/mixed.cri"));
  EXPECT_EQ(cell(0, 1, 2)->equationType, 3);
  EXPECT_EQ(cell(0, 1, 2)->maxCompare, 60.0f);
  EXPECT_EQ(cell(0, 1, 3)->condElsePlus, 3.0f);
  EXPECT_EQ(cell(0, 1, 6)->equationType, -1);
  EXPECT_EQ(cell(0, 1, 6)->valueText(), "N/A");  // "Null" keeps the text it had
  EXPECT_EQ(cell(2, 1, 1)->value, 62.5f);
  EXPECT_EQ(cell(1, 3, 6)->value, -999.999f);
  ASSERT_EQ(file.writeFile(dir.file("again.cri")), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("again.cri")), TempDir::read(kData + "/mixed.cri"));
}

TEST_F(CriteriaFileTest, SectionLinesAreNotExamined) {
  const std::string path = variant([](auto& l) { l[21] = "Leq..."; });
  ASSERT_TRUE(file.readFile(path));
  EXPECT_EQ(cell(2, 1, 1)->value, 62.5f);  // the second section still goes to L10
}

TEST_F(CriteriaFileTest, UnknownKeywordsLeaveTheirCellAlone) {
  cell(0, 1, 1)->setValueText("Exempt");
  const std::string path = variant([](auto& l) { l[3] = "value,70"; });
  ASSERT_TRUE(file.readFile(path));
  EXPECT_EQ(cell(0, 1, 1)->equationType, 0);
  EXPECT_EQ(cell(0, 1, 2)->equationType, 3);
}

TEST_F(CriteriaFileTest, RejectedFilesLeaveEveryTableAsItWas) {
  using Lines = std::vector<std::string>;
  const std::vector<std::pair<const char*, std::function<void(Lines&)>>> faults = {
      {"a blank line added at the end", [](Lines& l) { l.push_back(""); }},
      {"a line short", [](Lines& l) { l.pop_back(); }},
      {"wrong title", [](Lines& l) { l[0] = "Vornhall - Version 1.1"; }},
      {"wrong kind", [](Lines& l) { l[1] = "Noise Limits"; }},
      {"Maximum with one number", [](Lines& l) { l[4] = "Maximum,60"; }},
      {"Conditional with two numbers", [](Lines& l) { l[5] = "Conditional,55,5"; }},
      {"Value without a number", [](Lines& l) { l[3] = "Value"; }},
      {"a number that does not parse, last cell", [](Lines& l) { l[58] = "Value,sixty"; }},
      {"a number with trailing text", [](Lines& l) { l[22] = "Value,62.5dB"; }},
      {"an infinite number", [](Lines& l) { l[22] = "Value,1e999"; }},
  };
  cell(0, 1, 1)->setValueText("Value");
  cell(0, 1, 1)->value = 77;
  const auto before = block();
  for (const auto& [what, change] : faults) {
    EXPECT_FALSE(file.readFile(variant(change))) << what;
    EXPECT_EQ(block(), before) << what;
  }
  EXPECT_FALSE(file.readFile(dir.file("missing.cri")));
  EXPECT_EQ(block(), before);
}

TEST_F(CriteriaFileTest, BuildInputLeavesTheIndexOnTheBlocksLastLine) {
  auto lines = splitLines(TempDir::read(kData + "/mixed.cri"));
  lines.push_back("after the block");
  const std::string path = dir.file("plus.cri");
  TempDir::write(path, joinLines(lines));
  SF_DataASCII reader;
  ASSERT_EQ(reader.readFields(path), SF_DATA_OK);
  const SF_FieldTable& real = reader.Fields();
  std::int32_t index = 2;
  ASSERT_TRUE(file.buildInput(index, real));
  EXPECT_EQ(index, 59);
  index = 4;  // the block would run past the end
  EXPECT_FALSE(file.buildInput(index, real));
  EXPECT_EQ(index, 4);
}

TEST_F(CriteriaFileTest, ShippedDefaultCriteriaAreCompleteForEveryMetric) {
  const auto lines = splitLines(TempDir::read(kShipped));
  ASSERT_EQ(lines.size(), 59u);
  ASSERT_TRUE(file.readFile(kShipped));
  for (std::int32_t table = 0; table <= 2; ++table)
    for (std::int16_t row = 1; row <= 3; ++row)
      for (std::int16_t col = 1; col <= 6; ++col) {
        const auto eq = cell(table, row, col);
        EXPECT_GE(eq->equationType, 2) << table << " " << row << " " << col;  // a limit, not Null/N/A/Exempt
        eq->baseLine = 55;
        EXPECT_GT(eq->limit(), 40.0f);
        EXPECT_LT(eq->limit(), 100.0f);
      }
  // Industrial limits are no stricter than residential ones.
  for (std::int32_t table = 0; table <= 2; ++table)
    for (std::int16_t col = 1; col <= 6; ++col)
      EXPECT_GE(cell(table, 3, col)->limit(), cell(table, 1, col)->limit());
  ASSERT_EQ(file.writeFile(dir.file("default.cri")), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("default.cri")), TempDir::read(kShipped));
}

TEST_F(CriteriaFileTest, DefaultCriteriaAreCopiedBesideThePrograms) {
  EXPECT_EQ(TempDir::read(std::string(VORN_BIN_DIR) + "/" + kDefaultCriteriaName), TempDir::read(kShipped));
}

TEST_F(CriteriaFileTest, OpenAsksForACriteriaFileAndReportsAProblem) {
  dialog.chooseFile(kData + "/mixed.cri");
  ASSERT_TRUE(file.openFile(prompt, messages));
  EXPECT_EQ(dialog.lastShowing().kind, SF_ScriptedDialog::Kind::Open);
  EXPECT_EQ(dialog.lastShowing().filter, "Noise Limit Criteria File (*.cri)|*.cri|All Files (*.*)|*.*");
  EXPECT_EQ(cell(0, 1, 1)->value, 65.0f);
  dialog.chooseFile(variant([](auto& l) { l.push_back(""); }));
  EXPECT_FALSE(file.openFile(prompt, messages));
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Problem reading Noise Limit Criteria file.");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Critical);
  dialog.cancel();
  EXPECT_FALSE(file.openFile(prompt, messages));
  EXPECT_EQ(messages.messages().size(), 1u);
}

// The full disk is made by a POSIX file-size limit; on Windows
// tests/hostile/FailedSavesTest.cpp holds the target open instead.
#ifndef _WIN32
TEST_F(CriteriaFileTest, SaveSaysWhereAndAFailedSaveKeepsTheOldFile) {
  const std::string path = dir.file("mine.cri");
  dialog.chooseFile(path);
  ASSERT_TRUE(file.saveFile(prompt, messages));
  EXPECT_EQ(dialog.lastShowing().kind, SF_ScriptedDialog::Kind::Save);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, path + " saved.");
  EXPECT_EQ(messages.messages()[0].title, "File saved...");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Information);
  const std::string saved = TempDir::read(path);
  cell(0, 2, 2)->setValueText("Exempt");
  dialog.chooseFile(path);
  {
    FailingWrites diskFull;
    EXPECT_FALSE(file.saveFile(prompt, messages));
  }
  EXPECT_EQ(TempDir::read(path), saved);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  ASSERT_EQ(messages.messages().size(), 2u);
  EXPECT_EQ(messages.messages()[1].text, "Problem writing Criteria File");
  EXPECT_EQ(messages.messages()[1].icon, MessageIcon::Critical);
}
#endif

TEST_F(CriteriaFileTest, DefaultLoadsOnlyOnYesFromBesideTheProgram) {
  messages.script({MessageAnswer::No});
  EXPECT_FALSE(file.loadDefault(std::string(VORN_BIN_DIR) + "/", messages));
  EXPECT_EQ(cell(0, 1, 1)->equationType, 1);
  EXPECT_EQ(messages.messages()[0].text, "Load Criteria from the default file?");
  EXPECT_EQ(messages.messages()[0].buttons, MessageButtons::YesNo);
  messages.script({MessageAnswer::Yes});
  EXPECT_TRUE(file.loadDefault(std::string(VORN_BIN_DIR) + "/", messages));
  EXPECT_EQ(cell(0, 1, 1)->equationType, 2);
  messages.script({MessageAnswer::Yes});
  EXPECT_FALSE(file.loadDefault(dir.path().string() + "/", messages));
  EXPECT_EQ(messages.messages().back().text, "Problem reading Noise Limit Criteria file.");
}

// Every equation kind with fractions and negative numbers, the three tables
// each filled differently, so a section written to the wrong place shows.
TEST_F(CriteriaFileTest, EveryKindOfCellIsWrittenAsTheFormatSays) {
  auto set = [this](std::int32_t t, std::int16_t r, std::int16_t c, const std::string& text, float a = 0,
                    float b = 0, float d = 0) {
    auto eq = cell(t, r, c);
    eq->setValueText(text);
    eq->value = a;
    eq->maxCompare = a;
    eq->basePlus = text == "Maximum" ? b : a;
    eq->condLessThan = a;
    eq->condThenPlus = b;
    eq->condElsePlus = d;
    eq->baseLine = 99;  // never written
  };
  // Lmax: row 1 fixed and baseline kinds, row 2 conditional and markers, row 3 exempt.
  set(0, 1, 1, "Value", 80);
  set(0, 1, 2, "Value", 75.5f);
  set(0, 1, 3, "Maximum", 70, 3);
  set(0, 1, 4, "Maximum", 65.25f, 0.5f);
  set(0, 1, 5, "Baseline+", 10);
  set(0, 1, 6, "Baseline+", 0);
  set(0, 2, 1, "Conditional", 60, 5, 3);
  set(0, 2, 2, "Conditional", 55.5f, -1, 2.25f);
  set(0, 2, 3, "Exempt");
  set(0, 2, 4, "N/A");
  cell(0, 2, 5)->equationType = -1;
  set(0, 2, 6, "Value", -10);
  for (std::int16_t c = 1; c <= 6; ++c) set(0, 3, c, "Exempt");
  // L10: 70 everywhere but one cell not set.
  for (std::int16_t r = 1; r <= 3; ++r)
    for (std::int16_t c = 1; c <= 6; ++c) set(2, r, c, "Value", 70);
  cell(2, 2, 2)->equationType = -1;
  // Leq: baseline + 5, then 100, then maximum of 0.5 or baseline + 0.125.
  for (std::int16_t c = 1; c <= 6; ++c) {
    set(1, 1, c, "Baseline+", 5);
    set(1, 2, c, "Value", 100);
    set(1, 3, c, "Maximum", 0.5f, 0.125f);
  }
  std::vector<std::string> expected = {"Vornhall - Version 1.0", "Noise Limit Criteria",
                                       "Lmax...",
                                       "Value,80", "Value,75.5", "Maximum,70,3", "Maximum,65.25,0.5",
                                       "Baseline+,10", "Baseline+,0",
                                       "Conditional,60,5,3", "Conditional,55.5,-1,2.25", "Exempt", "N/A",
                                       "Null", "Value,-10",
                                       "Exempt", "Exempt", "Exempt", "Exempt", "Exempt", "Exempt",
                                       "L10..."};
  for (int i = 1; i <= 18; ++i) expected.push_back(i == 8 ? "Null" : "Value,70");
  expected.push_back("Leq...");
  for (int i = 0; i < 6; ++i) expected.push_back("Baseline+,5");
  for (int i = 0; i < 6; ++i) expected.push_back("Value,100");
  for (int i = 0; i < 6; ++i) expected.push_back("Maximum,0.5,0.125");
  ASSERT_EQ(expected.size(), 59u);
  ASSERT_EQ(file.writeFile(dir.file("kinds.cri")), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(dir.file("kinds.cri")), joinLines(expected));
}

// A hand-edited file: quotes are removed and blanks trimmed from every field
// (criteria files are read with quoted fields off), fields after those a
// cell needs are ignored, and a keyword never carries numbers it does not use.
TEST_F(CriteriaFileTest, HandEditedCellLinesAreReadByTheirFields) {
  std::vector<std::string> lines = {"Vornhall - Version 1.0", "Noise Limit Criteria", "Lmax...",
                                    " Value , 65 ",
                                    "\"Maximum\",60,\"5\"",
                                    "Conditional,55,5,3,extra",
                                    "Exempt,70",
                                    "Null",
                                    "Baseline+,2.5,1"};
  for (int i = 0; i < 12; ++i) lines.push_back("N/A");
  lines.push_back("anything at all");
  for (int i = 0; i < 18; ++i) lines.push_back("Value,7" + std::to_string(i % 10));
  lines.push_back("");
  for (int i = 0; i < 18; ++i) lines.push_back(i == 17 ? "Value , \"1.5\"" : "Exempt");
  ASSERT_EQ(lines.size(), 59u);
  const std::string path = dir.file("hand.cri");
  TempDir::write(path, joinLines(lines));
  cell(0, 1, 5)->setValueText("Exempt");
  ASSERT_TRUE(file.readFile(path));
  EXPECT_EQ(cell(0, 1, 1)->equationType, 2);
  EXPECT_EQ(cell(0, 1, 1)->value, 65.0f);
  EXPECT_EQ(cell(0, 1, 2)->equationType, 3);
  EXPECT_EQ(cell(0, 1, 2)->basePlus, 5.0f);
  EXPECT_EQ(cell(0, 1, 3)->condElsePlus, 3.0f);
  EXPECT_EQ(cell(0, 1, 4)->equationType, 0);
  EXPECT_EQ(cell(0, 1, 5)->equationType, -1);
  EXPECT_EQ(cell(0, 1, 5)->valueText(), "Exempt");
  EXPECT_EQ(cell(0, 1, 6)->basePlus, 2.5f);
  EXPECT_EQ(cell(2, 1, 1)->value, 70.0f);
  EXPECT_EQ(cell(2, 3, 6)->value, 77.0f);  // cell 18 of the L10 section
  EXPECT_EQ(cell(1, 1, 1)->equationType, 0);
  EXPECT_EQ(cell(1, 3, 6)->value, 1.5f);
  std::vector<std::string> block;
  file.buildOutput(block);
  EXPECT_EQ(block[0], "Lmax...");
  EXPECT_EQ(block[1], "Value,65");
  EXPECT_EQ(block[4], "Exempt");  // its 70 was never read
  EXPECT_EQ(block[5], "Null");
  EXPECT_EQ(block[6], "Baseline+,2.5");
  EXPECT_EQ(block[19], "L10...");
  EXPECT_EQ(block[56], "Value,1.5");
}
