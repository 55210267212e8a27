#include <gtest/gtest.h>

#include <bit>

#include "criteria/cEquationRecord.h"

namespace {
cEquationRecord make(const char* type) {
  cEquationRecord e;
  e.setValueText(type);
  return e;
}
}  // namespace

TEST(EquationRecord, NewRecordIsUnsetWithEmptyTexts) {
  const cEquationRecord e;
  EXPECT_EQ(e.equationType, -1);
  EXPECT_EQ(e.limit(), 0.0f);
  EXPECT_EQ(e.limitText(), "");
  EXPECT_EQ(e.equationTxt(), "");
  EXPECT_EQ(e.valueText(), "");
}

TEST(EquationRecord, ValueTextSetsTheTypeOnlyOnAnExactName) {
  cEquationRecord e;
  const char* names[] = {"Exempt", "N/A", "Value", "Maximum", "Baseline+", "Conditional"};
  for (int i = 0; i < 6; ++i) {
    e.setValueText(names[i]);
    EXPECT_EQ(e.equationType, i);
  }
  e.setValueText("exempt");
  EXPECT_EQ(e.valueText(), "exempt");
  EXPECT_EQ(e.equationType, 5);
}

TEST(EquationRecord, MarkersAreProducedExactly) {
  const auto exempt = make("Exempt");
  EXPECT_EQ(std::bit_cast<std::uint32_t>(exempt.limit()), 0xC61C4000u);
  EXPECT_EQ(exempt.limitText(), "Exempt");
  const auto na = make("N/A");
  EXPECT_EQ(std::bit_cast<std::uint32_t>(na.limit()), 0xC479FFF0u);
  EXPECT_EQ(na.limit(), -999.9990234375f);
  EXPECT_EQ(na.limitText(), "N/A");
}

TEST(EquationRecord, MaximumTakesTheLargerOfSumAndFloor) {
  auto e = make("Maximum");
  e.basePlus = 5;
  e.maxCompare = 55;
  e.baseLine = 50;
  EXPECT_EQ(e.limit(), 55.0f);
  e.baseLine = 52;
  EXPECT_EQ(e.limit(), 57.0f);
  e.baseLine = 40;
  EXPECT_EQ(e.limit(), 55.0f);
  EXPECT_EQ(e.limitText(), "55");
}

TEST(EquationRecord, ConditionalSwitchesAtTheThreshold) {
  auto e = make("Conditional");
  e.condLessThan = 60;
  e.condThenPlus = 3;
  e.condElsePlus = 5;
  e.baseLine = 59.9f;
  // 59.9f + 3 in single precision.
  EXPECT_EQ(std::bit_cast<std::uint32_t>(e.limit()), 0x427B999Au);
  EXPECT_EQ(e.limitText(), "62.9");
  e.baseLine = 60;
  EXPECT_EQ(e.limit(), 65.0f);
}

TEST(EquationRecord, BaselinePlusSumsInSinglePrecision) {
  auto e = make("Baseline+");
  e.baseLine = 0.1f;
  e.basePlus = 0.2f;
  EXPECT_EQ(e.limit(), 0.1f + 0.2f);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(e.limit()), 0x3E99999Au);
  EXPECT_EQ(e.limitText(), "0.3");
}

TEST(EquationRecord, LimitTextIsTheShortestNumber) {
  auto e = make("Value");
  e.value = 65;
  EXPECT_EQ(e.limitText(), "65");
  e.value = 62.5f;
  EXPECT_EQ(e.limitText(), "62.5");
  e.value = 0.5f;
  EXPECT_EQ(e.limitText(), "0.5");
}

TEST(EquationRecord, EquationSentences) {
  auto e = make("Value");
  e.value = 65;
  EXPECT_EQ(e.equationTxt(), "Value = 65 dBA");
  e.setValueText("Maximum");
  e.maxCompare = 55;
  e.basePlus = 5;
  EXPECT_EQ(e.equationTxt(), "Maximum of 55 dBA or (Baseline + 5 dBA)");
  e.setValueText("Baseline+");
  EXPECT_EQ(e.equationTxt(), "Value = Baseline + 5 dBA");
  e.setValueText("Conditional");
  e.condLessThan = 60;
  e.condThenPlus = 3;
  e.condElsePlus = 2.5f;
  EXPECT_EQ(e.equationTxt(),
            "If Baseline < 60 dBA Then\r\n   Value = Baseline + 3 dBA\r\nElse\r\n   Value = Baseline + 2.5 dBA");
  EXPECT_EQ(make("Exempt").equationTxt(), "Value = Exempt");
  EXPECT_EQ(make("N/A").equationTxt(), "Value = N/A");
  e.equationType = 9;
  EXPECT_EQ(e.equationTxt(), "");
  EXPECT_EQ(e.limitText(), "");
  EXPECT_EQ(e.limit(), 0.0f);
}

TEST(EquationRecord, CopyTakesTheTypeFromTheText) {
  auto src = make("N/A");
  src.equationType = -1;
  src.value = 1;
  src.baseLine = 2;
  src.maxCompare = 3;
  src.basePlus = 4;
  src.condLessThan = 5;
  src.condThenPlus = 6;
  src.condElsePlus = 7;
  cEquationRecord dst = make("Value");
  dst.copy(src);
  EXPECT_EQ(dst.equationType, 1);
  EXPECT_EQ(dst.valueText(), "N/A");
  EXPECT_EQ(dst.value, 1.0f);
  EXPECT_EQ(dst.baseLine, 2.0f);
  EXPECT_EQ(dst.maxCompare, 3.0f);
  EXPECT_EQ(dst.basePlus, 4.0f);
  EXPECT_EQ(dst.condLessThan, 5.0f);
  EXPECT_EQ(dst.condThenPlus, 6.0f);
  EXPECT_EQ(dst.condElsePlus, 7.0f);

  // A source never given a text leaves the type as it was.
  cEquationRecord unset;
  dst.copy(unset);
  EXPECT_EQ(dst.equationType, 1);
  EXPECT_EQ(dst.valueText(), "");
}
