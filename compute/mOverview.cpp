#include "compute/mOverview.h"

#include "compute/mAsItStands.h"
#include "compute/mResultCells.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

using namespace mResultCells;

namespace {

mOverview::Worst cell(std::int32_t equipmentID, const Line& line, std::int32_t period, std::int32_t metric) {
  return {equipmentID, level(*line.calculated, metric), level(*line.lotLine[period], metric),
          level(*line.exceed[period], metric)};
}

bool exceeds(float exceedance) { return !isMarker(exceedance) && exceedance > 0.0f; }

// The Total unless a line exceeds by more; the first of equal ones.
void keepWorse(mOverview::Worst& worst, const mOverview::Worst& candidate) {
  if (exceeds(candidate.exceedance) && (!exceeds(worst.exceedance) || candidate.exceedance > worst.exceedance))
    worst = candidate;
}

}  // namespace

namespace mOverview {

ReceptorOverview receptorOverview(const cStudy& study, const cReceptorRecord& r, std::int32_t receptorID) {
  ReceptorOverview out;
  out.receptorID = receptorID;
  out.computed = true;
  const std::int32_t metric = caseMetric(study);
  const Line total = totalLine(r);
  for (std::int32_t p = 0; p < 3; ++p) {
    out.periods[p].lmax = cell(0, total, p, 0);
    out.periods[p].metric = cell(0, total, p, metric);
  }
  for (const auto& link : r.colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    if (!study.getEquipment(e, link->equipID) || !e->active || !link->results.computed) continue;
    const Line line = linkLine(link->results);
    for (std::int32_t p = 0; p < 3; ++p) {
      keepWorse(out.periods[p].lmax, cell(e->rowID, line, p, 0));
      keepWorse(out.periods[p].metric, cell(e->rowID, line, p, metric));
    }
  }
  return out;
}

std::vector<ReceptorOverview> overview(cStudy& study) {
  const auto computed = mAsItStands::computeAll(study);
  std::vector<ReceptorOverview> out;
  out.reserve(computed.size());
  for (std::size_t i = 0; i < computed.size(); ++i) {
    const auto id = static_cast<std::int32_t>(i + 1);
    if (computed[i]) {
      out.push_back(receptorOverview(study, *computed[i], id));
    } else {
      ReceptorOverview incomplete;
      incomplete.receptorID = id;
      out.push_back(incomplete);
    }
  }
  return out;
}

}  // namespace mOverview
