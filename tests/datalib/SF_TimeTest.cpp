#include <functional>

#include <gtest/gtest.h>

#include "SF_DataError.h"
#include "SF_Time.h"

namespace {

const double kJuly4th2005 = 38537.0;  // 4 July 2005 as a date serial

SF_DataError::Kind errorKindOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const SF_DataError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "no SF_DataError raised";
  return SF_DataError::NoObject;
}

}  // namespace

TEST(SF_Time, TimeOfDayBeyondADayRollsOverByOneDayOnly) {
  SF_Time t;
  t.CurrentDate(kJuly4th2005);
  t.TODseconds(90000.25);
  EXPECT_EQ(t.TODseconds(), 3600.25);
  EXPECT_EQ(t.CurrentDate(), kJuly4th2005 + 1);

  t.TODseconds(86400.0 * 3 + 7.5);  // several days ahead still advances the date by one
  EXPECT_EQ(t.TODseconds(), 7.5);
  EXPECT_EQ(t.CurrentDate(), kJuly4th2005 + 2);
}

TEST(SF_Time, ExactlyOneDayIsKeptAndShownAsMidnight) {
  SF_Time t;
  t.TODseconds(86400.0);
  EXPECT_EQ(t.TODseconds(), 86400.0);
  EXPECT_EQ(t.CurrentDate(), 0.0);
  EXPECT_EQ(t.TODstring(), "00:00:00");
}

TEST(SF_Time, TimeTextShowsTheClockAndAnyFraction) {
  SF_Time t;
  t.TODseconds(45296.5);
  EXPECT_EQ(t.TODstring(), "12:34:56.5");
  t.TODseconds(45296.0);
  EXPECT_EQ(t.TODstring(), "12:34:56");
  t.TODseconds(3600.75);
  EXPECT_EQ(t.TODstring(), "01:00:00.75");
  t.TODseconds(86399.5);
  EXPECT_EQ(t.TODstring(), "23:59:59.5");
  // Half a second before midnight of the day: the clock wraps back a day.
  t.TODseconds(-0.5);
  EXPECT_EQ(t.TODstring(), "23:59:59.5");
  t.TODseconds(0.0);
  EXPECT_EQ(t.TODstring(), "00:00:00");
}

TEST(SF_Time, TimeTextIsReadWithTwelveHourMarksAndFractions) {
  SF_Time t;
  t.CurrentDate(kJuly4th2005);
  t.TODstring("12:30:00 PM");
  EXPECT_EQ(t.TODseconds(), 45000.0);
  t.TODstring("12:30:00 AM");
  EXPECT_EQ(t.TODseconds(), 1800.0);
  t.TODstring("1:05:07.25 pm");
  EXPECT_EQ(t.TODseconds(), 47107.25);
  t.TODstring("13:05:07 PM");  // already past noon: no 12 added
  EXPECT_EQ(t.TODseconds(), 47107.0);
  t.TODstring(" 7:5:3");
  EXPECT_EQ(t.TODseconds(), 7 * 3600 + 5 * 60 + 3);
  EXPECT_EQ(t.CurrentDate(), kJuly4th2005);
}

TEST(SF_Time, TimeTextFractionIsTakenInSinglePrecision) {
  SF_Time t;
  t.TODstring("00:00:00.1");
  EXPECT_EQ(t.TODseconds(), static_cast<double>(0.1f));
}

TEST(SF_Time, TimeTextWithoutTwoColonsRaises) {
  SF_Time t;
  t.TODseconds(5.0);
  EXPECT_EQ(errorKindOf([&] { t.TODstring("12:30"); }), SF_DataError::BadTimeText);
  EXPECT_EQ(errorKindOf([&] { t.TODstring(""); }), SF_DataError::BadTimeText);
  EXPECT_EQ(t.TODseconds(), 5.0);
}

TEST(SF_Time, TimeTextRoundTrips) {
  SF_Time a, b;
  a.TODseconds(45296.25);
  b.TODstring(a.TODstring());
  EXPECT_EQ(b.TODseconds(), 45296.25);
}

TEST(SF_Time, NumbersAreTakenInSinglePrecision) {
  SF_Time t;
  t.TODnumbers(1, 2, 3.5);
  EXPECT_EQ(t.TODseconds(), 3723.5);
  t.TODnumbers(0, 0, 0.1);
  EXPECT_EQ(t.TODseconds(), static_cast<double>(0.1f));
  t.TODnumbers(25, 0, 0);
  EXPECT_EQ(t.TODseconds(), 3600.0);
  EXPECT_EQ(t.CurrentDate(), 1.0);
}

TEST(SF_Time, RelativeTimeCountsWholeCalendarDays) {
  SF_Time ref, t;
  ref.CurrentDate(kJuly4th2005);
  ref.TODseconds(86390.0);  // 23:59:50
  t.CurrentDate(kJuly4th2005 + 1);
  t.TODseconds(10.0);  // 00:00:10 the next day
  t.setRelTime(ref);
  EXPECT_EQ(t.RelSeconds(), 20.0);

  t.CurrentDate(kJuly4th2005 + 2.75);  // the time of day in the date is ignored
  t.TODseconds(100.0);
  ref.CurrentDate(kJuly4th2005 + 0.5);
  ref.TODseconds(50.0);
  t.setRelTime(ref);
  EXPECT_EQ(t.RelSeconds(), 100.0 - 50.0 + 2 * 86400.0);

  t.CurrentDate(kJuly4th2005);
  t.setRelTime(ref);
  EXPECT_EQ(t.RelSeconds(), 50.0);

  ref.CurrentDate(kJuly4th2005 + 1);  // reference on the next day: negative
  t.setRelTime(ref);
  EXPECT_EQ(t.RelSeconds(), 100.0 - 50.0 - 86400.0);
}

TEST(SF_Time, RelativeTimeAcrossACenturyBoundary) {
  SF_Time ref, t;
  ref.CurrentDate(SF_Time::DateSerial(1929, 12, 31));
  ref.TODseconds(86390.0);
  t.CurrentDate(SF_Time::DateSerial(1930, 1, 1));
  t.TODseconds(10.0);
  t.setRelTime(ref);
  EXPECT_EQ(t.RelSeconds(), 20.0);
}

TEST(SF_Time, WorkingTimeFollowsTheMode) {
  SF_Time t;
  t.TODseconds(100.0);
  t.RelSeconds(-3.0);
  EXPECT_EQ(t.WorkingTime(), 100.0);
  t.setWorkingTime(SF_TIME_REF);
  EXPECT_EQ(t.WorkingTime(), -3.0);
}

TEST(SF_Time, CopyIsIndependent) {
  SF_Time t;
  t.CurrentDate(kJuly4th2005);
  t.TODseconds(12.5);
  t.RelSeconds(-7.0);
  t.setWorkingTime(SF_TIME_REF);
  auto c = t.Copy();
  EXPECT_EQ(c->CurrentDate(), kJuly4th2005);
  EXPECT_EQ(c->TODseconds(), 12.5);
  EXPECT_EQ(c->RelSeconds(), -7.0);
  EXPECT_EQ(c->WorkingTime(), -7.0);
  c->TODseconds(1.0);
  EXPECT_EQ(t.TODseconds(), 12.5);
}

TEST(SF_Time, DatesAsText) {
  double d = 0;
  ASSERT_TRUE(SF_Time::DateFromText("07/04/2005", d));
  EXPECT_EQ(d, kJuly4th2005);
  ASSERT_TRUE(SF_Time::DateFromText("7/4/05", d));
  EXPECT_EQ(d, kJuly4th2005);
  ASSERT_TRUE(SF_Time::DateFromText("1/1/30", d));
  EXPECT_EQ(d, SF_Time::DateSerial(1930, 1, 1));
  ASSERT_TRUE(SF_Time::DateFromText("02/29/2004", d));
  EXPECT_FALSE(SF_Time::DateFromText("02/29/2005", d));
  EXPECT_FALSE(SF_Time::DateFromText("13/01/2005", d));
  EXPECT_FALSE(SF_Time::DateFromText("2005-07-04", d));
  EXPECT_EQ(SF_Time::DateText(kJuly4th2005 + 0.75), "07/04/2005");
  EXPECT_EQ(SF_Time::DateText(0.0), "12/30/1899");
  EXPECT_EQ(SF_Time::DateText(-1.25), "12/29/1899");
  EXPECT_EQ(SF_Time::DateSerial(1900, 3, 1), 61.0);
}
