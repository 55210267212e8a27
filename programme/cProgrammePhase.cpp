#include "programme/cProgrammePhase.h"

namespace {

constexpr const char* periodNames[3] = {"Day", "Evening", "Night"};

}  // namespace

bool cProgrammePhase::worksIn(std::int32_t week, std::int32_t period) const {
  return period >= 0 && period < 3 && periods[period] && week >= firstWeek && week <= lastWeek;
}

std::string cProgrammePhase::periodsText() const {
  std::string out;
  for (int p = 0; p < 3; ++p) {
    if (!periods[p]) continue;
    if (!out.empty()) out += '+';
    out += periodNames[p];
  }
  return out.empty() ? "None" : out;
}

bool cProgrammePhase::validWeeks(std::int32_t first, std::int32_t last) {
  return first >= firstWeekAllowed && last <= lastWeekAllowed && first <= last;
}
