#include "site/mSiteGeometry.h"

#include <algorithm>
#include <cmath>

#include "compute/mCompute.h"

namespace mSiteGeometry {
namespace {

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// The fraction along s->r at which the closed segment s->r meets the closed
// segment p->q, or a negative value when they do not meet or are parallel.
double crossingFraction(double sx, double sy, double rx, double ry, const cSitePoint& p,
                        const cSitePoint& q) {
  const double dx = rx - sx, dy = ry - sy;
  const double ex = q.x - p.x, ey = q.y - p.y;
  const double denom = cross(dx, dy, ex, ey);
  if (denom == 0) return -1;  // parallel or along the line: no single crossing
  const double wx = p.x - sx, wy = p.y - sy;
  const double t = cross(wx, wy, ex, ey) / denom;
  const double u = cross(wx, wy, dx, dy) / denom;
  if (t < 0 || t > 1 || u < 0 || u > 1) return -1;
  return t;
}

cSitePosition scaled(const cSitePosition& p, double k) { return {p.x * k, p.y * k, p.height * k}; }

}  // namespace

double linkDistance(const cSitePosition& a, const cSitePosition& b) {
  const double dx = b.x - a.x, dy = b.y - a.y, dh = b.height - a.height;
  return std::sqrt(dx * dx + dy * dy + dh * dh);
}

double pathDifference(const cSitePosition& source, const cSitePosition& receiver, double t,
                      double topHeight) {
  const double plan = std::hypot(receiver.x - source.x, receiver.y - source.y);
  const double sightHeight = source.height + t * (receiver.height - source.height);
  if (sightHeight >= topHeight) return 0;
  const double toTop = std::hypot(t * plan, topHeight - source.height);
  const double fromTop = std::hypot((1 - t) * plan, topHeight - receiver.height);
  return toTop + fromTop - linkDistance(source, receiver);
}

double diffractionAttenuation(double z) {
  if (!(z > 0)) return 0;
  return std::min(kMaxAttenuation, 10.0 * std::log10(3.0 + 20.0 * z / kWavelength));
}

sShielding barrierShielding(const std::vector<cBarrier>& barriers, const cSitePosition& source,
                            const cSitePosition& receiver, std::int32_t units) {
  sShielding best;
  const double k = units == 0 ? mCompute::feetToMeters(1.0) : 1.0;
  const cSitePosition s = scaled(source, k), r = scaled(receiver, k);
  if (s.x == r.x && s.y == r.y) return best;  // one above the other: no line in plan
  for (std::size_t b = 0; b < barriers.size(); ++b) {
    const cBarrier& barrier = barriers[b];
    for (std::size_t i = 1; i < barrier.points.size(); ++i) {
      const cSitePoint p{barrier.points[i - 1].x * k, barrier.points[i - 1].y * k};
      const cSitePoint q{barrier.points[i].x * k, barrier.points[i].y * k};
      const double t = crossingFraction(s.x, s.y, r.x, r.y, p, q);
      if (t < 0) continue;
      const double dz = diffractionAttenuation(pathDifference(s, r, t, barrier.topHeight * k));
      if (dz > best.attenuation) {
        best.attenuation = dz;
        best.barrier = static_cast<int>(b);
      }
    }
  }
  return best;
}

}  // namespace mSiteGeometry
