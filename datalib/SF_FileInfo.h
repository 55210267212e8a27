#pragma once
// The file-information layer the data files rely on: the name reported for a
// path, the date and time of a named file, and the current date and time, the
// last two as "mm/dd/yyyy,hh:mm:ss" in local time. The writers share one
// instance; a host or a test may fix its clock so that written files repeat.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class SF_FileInfo {
public:
  // A local calendar date and time of day, whole seconds.
  struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
  };

  static SF_FileInfo& shared();

  // The name that identifies the file of a path: its last component.
  std::string fileName(const std::string& path) const;
  // "date,time" of the file's last modification; empty text when there is no such file.
  std::string fileDateTime(const std::string& path) const;
  // "date,time" of now, from the clock.
  std::string nowDateTime() const;

  // Replaces the system clock; an empty function restores it.
  void setClock(std::function<DateTime()> clock);
  DateTime now() const;

  static std::string dateText(const DateTime& when);   // mm/dd/yyyy
  static std::string timeText(const DateTime& when);   // hh:mm:ss
  static std::string dateTimeText(const DateTime& when);

  // Serial day numbers count whole days from 30 December 1899 (day 0).
  static double daySerial(int year, int month, int day);
  static DateTime fromDaySerial(double serial);

  // A date as m/d/yyyy (one or two digits for month and day; a two-digit year
  // means 1930 to 2029) or yyyy-mm-dd, blanks around it allowed: its serial day.
  static std::optional<double> parseDate(std::string_view text);
  // A time of day h:mm[:ss[.fff]] with an optional AM or PM: seconds after midnight.
  static std::optional<double> parseTime(std::string_view text);

private:
  std::function<DateTime()> clock_;
};
