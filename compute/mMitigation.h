#pragma once
// What it would take to comply: for each exceeded limit of a receptor, the
// extra shielding, the largest usage and the smallest distance that bring the
// level within the limit, and one of them applied to the case as one
// undoable edit.
//
// Each remedy is worked out in closed form from the computation's own
// formulas (Lmax from the reference level, distance and shielding; Leq from
// Lmax and usage; L10 from Leq), then settled on the step it is shown in
// (0.1 dB, 1 %, 0.1 ft or m) against the computation itself, so a remedy as
// shown, once applied, does bring the level within the limit.

#include <cstdint>
#include <optional>
#include <vector>

class cReceptorRecord;
class cStudy;

namespace mMitigation {

enum class Remedy { shielding, usage, distance };

// One exceeded limit of one line (a piece of equipment or the Total).
struct Need {
  std::int32_t receptorID = 0;
  std::int32_t equipmentID = 0;  // 0: the Total
  std::int32_t period = 0;       // 0 day, 1 evening, 2 night
  std::int32_t metric = 0;       // 0 Lmax, 1 Leq, 2 L10
  float level = 0.0f;
  float limit = 0.0f;
  // Extra shielding in dB, a multiple of 0.1: on the piece, or for the
  // Total on every active piece.
  std::optional<double> shielding;
  // The largest usage in whole percent, for Leq and L10 of a piece (usage
  // does not change Lmax); 0 when not even 1 % complies.
  std::optional<double> maxUsage;
  // The smallest distance in the case's units, a multiple of 0.1; a piece only.
  std::optional<double> minDistance;
};

// Every exceeded limit of a computed receptor, for Lmax and the case's
// metric: the active pieces in link order, then the Total; within each,
// day, evening, night, and Lmax before the metric. Lines within their limit
// or without one (N/A, Exempt) have none. `computed` is the selected
// receptor's stored record, or one from mAsItStands for any other. The study
// is used to check the remedies and is left as it was.
std::vector<Need> needs(cStudy& study, const cReceptorRecord& computed, std::int32_t receptorID);

// Applies one remedy of a need of the selected receptor as one undoable
// edit: an undo snapshot, the change, the recomputation and redisplay. False,
// with nothing changed, when the need is not of the selected receptor or
// the remedy does not apply to it.
bool apply(cStudy& study, const Need& need, Remedy remedy);

}  // namespace mMitigation
