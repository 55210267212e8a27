#include "SF_LevelStatistics.h"

#include <algorithm>
#include <cmath>

#include "SF_Enums.h"

namespace {
constexpr double kInvalidLevel = static_cast<double>(SF_INVALID_LEVEL);
}

void SF_LevelStatistics::add(double level, double seconds) {
  if (!std::isfinite(level) || !std::isfinite(seconds) || !(seconds > 0.0)) return;
  if (records_.empty()) {
    max_ = min_ = level;
  } else {
    max_ = std::max(max_, level);
    min_ = std::min(min_, level);
    if (sorted_ && level > records_.back().level) sorted_ = false;
  }
  records_.push_back({level, seconds});
  seconds_ += seconds;
  energy_ += seconds * std::pow(10.0, level / 10.0);
}

double SF_LevelStatistics::Leq() const {
  if (records_.empty()) return kInvalidLevel;
  return 10.0 * std::log10(energy_ / seconds_);
}

double SF_LevelStatistics::Lmax() const { return records_.empty() ? kInvalidLevel : max_; }

double SF_LevelStatistics::Lmin() const { return records_.empty() ? kInvalidLevel : min_; }

double SF_LevelStatistics::SEL() const {
  if (records_.empty()) return kInvalidLevel;
  return Leq() + 10.0 * std::log10(seconds_);
}

void SF_LevelStatistics::sortLoudestFirst() const {
  if (sorted_) return;
  std::stable_sort(records_.begin(), records_.end(),
                   [](const Record& a, const Record& b) { return a.level > b.level; });
  sorted_ = true;
}

double SF_LevelStatistics::Ln(double n) const {
  if (records_.empty() || !(n > 0.0) || n > 100.0) return kInvalidLevel;
  sortLoudestFirst();
  // Compared as running·100 against n·T so that exact fractions of the run
  // (10 % of 3600 s of 0.5 s records) are reached exactly, not a record late.
  const double target = n * seconds_;
  const double slack = target * 1e-12;
  double running = 0.0;
  for (const Record& r : records_) {
    running += r.seconds;
    if (running * 100.0 >= target - slack) return r.level;
  }
  return records_.back().level;
}
