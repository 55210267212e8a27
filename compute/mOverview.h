#pragma once
// Every receptor of the case with its worst exceedance per period, for Lmax
// and for the case's metric: where the case exceeds its limits, at a glance.
// Worst means the largest exceedance among the Total and the active pieces
// of equipment, each against its own limits (an impact device's own limit
// may be exceeded while the Total's is not).

#include <cstdint>
#include <string>
#include <vector>

class cReceptorRecord;
class cStudy;

namespace mOverview {

// One metric of one period: the level and limit of the line with the worst
// exceedance, or of the Total when nothing exceeds its limit.
struct Worst {
  std::int32_t equipmentID = 0;  // 0: the Total
  float level = 0.0f;
  float limit = 0.0f;       // a level, valueNA or valueExempt
  float exceedance = 0.0f;  // a level above 0, valueNone, valueNA or valueExempt
};

struct PeriodWorst {
  Worst lmax;
  Worst metric;  // the case's metric, Leq or L10
};

struct ReceptorOverview {
  std::int32_t receptorID = 0;
  bool computed = false;  // false: the receptor's input is incomplete, nothing below holds
  PeriodWorst periods[3]; // day, evening, night
};

// The overview of one receptor from its computed results.
ReceptorOverview receptorOverview(const cStudy& study, const cReceptorRecord& computed, std::int32_t receptorID);

// Every receptor in order, each computed with its own baselines from the case
// as it stands; the study's stored results and current receptor stay as
// they are.
std::vector<ReceptorOverview> overview(cStudy& study);

}  // namespace mOverview
