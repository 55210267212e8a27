#pragma once
// The statistics over time of a measurement file in each of a set of periods:
// every record's weighted level, held for the record's duration, goes to each
// period in which the record starts (records of every day pooled).

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "SF_LevelStatistics.h"
#include "SF_Periods.h"
#include "SF_Weighting.h"

class SF_MeasurementReader;

class SF_PeriodLevels {
public:
  SF_PeriodLevels(SF_WEIGHTING weighting, SF_Periods periods);

  // Opens the file by its content and reads every record. False, with
  // Error() (a phrase to follow the file's name), when it cannot be read;
  // nothing read so far is kept then.
  bool compute(const std::string& path, const std::function<void(double)>& progress = {});
  // The same over a reader already opened.
  bool compute(SF_MeasurementReader& reader, const std::function<void(double)>& progress = {});

  const std::string& Error() const { return error_; }
  const SF_Periods& Periods() const { return periods_; }
  SF_WEIGHTING Weighting() const { return weighting_.Type(); }
  const SF_LevelStatistics& Statistics(std::size_t period) const { return statistics_.at(period); }

  // The run as read: records, those without a valid band level (left out of
  // every period), the time of day the first record starts and the last one
  // ends, and the days it spans.
  long Records() const { return records_; }
  long RecordsWithoutLevel() const { return withoutLevel_; }
  double RunStart() const { return runStart_; }
  double RunEnd() const { return runEnd_; }
  long Days() const { return days_; }

private:
  void reset();

  SF_Weighting weighting_;
  SF_Periods periods_;
  std::vector<SF_LevelStatistics> statistics_;
  std::string error_;
  long records_ = 0;
  long withoutLevel_ = 0;
  double runStart_ = 0.0;
  double runEnd_ = 0.0;
  long days_ = 0;
};
