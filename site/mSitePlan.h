#pragma once
// The site plan applied to the study: the one place where positions and
// barriers become link distances and shieldings, used by the window and the
// batch tool alike, and the plan's edits as study operations (one undo step
// each, then the selected receptor is recomputed as after any edit).

#include <cstdint>
#include <optional>
#include <string>

#include "site/cBarrier.h"
#include "site/cSitePosition.h"

class cStudy;
class cReceptorRecord;
class cLinkRecord;

namespace mSitePlan {

// Where a link's distance and shielding come from.
struct sLinkSource {
  bool distanceFromPlan = false;   // both ends are placed
  bool shieldingFromPlan = false;  // placed, the plan has barriers, not kept typed
  int barrier = -1;                // the shielding barrier's index, -1 when none shields
};

// True when the case has a site plan: a placed receptor or piece of
// equipment, a barrier, a background or a named frame.
bool hasPlan(const cStudy& study);

sLinkSource linkSource(const cStudy& study, const cReceptorRecord& receptor, const cLinkRecord& link);

// The tool tips of a link's distance and shielding cells: empty when typed.
std::string distanceTip(const sLinkSource& source);
std::string shieldingTip(const cStudy& study, const sLinkSource& source);

// Sets the distance (and, where the plan has barriers, the shielding) of
// every link whose two ends are placed; links with an end not placed keep
// their typed values. Returns the number of links changed.
int applyToLinks(cStudy& study);
// The same for the links of one receptor or of one piece of equipment.
int applyToReceptor(cStudy& study, std::int32_t receptorID);
int applyToEquipment(cStudy& study, std::int32_t equipmentID);

// Follows a change of units: positions, barriers and the background.
void convertPositions(cStudy& study, bool toMeters);

// Edits from the plan view: each takes one undo snapshot, marks the case
// changed, applies the plan to the links concerned and recomputes the
// selected receptor. A position of nullopt removes the piece from the plan
// (its links keep the distances last computed, now typed). False when no
// record has that ID.
bool placeReceptor(cStudy& study, std::int32_t receptorID, std::optional<cSitePosition> position);
bool placeEquipment(cStudy& study, std::int32_t equipmentID, std::optional<cSitePosition> position);
// Adds a barrier, or removes barrier `index`; every placed link follows.
void addBarrier(cStudy& study, cBarrier barrier);
bool removeBarrier(cStudy& study, std::size_t index);
// Moves corner `point` of barrier `index`; every placed link follows. False
// when there is no such corner or the point is not finite.
bool moveBarrierPoint(cStudy& study, std::size_t index, std::size_t point, cSitePoint to);
// Keeps a link's shielding typed (true) or gives it back to the plan.
bool setTypedShielding(cStudy& study, std::int32_t receptorID, std::int32_t equipmentID, bool typed);

// A text that changes whenever anything saved in the site file changes:
// lets Save leave an unedited site file alone.
std::string fingerprint(const cStudy& study);

}  // namespace mSitePlan
