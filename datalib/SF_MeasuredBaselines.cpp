#include "SF_MeasuredBaselines.h"

#include <cmath>

#include "SF_FileInfo.h"
#include "SF_FileText.h"
#include "SF_PeriodLevels.h"

namespace {

constexpr const char* kPeriodNames[3] = {"daytime", "evening", "nighttime"};
constexpr const char* kPeriodCaptions[3] = {"Daytime", "Evening", "Nighttime"};

double statisticOf(const SF_LevelStatistics& s, SF_BASELINE_STATISTIC statistic) {
  switch (statistic) {
    case SF_BASELINE_L90: return s.Ln(90);
    case SF_BASELINE_L50: return s.Ln(50);
    case SF_BASELINE_LEQ: break;
  }
  return s.Leq();
}

}  // namespace

std::string_view SF_MeasuredBaselines::StatisticName(SF_BASELINE_STATISTIC statistic) {
  switch (statistic) {
    case SF_BASELINE_L90: return "L90";
    case SF_BASELINE_L50: return "L50";
    case SF_BASELINE_LEQ: break;
  }
  return "Leq";
}

bool SF_MeasuredBaselines::Has(int period) const { return period >= 0 && period < 3 && has_[period]; }

double SF_MeasuredBaselines::Value(int period) const { return Has(period) ? values_[period] : 0.0; }

bool SF_MeasuredBaselines::read(const std::string& path, SF_BASELINE_STATISTIC statistic) {
  for (int p = 0; p < 3; ++p) {
    has_[p] = false;
    values_[p] = 0.0;
  }
  const std::string name = SF_FileInfo::shared().fileName(path);
  SF_PeriodLevels levels(SF_WEIGHTING_A, SF_Periods::Default());
  if (!levels.compute(path)) {
    message_ = "The measurement file " + name + " cannot be used: it " + levels.Error() + ".";
    return false;
  }
  message_ = std::string(StatisticName(statistic)) + ", A-weighted, from " + name + ":";
  std::string missing;
  for (int p = 0; p < 3; ++p) {
    const SF_LevelStatistics& s = levels.Statistics(static_cast<std::size_t>(p));
    const SF_Period& period = levels.Periods().Period(static_cast<std::size_t>(p));
    if (s.Empty()) {
      missing += "\nNo record of the measurement falls in the " + std::string(kPeriodNames[p]) + " (" +
                 SF_Periods::ClockText(period.start) + "-" + SF_Periods::ClockText(period.end) + "); its baseline is left as it was.";
      continue;
    }
    // The value stored is the one shown, to the tenth of a decibel.
    values_[p] = std::round(statisticOf(s, statistic) * 10.0) / 10.0;
    has_[p] = true;
    message_ += "\n" + std::string(kPeriodCaptions[p]) + " " + SF_FileText::fixed(values_[p], 1) + " dBA";
  }
  message_ += missing;
  return true;
}
