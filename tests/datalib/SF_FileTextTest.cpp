#include <gtest/gtest.h>

#include "SF_FileText.h"

TEST(FileText, LevelsHaveTwoDecimalsAndNoLeadingZero) {
  EXPECT_EQ(SF_FileText::level(0.5), ".50");
  EXPECT_EQ(SF_FileText::level(0), ".00");
  EXPECT_EQ(SF_FileText::level(-0.5), "-.50");
  EXPECT_EQ(SF_FileText::level(-0.001), ".00");
  EXPECT_EQ(SF_FileText::level(72.346), "72.35");
  EXPECT_EQ(SF_FileText::level(65), "65.00");
  EXPECT_EQ(SF_FileText::level(1.005f), "1.00");  // the float lies just below 1.005
  EXPECT_EQ(SF_FileText::level(10000), "10000.00");
}

TEST(FileText, BandLabelsFollowThePreferredSeries) {
  EXPECT_EQ(SF_FileText::bandLabel(2), "B2/1.6Hz");
  EXPECT_EQ(SF_FileText::bandLabel(15), "B15/31.5Hz");
  EXPECT_EQ(SF_FileText::bandLabel(29), "B29/800Hz");
  EXPECT_EQ(SF_FileText::bandLabel(30), "B30/1kHz");
  EXPECT_EQ(SF_FileText::bandLabel(31), "B31/1.25kHz");
  EXPECT_EQ(SF_FileText::bandLabel(45), "B45/31.5kHz");
  EXPECT_EQ(SF_FileText::bandLabel(50), "B50/100kHz");
  EXPECT_EQ(SF_FileText::bandLabel(1), "");
  EXPECT_EQ(SF_FileText::bandLabel(51), "");
}

TEST(FileText, NumbersReadStrictly) {
  EXPECT_EQ(SF_FileText::toDouble(" .50 "), 0.5);
  EXPECT_EQ(SF_FileText::toDouble("-.50"), -0.5);
  EXPECT_EQ(SF_FileText::toDouble("+2.5e1"), 25.0);
  for (const char* bad : {"", " ", "1,5", "12a", "inf", "nan", "--1", "+-1", "1e999"})
    EXPECT_FALSE(SF_FileText::toDouble(bad).has_value()) << bad;
  EXPECT_EQ(SF_FileText::toWhole(" 240 "), 240);
  EXPECT_EQ(SF_FileText::toWhole("12.00"), 12);
  EXPECT_FALSE(SF_FileText::toWhole("12.5").has_value());
  EXPECT_FALSE(SF_FileText::toWhole("99999999999999999999").has_value());
  EXPECT_EQ(SF_FileText::toInt16("-32768"), -32768);
  EXPECT_FALSE(SF_FileText::toInt16("32768").has_value());
  EXPECT_EQ(SF_FileText::leadingNumber("  12.5abc"), 12.5);
  EXPECT_FALSE(SF_FileText::leadingNumber("abc").has_value());
  EXPECT_EQ(SF_FileText::columns("abcdef", 2, 4), "bcd");
  EXPECT_EQ(SF_FileText::columns("abc", 2, 9), "bc");
  EXPECT_EQ(SF_FileText::columns("abc", 5, 9), "");
}

TEST(FileText, ExactHalvesRoundAwayFromZero) {
  EXPECT_EQ(SF_FileText::level(0.125), ".13");
  EXPECT_EQ(SF_FileText::level(-0.125), "-.13");
  EXPECT_EQ(SF_FileText::level(72.625), "72.63");
  EXPECT_EQ(SF_FileText::level(-12.5), "-12.50");
  EXPECT_EQ(SF_FileText::level(100), "100.00");
  EXPECT_EQ(SF_FileText::fixed(30.0625, 3), "30.063");
  EXPECT_EQ(SF_FileText::fixed(0.5, 5), "0.50000");
  EXPECT_EQ(SF_FileText::fixed(-0.0004, 3), "0.000");
  // Levels are rounded as the decimals they were given as.
  EXPECT_EQ(SF_FileText::level(72.345), "72.35");
  EXPECT_EQ(SF_FileText::level(1.005), "1.01");
  EXPECT_EQ(SF_FileText::level(-0.015), "-.02");
  EXPECT_EQ(SF_FileText::level(99.995), "100.00");
  EXPECT_EQ(SF_FileText::level(9.994), "9.99");
  EXPECT_EQ(SF_FileText::level(0.004), ".00");
  EXPECT_EQ(SF_FileText::level(0.006), ".01");
  EXPECT_EQ(SF_FileText::fixed(1e20, 2), "100000000000000000000.00");
  EXPECT_EQ(SF_FileText::fixed(2.5, 0), "3");
}

TEST(FileText, ShortestTextsAreDecimalNotExponent) {
  EXPECT_EQ(SF_FileText::shortest(100000), "100000");
  EXPECT_EQ(SF_FileText::shortest(15000000), "15000000");
  EXPECT_EQ(SF_FileText::shortest(-2.5), "-2.5");
  EXPECT_EQ(SF_FileText::shortest(0.1f), "0.1");
  EXPECT_EQ(SF_FileText::shortest(0), "0");
  // Seven significant digits at most.
  EXPECT_EQ(SF_FileText::shortest(1.0000001f), "1");
  EXPECT_EQ(SF_FileText::shortest(123456789), "123456800");
  EXPECT_EQ(SF_FileText::shortest(0.00001f), "0.00001");
  EXPECT_EQ(SF_FileText::shortest(1e20f), "1E+20");
  EXPECT_EQ(SF_FileText::shortestDouble(250000), "250000");
  EXPECT_EQ(SF_FileText::shortestDouble(-1260.125), "-1260.125");
  EXPECT_EQ(SF_FileText::shortestDouble(0.1), "0.1");
  EXPECT_EQ(SF_FileText::shortestDouble(1e-7), "1E-07");
  EXPECT_EQ(SF_FileText::shortestDouble(0), "0");
}
