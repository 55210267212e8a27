#pragma once
// The noise map of a case: what the grid is computed from (every active
// piece of equipment placed on the site plan, with the level the equipment
// sheet selects and its usage), the plan's barriers as its shielding, the
// extent it covers by default, and the exact levels at one receiver (a
// receptor, or the point under the pointer) as the results sheet would show
// them there. The shielding the user typed for a link belongs to that link
// alone and takes no part in the map.

#include <cstdint>
#include <memory>

#include "site/cGridFrame.h"
#include "site/cGridInput.h"
#include "site/mGridKernel.h"

class cStudy;
class cGridJob;
class IGridShielding;

namespace mNoiseMap {

// The metric layer's code for the case: 2 when the case shows L10, else 1 (Leq).
std::int32_t caseMetric(const cStudy& study);

// A piece of equipment shown somewhere else than the study has it (being
// dragged on the plan, not yet dropped).
struct sMoving {
  std::int32_t equipmentID = 0;
  double x = 0, y = 0;
};

// A receiver height of 0 or less takes the default, 5 ft or 1.5 m.
cGridInput gridInput(const cStudy& study, double receiverHeight = 0, const sMoving* moving = nullptr);
// Null when the plan has no barrier.
std::shared_ptr<const IGridShielding> shielding(const cStudy& study, const cGridInput& input);

// The rectangle around every placed receptor and piece of equipment and
// every barrier, with a margin of a fifth of its longer side (at least 100 ft
// or 30 m) on each side. False when nothing is placed.
bool planExtent(const cStudy& study, double& xmin, double& ymin, double& xmax, double& ymax);
// The plan's extent in cells of the given size (0 or less: the default,
// the longer side over 500 cells); empty when nothing is placed.
cGridFrame defaultFrame(const cStudy& study, double cell = 0);

// The job that computes the case's map over the frame.
std::unique_ptr<cGridJob> job(const cStudy& study, const cGridFrame& frame, double receiverHeight = 0);

// The levels at one receiver, worked out as a receptor's links and totals
// are: at a placed receptor's position and height they equal its results.
mGridKernel::sLevels levelsAt(const cStudy& study, double x, double y, double height);

}  // namespace mNoiseMap
