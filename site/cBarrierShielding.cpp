#include "site/cBarrierShielding.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    std::int32_t c = firstColumn;
#if defined(__SSE2__)
    // Two cells at a time as far as it goes: a cell the pair leaves in doubt
    // takes the plan's own arithmetic.
    for (; c + 1 < lastColumn; c += 2) {
      double largest[2], reciprocal[2], error[2];
      int unsure = 0, any = 0;
      approximatePair(frame.centreX(c) * k_, frame.centreX(c + 1) * k_, ry, rh, largest, reciprocal, error, unsure,
                      any);
      for (int lane = 0; lane < 2; ++lane) {
        if (!(unsure >> lane & 1)) {
          if (!(any >> lane & 1)) {
            *out++ = 1.0f;
            continue;
          }
          if (const auto f = mBarrierFactor::factorWithin(largest[lane], reciprocal[lane], error[lane])) {
            *out++ = *f;
            continue;
          }
        }
        const std::size_t n = crossings<true>(frame.centreX(c + lane) * k_, ry, rh, arguments, nullptr);
        *out++ = n ? mBarrierFactor::factorOfLargest(arguments, n) : 1.0f;
      }
    }
#endif
    for (; c < lastColumn; ++c) {
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

#if defined(__SSE2__)
  // crossings<false> for two receivers on one row (x in meters rx0 and
  // rx1), in the two lanes of the processor's vector registers: lane by lane
  // the same tests of the crossings as the plan's, and the same square
  // roots. Per lane: the largest argument, its reciprocal and its error
  // where any(bit) is set, and whether a path difference so near 0 leaves it in doubt.
  void approximatePair(double rx0, double rx1, double ry, double rh, double* largest, double* reciprocal,
                       double* error, int& unsure, int& any) const {
    const __m128d zero = _mm_setzero_pd(), one = _mm_set1_pd(1.0);
    const __m128d signBit = _mm_set1_pd(-0.0);
    const __m128d rx = _mm_set_pd(rx1, rx0);
    const __m128d dx = _mm_sub_pd(rx, _mm_set1_pd(sx_));
    const double dyScalar = ry - sy_, dhScalar = rh - sh_;
    const __m128d dy = _mm_set1_pd(dyScalar), dh = _mm_set1_pd(dhScalar);
    // One above the other: no line in plan.
    const __m128d same =
        sy_ == ry ? _mm_cmpeq_pd(rx, _mm_set1_pd(sx_)) : zero;
    const __m128d dx2dy2 = _mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy));
    const __m128d plan = _mm_sqrt_pd(dx2dy2);
    const __m128d direct = _mm_sqrt_pd(_mm_add_pd(dx2dy2, _mm_mul_pd(dh, dh)));
    const __m128d rise = _mm_set1_pd(rh - sh_), sh = _mm_set1_pd(sh_);
    const __m128d twenty = _mm_set1_pd(20.0), wavelength = _mm_set1_pd(mSiteGeometry::kWavelength);
    const __m128d three = _mm_set1_pd(3.0), zScale = _mm_set1_pd(2.5e-14);
    const __m128d thirty = _mm_set1_pd(30.0), argScale = _mm_set1_pd(1e-14);
    __m128d best = zero, worst = zero, doubt = zero, found = zero;
    for (const sSegment& g : segments_) {
      const __m128d denom = _mm_sub_pd(_mm_mul_pd(dx, _mm_set1_pd(g.ey)), _mm_mul_pd(dy, _mm_set1_pd(g.ex)));
      const __m128d t = _mm_div_pd(_mm_set1_pd(g.tNumerator), denom);
      // Neither outside [0, 1] nor parallel, as the plan tests them.
      __m128d m = _mm_andnot_pd(_mm_or_pd(_mm_cmplt_pd(t, zero), _mm_cmpgt_pd(t, one)),
                                _mm_andnot_pd(same, _mm_cmpneq_pd(denom, zero)));
      if (_mm_movemask_pd(m) == 0) continue;
      const __m128d u = _mm_div_pd(
          _mm_sub_pd(_mm_mul_pd(_mm_set1_pd(g.wx), dy), _mm_mul_pd(_mm_set1_pd(g.wy), dx)), denom);
      m = _mm_andnot_pd(_mm_or_pd(_mm_cmplt_pd(u, zero), _mm_cmpgt_pd(u, one)), m);
      const __m128d top = _mm_set1_pd(g.top);
      const __m128d sightHeight = _mm_add_pd(sh, _mm_mul_pd(t, rise));
      m = _mm_andnot_pd(_mm_cmpge_pd(sightHeight, top), m);
      if (_mm_movemask_pd(m) == 0) continue;
      const __m128d a = _mm_mul_pd(t, plan), b = _mm_set1_pd(g.top - sh_);
      const __m128d c = _mm_mul_pd(_mm_sub_pd(one, t), plan), d = _mm_set1_pd(g.top - rh);
      const __m128d toTop = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(a, a), _mm_mul_pd(b, b)));
      const __m128d fromTop = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(c, c), _mm_mul_pd(d, d)));
      const __m128d sum = _mm_add_pd(toTop, fromTop);
      const __m128d z = _mm_sub_pd(sum, direct);
      const __m128d zError = _mm_mul_pd(zScale, sum);
      const __m128d nearZero = _mm_cmple_pd(_mm_andnot_pd(signBit, z), zError);
      doubt = _mm_or_pd(doubt, _mm_and_pd(m, nearZero));
      const __m128d ok = _mm_and_pd(_mm_andnot_pd(nearZero, m), _mm_cmpgt_pd(z, zero));
      const __m128d argument = _mm_add_pd(three, _mm_div_pd(_mm_mul_pd(twenty, z), wavelength));
      const __m128d err = _mm_add_pd(_mm_mul_pd(thirty, zError), _mm_mul_pd(argScale, argument));
      best = _mm_or_pd(_mm_and_pd(ok, _mm_max_pd(best, argument)), _mm_andnot_pd(ok, best));
      worst = _mm_or_pd(_mm_and_pd(ok, _mm_max_pd(worst, err)), _mm_andnot_pd(ok, worst));
      found = _mm_or_pd(found, ok);
    }
    _mm_storeu_pd(largest, best);
    // 1 / largest for both at once (where none was found, unused).
    _mm_storeu_pd(reciprocal, _mm_div_pd(one, _mm_or_pd(_mm_and_pd(found, best), _mm_andnot_pd(found, one))));
    _mm_storeu_pd(error, worst);
    unsure = _mm_movemask_pd(doubt);
    any = _mm_movemask_pd(found);
  }
#endif

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
