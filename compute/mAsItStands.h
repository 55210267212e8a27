#pragma once
// Receptors computed from the case as it stands, each with its own
// baselines, without touching the study's stored results, its current
// receptor or the baselines stamped in its criteria. The overview, the
// explanations and the remedies of every receptor start from here.

#include <cstdint>
#include <memory>
#include <vector>

class cReceptorRecord;
class cStudy;

namespace mAsItStands {

// A copy of the receptor computed exactly as selecting it would compute it:
// validated silently (the receptor, the equipment, its distances), then
// against its own baselines. Null when there is no such receptor or its
// input is incomplete, where selecting it would compute nothing either.
std::shared_ptr<cReceptorRecord> computeReceptor(cStudy& study, std::int32_t receptorID);

// The receptors named, in that order, as computeReceptor computes each; the
// work the receptors share is done once.
std::vector<std::shared_ptr<cReceptorRecord>> computeEach(cStudy& study, const std::vector<std::int32_t>& receptorIDs);

// Every receptor in order, element i-1 for receptor i; null where the
// receptor's input is incomplete.
std::vector<std::shared_ptr<cReceptorRecord>> computeAll(cStudy& study);

}  // namespace mAsItStands
