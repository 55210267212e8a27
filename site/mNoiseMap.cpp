#include "site/mNoiseMap.h"

#include <algorithm>
#include <cmath>

#include "site/cBarrierShielding.h"
#include "site/cGridJob.h"
#include "study/cStudy.h"

namespace mNoiseMap {

std::int32_t caseMetric(const cStudy& study) { return study.NoiseMetric == 2 ? 2 : 1; }

cGridInput gridInput(const cStudy& study, double receiverHeight, const sMoving* moving) {
  cGridInput in;
  in.units = study.units;
  in.adjustmentFactor = study.adjustmentFactor;
  in.receiverHeight = receiverHeight > 0 ? receiverHeight : cGridInput::defaultReceiverHeight(study.units);
  for (const auto& e : study.colEquipment) {
    if (!e->active || !e->position) continue;
    sGridPiece p;
    p.x = e->position->x;
    p.y = e->position->y;
    p.height = e->position->height;
    if (moving && moving->equipmentID == e->rowID) {
      p.x = moving->x;
      p.y = moving->y;
    }
    p.lref = e->spec_select ? e->spec_lmax : e->actual_lmax;
    p.usage = e->usage;
    in.pieces.push_back(p);
  }
  return in;
}

std::shared_ptr<const IGridShielding> shielding(const cStudy& study, const cGridInput& input) {
  if (study.sitePlan.barriers.empty()) return nullptr;
  std::vector<cSitePosition> pieces;
  pieces.reserve(input.pieces.size());
  for (const auto& p : input.pieces) pieces.push_back({p.x, p.y, p.height});
  return std::make_shared<cBarrierShielding>(study.sitePlan.barriers, std::move(pieces), study.units);
}

bool planExtent(const cStudy& study, double& xmin, double& ymin, double& xmax, double& ymax) {
  bool any = false;
  xmin = ymin = HUGE_VAL;
  xmax = ymax = -HUGE_VAL;
  auto add = [&](double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    xmin = std::min(xmin, x);
    xmax = std::max(xmax, x);
    ymin = std::min(ymin, y);
    ymax = std::max(ymax, y);
    any = true;
  };
  for (const auto& r : study.colReceptors)
    if (r->position) add(r->position->x, r->position->y);
  for (const auto& e : study.colEquipment)
    if (e->position) add(e->position->x, e->position->y);
  for (const auto& b : study.sitePlan.barriers)
    for (const auto& p : b.points) add(p.x, p.y);
  if (!any) return false;
  const double least = study.units == 0 ? 100.0 : 30.0;
  const double margin = std::max(least, 0.2 * std::max(xmax - xmin, ymax - ymin));
  xmin -= margin;
  ymin -= margin;
  xmax += margin;
  ymax += margin;
  return true;
}

cGridFrame defaultFrame(const cStudy& study, double cell) {
  double x0, y0, x1, y1;
  if (!planExtent(study, x0, y0, x1, y1)) return cGridFrame{};
  return cGridFrame::covering(x0, y0, x1, y1, cell);
}

std::unique_ptr<cGridJob> job(const cStudy& study, const cGridFrame& frame, double receiverHeight) {
  cGridInput in = gridInput(study, receiverHeight);
  auto s = shielding(study, in);
  return std::make_unique<cGridJob>(std::move(in), frame, caseMetric(study), std::move(s));
}

mGridKernel::sLevels levelsAt(const cStudy& study, double x, double y, double height) {
  const cGridInput in = gridInput(study, height);
  const auto s = shielding(study, in);
  return mGridKernel::levelsAt(in, x, y, height, s.get());
}

}  // namespace mNoiseMap
