#pragma once
// The clock-time periods a measurement is summarised over: the day, evening
// and night of a noise study by default, periods of the user's own, or the
// whole run as one period. A period runs from its start to its end time of
// day, across midnight when the end comes first; it holds the records that
// start inside it, on whatever day of the run.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct SF_Period {
  std::string name;
  double start = 0.0;  // seconds after midnight, 0 to 86400
  double end = 0.0;    // the same; equal to start for a period of a whole day
  bool wholeRun = false;  // every record of the run, whatever its time
};

class SF_Periods {
public:
  // Day 07:00-19:00, Evening 19:00-22:00, Night 22:00-07:00.
  static SF_Periods Default();
  // One period named "Whole" holding every record.
  static SF_Periods WholeRun();

  // "DEFAULT" or "whole" (either case), or "NAME=HH:MM-HH:MM" items separated
  // by commas (seconds ":SS" allowed, 24:00 for midnight). False with a
  // one-line reason for any other text; periods is then left as it was.
  static bool Parse(std::string_view text, SF_Periods& periods, std::string& error);

  // Adds a clock-time period; its times are taken modulo a day.
  void add(std::string name, double start, double end);

  std::size_t Count() const { return periods_.size(); }
  const SF_Period& Period(std::size_t i) const { return periods_.at(i); }

  // True when a record starting at this time of day (seconds after midnight)
  // belongs to period i.
  bool Contains(std::size_t i, double timeOfDay) const;

  // "07:00" for 25200 seconds, "07:00:30" when there are seconds, "24:00" for 86400.
  static std::string ClockText(double seconds);

private:
  std::vector<SF_Period> periods_;
};
