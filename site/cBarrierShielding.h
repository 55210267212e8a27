#pragma once
// The site plan's barriers as the noise map's shielding: the attenuation of
// every pair is the plan's own (mSiteGeometry::barrierShielding), asked only
// of the barriers that can cross a line from the piece into the tile of
// cells concerned. A barrier can cross such a line only where it meets the
// convex hull of the piece and the tile, which a separating-axis test tells
// cheaply and without ever missing a crossing.

#include <cstdint>
#include <memory>
#include <vector>

#include "site/IGridShielding.h"
#include "site/cBarrier.h"
#include "site/cSitePosition.h"

class cBarrierShielding : public IGridShielding {
public:
  // pieces: the positions of the grid input's pieces, in its order.
  cBarrierShielding(std::vector<cBarrier> barriers, std::vector<cSitePosition> pieces, std::int32_t units);

  std::unique_ptr<cTile> tile(std::size_t piece, double xmin, double ymin, double xmax, double ymax) const override;
  double attenuation(std::size_t piece, double x, double y, double height) const override;

private:
  std::vector<cBarrier> barriers_;
  std::vector<cSitePosition> pieces_;
  std::int32_t units_;
};
