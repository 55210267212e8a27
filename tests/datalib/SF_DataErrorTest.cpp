#include <cmath>

#include <gtest/gtest.h>

#include "SF_DataError.h"
#include "SF_Enums.h"

TEST(SF_DataError, SixteenBitNumbersRoundHalvesToEvenAndRaiseOnOverflow) {
  EXPECT_EQ(SF_ToInt16(2.5), 2);
  EXPECT_EQ(SF_ToInt16(3.5), 4);
  EXPECT_EQ(SF_ToInt16(-32768.0), -32768);
  EXPECT_EQ(SF_ToInt16(32767.4), 32767);
  EXPECT_THROW(SF_ToInt16(32767.5), SF_DataError);
  EXPECT_THROW(SF_ToInt16(std::nan("")), SF_DataError);
  EXPECT_EQ(SF_ToInt16(32767LL), 32767);
  EXPECT_THROW(SF_ToInt16(-32769LL), SF_DataError);
  try {
    SF_ToInt16(40000LL);
  } catch (const SF_DataError& e) {
    EXPECT_EQ(e.kind(), SF_DataError::Overflow);
  }
}

TEST(SF_DataError, SinglePrecisionRange) {
  EXPECT_EQ(SF_ToSingle(0.1), 0.1f);
  EXPECT_EQ(SF_ToSingle(3.4e38), 3.4e38f);
  EXPECT_THROW(SF_ToSingle(1e39), SF_DataError);
  EXPECT_THROW(SF_ToSingle(-INFINITY), SF_DataError);
  EXPECT_TRUE(std::isnan(SF_ToSingle(std::nan(""))));
}

TEST(SF_Enums, ValuesAndTextNames) {
  EXPECT_EQ(SF_NA, 99);
  EXPECT_EQ(SF_INVALID_LEVEL, 9999);
  EXPECT_EQ(SF_INTEG_2ND, 8);
  EXPECT_EQ(SF_AverageMethodName(SF_4S100), "4S100");
  EXPECT_EQ(SF_TimeStampTypeName(SF_ICAOSLO), "ICAOSLO");
  EXPECT_EQ(SF_RefTimeTypeName(SF_START_REF), "START");
  EXPECT_EQ(SF_MetricTypeName(SF_METRIC_TONECOR), "TONECOR");
  EXPECT_EQ(SF_MetricTypeName(0), "");
  EXPECT_EQ(SF_MetricTypeName(11), "");
  SF_RefTimeType r = SF_OTHER;
  EXPECT_FALSE(SF_RefTimeTypeFromName("start", r));
  EXPECT_EQ(r, SF_OTHER);
  EXPECT_TRUE(SF_RefTimeTypeFromName("START", r));
  EXPECT_EQ(r, SF_START_REF);
  EXPECT_EQ(SF_TimeStampOffset(SF_OLDSLO), 1.0);
  EXPECT_EQ(SF_TimeStampOffset(SF_ICAOSLO), 0.75);
}
