#include "programme/cProgrammeResults.h"

#include <limits>

#include "study/mMarkers.h"

namespace {

const cProgrammeResults::Cell kNoPhase{};
const std::vector<std::size_t> kNoPhases;

// How bad a week is: its larger exceedance when a limit is exceeded, else
// (ranked below every exceedance) its metric level, then its Lmax.
struct Badness {
  bool over = false;
  double excess = 0.0;
  double level = -std::numeric_limits<double>::infinity();
  double lmax = 0.0;

  bool worseThan(const Badness& b) const {
    if (over != b.over) return over;
    if (over) return excess > b.excess;
    if (level != b.level) return level > b.level;
    return lmax > b.lmax;
  }
};

Badness badness(const cProgrammeResults::Cell& c) {
  Badness b;
  const bool lmaxOver = cProgrammeResults::exceeds(c.lmaxExceedance);
  const bool metricOver = cProgrammeResults::exceeds(c.exceedance);
  b.over = lmaxOver || metricOver;
  if (lmaxOver) b.excess = c.lmaxExceedance;
  if (metricOver && (!lmaxOver || c.exceedance > b.excess)) b.excess = c.exceedance;
  if (c.hasLevel) b.level = c.level;
  b.lmax = c.lmax;
  return b;
}

}  // namespace

bool cProgrammeResults::exceeds(float exceedance) { return !isMarker(exceedance) && exceedance > 0.0f; }

const cProgrammeResults::Cell& cProgrammeResults::cell(std::size_t receptor, std::int32_t week,
                                                       std::int32_t period) const {
  if (week < 1 || week > weekCount || period < 0 || period > 2 || receptor >= receptors.size()) return kNoPhase;
  const std::int32_t c = combinationOf[static_cast<std::size_t>((week - 1) * 3 + period)];
  if (c < 0) return kNoPhase;
  return cells[static_cast<std::size_t>(c) * receptors.size() + receptor];
}

const std::vector<std::size_t>& cProgrammeResults::workingPhases(std::int32_t week, std::int32_t period) const {
  if (week < 1 || week > weekCount || period < 0 || period > 2) return kNoPhases;
  const std::int32_t c = combinationOf[static_cast<std::size_t>((week - 1) * 3 + period)];
  return c < 0 ? kNoPhases : combinations[static_cast<std::size_t>(c)];
}

std::string cProgrammeResults::phasesText(std::int32_t week, std::int32_t period) const {
  std::string out;
  for (std::size_t k : workingPhases(week, period)) {
    if (!out.empty()) out += '+';
    out += k < phaseNames.size() ? phaseNames[k] : std::string();
  }
  return out;
}

cProgrammeResults::Summary cProgrammeResults::summary(std::size_t receptor, std::int32_t period) const {
  Summary s;
  Badness worst;
  for (std::int32_t week = 1; week <= weekCount; ++week) {
    const Cell& c = cell(receptor, week, period);
    if (c.state != State::computed) continue;
    const Badness b = badness(c);
    if (s.worstWeek == 0 || b.worseThan(worst)) {
      s.worstWeek = week;
      worst = b;
    }
    const bool lmaxOver = exceeds(c.lmaxExceedance);
    const bool metricOver = exceeds(c.exceedance);
    if (lmaxOver) ++s.weeksOverLmax;
    if (metricOver) ++s.weeksOverMetric;
    if (lmaxOver || metricOver) {
      if (s.firstWeekOver == 0) s.firstWeekOver = week;
      s.lastWeekOver = week;
    }
  }
  return s;
}
