#pragma once
// A time stamp: a calendar day, a time of day in seconds and seconds relative
// to a reference instant. Times are shared by reference (std::shared_ptr);
// Copy makes an independent one.
//
// CurrentDate is a date serial in days (whole days and a fraction of a day)
// counted from 30 December 1899, the zero date; a day before it is negative.

#include <memory>
#include <string>
#include <string_view>

#include "SF_Enums.h"

class SF_Time {
public:
  std::shared_ptr<SF_Time> Copy() const;

  double RelSeconds() const { return relSeconds_; }
  void RelSeconds(double value) { relSeconds_ = value; }

  // RelSeconds = this time of day minus ref's, counting 86400 s for every
  // calendar day this stamp lies after ref's day.
  void setRelTime(const SF_Time& ref);

  // Sets the time of day from hours, minutes and seconds, each taken in single
  // precision first; beyond 86400 s the roll-over of TODseconds applies.
  void TODnumbers(double hours, double minutes, double seconds);

  double TODseconds() const { return todSeconds_; }
  // More than 86400 s rolls the time of day over and advances CurrentDate by
  // one day (one day only, however large the value); exactly 86400 stays.
  void TODseconds(double value);

  // RelSeconds in SF_TIME_REF mode, TODseconds otherwise.
  double WorkingTime() const { return mode_ == SF_TIME_REF ? relSeconds_ : todSeconds_; }

  // "hh:mm:ss" on the 24-hour clock, followed by the fraction of the seconds
  // when there is one ("12:34:56.5").
  std::string TODstring() const;
  // Reads "h:m:s" with an optional fraction of the seconds and an optional
  // "AM" or "PM" (any case). Throws SF_DataError (BadTimeText) for a text
  // without two colons. CurrentDate is not touched.
  void TODstring(std::string_view text);

  double CurrentDate() const { return currentDate_; }
  void CurrentDate(double value) { currentDate_ = value; }

  void setWorkingTime(SF_OPTIME mode) { mode_ = mode; }
  SF_OPTIME WorkingTimeMode() const { return mode_; }

  // Date serial of a "mm/dd/yyyy" text (month and day of one or two digits; a
  // two-digit year is 1930 to 2029). False for anything else.
  static bool DateFromText(std::string_view text, double& date);
  // The calendar day of a date serial as "mm/dd/yyyy".
  static std::string DateText(double date);
  // The date serial of a calendar day.
  static double DateSerial(int year, int month, int day);

private:
  double currentDate_ = 0.0;
  double todSeconds_ = 0.0;
  double relSeconds_ = 0.0;
  SF_OPTIME mode_ = SF_TIME_TOD;
};
