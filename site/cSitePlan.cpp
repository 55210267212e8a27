#include "site/cSitePlan.h"

#include "compute/mCompute.h"

bool cSitePlan::empty() const { return barriers.empty() && background.empty() && epsg == 0; }

void cSitePlan::convertUnits(bool toMeters) {
  const auto convert = [toMeters](double v) {
    return toMeters ? mCompute::feetToMeters(v) : mCompute::metersToFeet(v);
  };
  for (cBarrier& barrier : barriers) {
    for (cSitePoint& p : barrier.points) {
      p.x = convert(p.x);
      p.y = convert(p.y);
    }
    barrier.topHeight = convert(barrier.topHeight);
  }
  // Pixels stay pixels: every term of the transform is a length in plan units.
  for (double& t : background.transform) t = convert(t);
}
