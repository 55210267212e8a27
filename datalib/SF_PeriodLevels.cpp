#include "SF_PeriodLevels.h"

#include <cmath>

#include "SF_Enums.h"
#include "SF_MeasurementReader.h"

namespace {
constexpr double kDay = 86400.0;
}

SF_PeriodLevels::SF_PeriodLevels(SF_WEIGHTING weighting, SF_Periods periods)
    : weighting_(weighting), periods_(std::move(periods)), statistics_(periods_.Count()) {}

void SF_PeriodLevels::reset() {
  statistics_.assign(periods_.Count(), SF_LevelStatistics());
  records_ = withoutLevel_ = days_ = 0;
  runStart_ = runEnd_ = 0.0;
}

bool SF_PeriodLevels::compute(const std::string& path, const std::function<void(double)>& progress) {
  SF_MeasurementReader reader;
  if (!reader.open(path)) {
    reset();
    error_ = reader.Error();
    return false;
  }
  return compute(reader, progress);
}

bool SF_PeriodLevels::compute(SF_MeasurementReader& reader, const std::function<void(double)>& progress) {
  reset();
  error_.clear();
  const std::size_t periods = periods_.Count();
  const bool ok = reader.forEachRecord(
      [&](const SF_MeasuredRecord& r) {
        if (records_ == 0) runStart_ = r.start;
        ++records_;
        const double end = r.start + r.seconds;
        runEnd_ = end - kDay * std::floor(end / kDay);
        days_ = static_cast<long>(std::floor((static_cast<double>(r.day) * kDay + end) / kDay)) + 1;
        if (runEnd_ == 0.0) --days_;  // a run that ends at midnight does not reach into the next day
        const double level = weighting_.Level(r.lowBand, r.levels, r.bands);
        if (level == static_cast<double>(SF_INVALID_LEVEL)) {
          ++withoutLevel_;
          return;
        }
        for (std::size_t i = 0; i < periods; ++i)
          if (periods_.Contains(i, r.start)) statistics_[i].add(level, r.seconds);
      },
      progress);
  if (!ok) {
    reset();
    error_ = reader.Error();
  }
  return ok;
}
