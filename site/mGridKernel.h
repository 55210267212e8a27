#pragma once
// The arithmetic of the noise map.
//
// The cells: per piece an energy weight is worked out once (its reference
// level, usage and the 50-ft reference distance folded together, relative to
// the loudest piece so that no weight under- or overflows a float); per cell
// the grid sums weight / d^2 (the metric) and keeps the largest (Lmax), and
// takes one logarithm per layer at the end. The inner loop over a row has no
// branch and works on four cells at a time. Cells where a barrier may stand
// between a piece and the cell take the barrier's attenuation on that pair.
//
// One receiver: the same levels worked out exactly as a receptor's link and
// totals are, with every rounding to a 32-bit float where the stored results
// round, so a receptor's levels from the map's inputs equal the results
// sheet's to the bit.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "site/cGridFrame.h"
#include "site/cGridInput.h"

class cNoiseGrid;
class IGridShielding;

namespace mGridKernel {

// One piece as the cells see it: its position relative to the grid's
// north-west corner (x east, y south), and its weights.
struct sKernelPiece {
  std::size_t index = 0;  // in the input's pieces
  float x = 0, y = 0;
  float dz2 = 0;  // squared height difference to the receiver
  float wLmax = 0, wMetric = 0;
};

struct sKernel {
  std::vector<sKernelPiece> pieces;
  float lmaxOffset = 0;    // dB added to 10 lg of the Lmax weight sum
  float metricOffset = 0;  // the same for the metric (the L10 adjustment included)
  float minD2 = 0;         // the shortest distance, squared
  double receiverHeight = 0;
};

// The weights of the pieces for this grid and metric (1 Leq, 2 L10). Pieces
// with a marker or non-finite level, or a usage not above 0, take no part,
// as their links would not be computed.
sKernel prepare(const cGridInput& input, const cGridFrame& frame, std::int32_t metric);

// Rows [firstRow, lastRow) of the grid (already reset to frame), with the
// shielding where one is given. Different row ranges may be computed at
// once from different threads.
void computeRows(const sKernel& kernel, const cGridFrame& frame, const IGridShielding* shielding,
                 std::int32_t firstRow, std::int32_t lastRow, cNoiseGrid& grid);

// Rows are handed out in bands of this many, and shielding is asked for
// tiles of this many cells square.
inline constexpr std::int32_t tileSize = 32;

// The levels of one link and of a receiver in total, exactly as the
// receptor's computation stores them.
struct sLevels {
  float lmax = 0, leq = 0, l10 = 0;
};
// Distance in the case's units, shielding in dB; nothing where the link
// would not be computed (distance or usage not above 0, a level beyond the
// float range).
std::optional<sLevels> linkLevels(float lref, float usage, float distance, float shielding, std::int32_t units,
                                  float adjustmentFactor);
// The totals of the computed links of the active pieces: the loudest Lmax
// (0 when none is above 0) and the energy sums of Leq and L10, rounded to a
// float after each addition. Without any link, Leq and L10 are noData.
sLevels totals(const std::vector<sLevels>& links);

// The levels at one receiver from the input's pieces, with the distances
// of the plan (slant, not under the shortest distance, and the shielding where one
// is given, both kept to 7 digits as a link holds them).
sLevels levelsAt(const cGridInput& input, double x, double y, double height, const IGridShielding* shielding);

}  // namespace mGridKernel
