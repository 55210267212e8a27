#include "site/cBarrierShielding.h"

#include <algorithm>
#include <cmath>

#include "compute/mCompute.h"
#include "site/mBarrierFactor.h"
#include "site/mSiteGeometry.h"

namespace {

struct sPoint {
  double x, y;
};

// Whether segment a-b meets the convex hull of the points (closed sets,
// with a margin so that a touch is never lost to rounding).
bool segmentMeetsHull(const sPoint* hull, int n, sPoint a, sPoint b) {
  double scale = std::max({std::fabs(a.x), std::fabs(a.y), std::fabs(b.x), std::fabs(b.y), 1.0});
  for (int i = 0; i < n; ++i) scale = std::max({scale, std::fabs(hull[i].x), std::fabs(hull[i].y)});
  const double margin = 1e-9 * scale;
  auto separated = [&](double nx, double ny) {
    const double len = std::hypot(nx, ny);
    if (!(len > 0)) return false;
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    for (int i = 0; i < n; ++i) {
      const double p = hull[i].x * nx + hull[i].y * ny;
      lo = std::min(lo, p);
      hi = std::max(hi, p);
    }
    const double pa = a.x * nx + a.y * ny, pb = b.x * nx + b.y * ny;
    const double m = margin * len;
    return std::max(pa, pb) < lo - m || std::min(pa, pb) > hi + m;
  };
  // The hull's edges lie among the lines through pairs of its points; an
  // axis that is no edge normal still proves separation when it separates.
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      if (separated(hull[j].y - hull[i].y, hull[i].x - hull[j].x)) return false;
  if (separated(b.y - a.y, a.x - b.x)) return false;
  return true;
}

// One segment of a barrier as a tile sees it, in meters, with what its
// crossing test needs of the piece worked out once.
struct sSegment {
  double px, py;  // the first point
  double ex, ey;  // to the second point
  double wx, wy;  // from the piece to the first point
  double tNumerator;  // of the crossing's fraction along the line from the piece
  double top;
};

// The segments that may shield the lines from one piece into one tile. The
// arithmetic is the plan's own (mSiteGeometry: the crossing, the path
// difference over the top, the attenuation), operation for operation, so
// that every pair gets the plan's attenuation to the bit; what it saves is
// the work that cannot matter: the barriers out of reach, the part of the
// crossing test that depends on the piece alone, the plan distance and the
// slant distance once per pair instead of once per crossing, and the
// logarithm and exponential of all but a few pairs (mBarrierFactor).
class cBarrierTile : public IGridShielding::cTile {
public:
  cBarrierTile(std::vector<sSegment> segments, const cSitePosition& source, double k)
      : segments_(std::move(segments)), sx_(source.x * k), sy_(source.y * k), sh_(source.height * k), k_(k) {}

  double attenuation(double x, double y, double height) const override {
    std::vector<double> arguments(segments_.size());
    const std::size_t n = crossings<true>(x * k_, y * k_, height * k_, arguments.data(), nullptr);
    double best = 0;
    for (std::size_t i = 0; i < n; ++i) best = std::max(best, mBarrierFactor::attenuation(arguments[i]));
    return best;
  }

  void factors(const cGridFrame& frame, std::int32_t row, std::int32_t firstColumn, std::int32_t lastColumn,
               double height, float* out) const override {
    constexpr std::size_t onStack = 64;
    double stack[onStack];
    std::vector<double> heap(segments_.size() > onStack ? segments_.size() : 0);
    double* arguments = heap.empty() ? stack : heap.data();
    const double ry = frame.centreY(row) * k_, rh = height * k_;
    for (std::int32_t c = firstColumn; c < lastColumn; ++c) {
      const double rx = frame.centreX(c) * k_;
      // With square roots first; where those leave the float in doubt, the
      // plan's own arithmetic decides.
      double error = 0;
      std::size_t n = crossings<false>(rx, ry, rh, arguments, &error);
      if (n == 0 && error == 0) {
        *out++ = 1.0f;
        continue;
      }
      if (n > 0 && error > 0) {
        if (const auto f = mBarrierFactor::factorOfLargestWithin(arguments, n, error)) {
          *out++ = *f;
          continue;
        }
      }
      n = crossings<true>(rx, ry, rh, arguments, nullptr);
      *out++ = n ? mBarrierFactor::factorOfLargest(arguments, n) : 1.0f;
    }
  }

private:
  // The arguments 3 + 20 z / lambda of the crossings with the sight line
  // below the top (z > 0), for a receiver in meters. Exact: the plan's own
  // arithmetic, hypot and all. Otherwise square roots of sums of squares,
  // within a few units in the last place of each length: *error is then a
  // bound, ten times over, on how far each argument may lie from the exact
  // one, and negative where a path difference is so near 0 that even
  // whether it counts is in doubt (no argument is given then). With no
  // crossing at all, *error stays 0.
  template <bool exact>
  std::size_t crossings(double rx, double ry, double rh, double* arguments, double* error) const {
    // One above the other: no line in plan.
    if (sx_ == rx && sy_ == ry) return 0;
    const double dx = rx - sx_, dy = ry - sy_, dh = rh - sh_;
    double plan = -1, direct = 0;
    std::size_t n = 0;
    for (const sSegment& g : segments_) {
      const double denom = dx * g.ey - dy * g.ex;
      if (denom == 0) continue;  // parallel or along the line: no single crossing
      const double t = g.tNumerator / denom;
      if (t < 0 || t > 1) continue;
      const double u = (g.wx * dy - g.wy * dx) / denom;
      if (u < 0 || u > 1) continue;
      const double sightHeight = sh_ + t * (rh - sh_);
      if (sightHeight >= g.top) continue;
      if (plan < 0) {
        plan = exact ? std::hypot(dx, dy) : std::sqrt(dx * dx + dy * dy);
        direct = std::sqrt(dx * dx + dy * dy + dh * dh);
      }
      const double a = t * plan, b = g.top - sh_, c = (1 - t) * plan, d = g.top - rh;
      const double toTop = exact ? std::hypot(a, b) : std::sqrt(a * a + b * b);
      const double fromTop = exact ? std::hypot(c, d) : std::sqrt(c * c + d * d);
      const double z = toTop + fromTop - direct;
      if (!exact) {
        // Each length within 10 units in the last place of the exact one
        // (the plan distance's own error carried into both), the sum and
        // difference rounded: z within 2.5e-15 of their sum, taken ten times.
        const double zError = 2.5e-14 * (toTop + fromTop);
        if (std::fabs(z) <= zError) {
          *error = -1;
          return 0;
        }
        if (!(z > 0)) continue;
        const double argument = 3.0 + 20.0 * z / mSiteGeometry::kWavelength;
        // 20 / lambda times z's error, and the roundings of the argument.
        *error = std::max(*error, 30.0 * zError + 1e-14 * argument);
        arguments[n++] = argument;
        continue;
      }
      if (!(z > 0)) continue;
      arguments[n++] = 3.0 + 20.0 * z / mSiteGeometry::kWavelength;
    }
    return n;
  }

  std::vector<sSegment> segments_;
  double sx_, sy_, sh_, k_;
};

}  // namespace

cBarrierShielding::cBarrierShielding(std::vector<cBarrier> barriers, std::vector<cSitePosition> pieces,
                                     std::int32_t units)
    : barriers_(std::move(barriers)), pieces_(std::move(pieces)), units_(units) {}

std::unique_ptr<IGridShielding::cTile> cBarrierShielding::tile(std::size_t piece, double xmin, double ymin,
                                                                double xmax, double ymax) const {
  if (piece >= pieces_.size()) return nullptr;
  const cSitePosition& p = pieces_[piece];
  const sPoint hull[5] = {{p.x, p.y}, {xmin, ymin}, {xmax, ymin}, {xmax, ymax}, {xmin, ymax}};
  const double hx0 = std::min(p.x, xmin), hx1 = std::max(p.x, xmax);
  const double hy0 = std::min(p.y, ymin), hy1 = std::max(p.y, ymax);
  // The plan's scale to meters, and the piece in meters.
  const double k = units_ == 0 ? mCompute::feetToMeters(1.0) : 1.0;
  const double sx = p.x * k, sy = p.y * k;
  std::vector<sSegment> candidates;
  for (const auto& barrier : barriers_) {
    for (std::size_t i = 1; i < barrier.points.size(); ++i) {
      const sPoint a{barrier.points[i - 1].x, barrier.points[i - 1].y}, b{barrier.points[i].x, barrier.points[i].y};
      const double margin = 1e-9 * std::max({std::fabs(hx0), std::fabs(hx1), std::fabs(hy0), std::fabs(hy1), 1.0});
      if (std::max(a.x, b.x) < hx0 - margin || std::min(a.x, b.x) > hx1 + margin ||
          std::max(a.y, b.y) < hy0 - margin || std::min(a.y, b.y) > hy1 + margin)
        continue;
      if (!segmentMeetsHull(hull, 5, a, b)) continue;
      sSegment g;
      g.px = barrier.points[i - 1].x * k;
      g.py = barrier.points[i - 1].y * k;
      g.ex = barrier.points[i].x * k - g.px;
      g.ey = barrier.points[i].y * k - g.py;
      g.wx = g.px - sx;
      g.wy = g.py - sy;
      g.tNumerator = g.wx * g.ey - g.wy * g.ex;
      g.top = barrier.topHeight * k;
      candidates.push_back(g);
    }
  }
  if (candidates.empty()) return nullptr;
  return std::make_unique<cBarrierTile>(std::move(candidates), p, k);
}

double cBarrierShielding::attenuation(std::size_t piece, double x, double y, double height) const {
  if (piece >= pieces_.size()) return 0;
  return mSiteGeometry::barrierShielding(barriers_, pieces_[piece], cSitePosition{x, y, height}, units_).attenuation;
}
