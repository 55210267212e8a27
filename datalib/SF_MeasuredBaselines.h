#pragma once
// Daytime, evening and nighttime baselines taken from an ambient noise
// measurement: the chosen statistic (Leq, L90 or L50) of the A-weighted level
// of the records that start in each of the default periods (day 07:00-19:00,
// evening 19:00-22:00, night 22:00-07:00), pooled over every day of the run.
// A period without records has no value, so the caller leaves that baseline
// as it was; the message says so.

#include <string>
#include <string_view>

enum SF_BASELINE_STATISTIC : int {
  SF_BASELINE_LEQ = 0,
  SF_BASELINE_L90 = 1,
  SF_BASELINE_L50 = 2
};

class SF_MeasuredBaselines {
public:
  // Reads the measurement file (either format, by content). False when it
  // cannot be read: no period has a value and Message() says why.
  bool read(const std::string& path, SF_BASELINE_STATISTIC statistic);

  // Periods by the time-period codes: 0 daytime, 1 evening, 2 nighttime.
  bool Has(int period) const;
  // The value in dBA to one decimal, as shown to the user and then stored;
  // 0 for a period without one.
  double Value(int period) const;

  // What was found, one line per period, and one for each period without
  // records or for a file that cannot be read.
  const std::string& Message() const { return message_; }

  static std::string_view StatisticName(SF_BASELINE_STATISTIC statistic);

private:
  bool has_[3] = {false, false, false};
  double values_[3] = {0.0, 0.0, 0.0};
  std::string message_;
};
