#include <bit>
#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "study/mFormat.h"
#include "study/mMarkers.h"

TEST(Markers, RecognisedByExactBitPattern) {
  EXPECT_EQ(std::bit_cast<std::uint32_t>(valueNA), valueNABits);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(valueExempt), valueExemptBits);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(valueNone), valueNoneBits);
  EXPECT_EQ(markerWord(-999.999f), "N/A");
  EXPECT_EQ(markerWord(-999.99f), "Value");
  EXPECT_EQ(markerWord(-10000.0f), "Exempt");
  EXPECT_EQ(markerWord(-8888.889f), "None");
  EXPECT_EQ(markerWord(std::nextafter(valueNone, 0.0f)), "Value");
  EXPECT_EQ(markerWord(0.0f), "Value");
}

TEST(NumberText, ShortestWithAtMostSevenDigits) {
  EXPECT_EQ(numberText(65.0f), "65");
  EXPECT_EQ(numberText(62.5f), "62.5");
  EXPECT_EQ(numberText(0.5f), "0.5");
  EXPECT_EQ(numberText(0.1f), "0.1");
  EXPECT_EQ(numberText(3.0f), "3");
  EXPECT_EQ(numberText(-999.999f), "-999.999");
  EXPECT_EQ(numberText(-10000.0f), "-10000");
  EXPECT_EQ(numberText(-8888.889f), "-8888.889");
  EXPECT_EQ(numberText(3.2808333f), "3.280833");
  EXPECT_EQ(numberText(0.3048006f), "0.3048006");
  EXPECT_EQ(numberText(1234567.0f), "1234567");
  EXPECT_EQ(numberText(12345678.0f), "12345680");
  EXPECT_EQ(numberText(0.00012f), "0.00012");
  EXPECT_EQ(numberText(-0.0f), "0");
  EXPECT_EQ(numberText(100.0f), "100");
  EXPECT_EQ(numberText(1e20f), "1E+20");
}

TEST(NumberText, ReadsBackToTheSameFloatForOrdinaryLevels) {
  for (float v : {0.1f, 55.5f, 72.3f, 101.7f, 0.3048006f, 35.05f, 1500.0f}) {
    EXPECT_EQ(std::stof(numberText(v)), v) << numberText(v);
  }
}

TEST(FixedFormats, NearestWithExactHalvesAwayFromZero) {
  EXPECT_EQ(format0_0(62.45f), "62.5");  // the float lies just above 62.45
  EXPECT_EQ(format0_0(0.25), "0.3");
  EXPECT_EQ(format0_0(-0.25), "-0.3");
  EXPECT_EQ(format0_0(0.05), "0.1");     // the double lies just above 0.05
  EXPECT_EQ(format0_0(0.35), "0.3");     // the double lies just below 0.35
  EXPECT_EQ(format0_0(70.0), "70.0");
  EXPECT_EQ(format0_0(-0.04), "0.0");
  EXPECT_EQ(format0_0(-999.999f), "-1000.0");
  EXPECT_EQ(format0(40.0), "40");
  EXPECT_EQ(format0(2.5), "3");
  EXPECT_EQ(format0(0.5), "1");
  EXPECT_EQ(format0(99.4), "99");
}

TEST(QuoteField, QuotesOnlyTextWithAComma) {
  EXPECT_EQ(quoteField("Dozer"), "Dozer");
  EXPECT_EQ(quoteField("Dozer, large"), "\"Dozer, large\"");
  EXPECT_EQ(quoteField("say \"hi\", then"), "\"say \"hi\", then\"");
  EXPECT_EQ(quoteField("say \"hi\""), "say \"hi\"");
  EXPECT_EQ(quoteField(""), "");
}
