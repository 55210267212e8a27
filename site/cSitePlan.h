#pragma once
// The site plan of a case: the barriers, the coordinate reference system and
// the background image. The positions of receptors and equipment sit on
// their records (so that undo, deletion and renumbering carry them along);
// the study's receptorPosition/equipmentPosition read them.
//
// Every coordinate and height is in the case's units; convertUnits follows a
// change of units, as the link distances do.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "site/cBarrier.h"

// A picture under the plan, placed by an affine transform from pixel
// (column, row) to plan coordinates: x = t[0] + col*t[1] + row*t[2],
// y = t[3] + col*t[4] + row*t[5] (the layout of a world file's six terms).
struct cSiteBackground {
  std::string path;  // as the user chose it; relative paths are relative to the case
  std::array<double, 6> transform{0, 1, 0, 0, 0, -1};
  bool empty() const { return path.empty(); }
};

class cSitePlan {
public:
  std::vector<cBarrier> barriers;
  std::int32_t epsg = 0;  // 0: a local frame
  cSiteBackground background;
  // What the site file beside the case holds (its path and the plan's
  // fingerprint) since it was last read or written; empty when unknown.
  // Undo leaves it alone: it describes the file, not the plan.
  std::string savedFingerprint;

  // No barrier, no background and a local frame. Positions are not looked
  // at here: see mSitePlan::hasPlan.
  bool empty() const;
  // Converts barrier points, top heights and the background's transform
  // from feet to meters (toMeters) or back, with the factors the link
  // distances use.
  void convertUnits(bool toMeters);
};
