#include "site/cBarrierShielding.h"

#include <algorithm>
#include <cmath>

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

class cBarrierTile : public IGridShielding::cTile {
public:
  cBarrierTile(std::vector<cBarrier> barriers, const cSitePosition& piece, std::int32_t units)
      : barriers_(std::move(barriers)), piece_(piece), units_(units) {}
  double attenuation(double x, double y, double height) const override {
    return mSiteGeometry::barrierShielding(barriers_, piece_, cSitePosition{x, y, height}, units_).attenuation;
  }

private:
  std::vector<cBarrier> barriers_;
  cSitePosition piece_;
  std::int32_t units_;
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
  std::vector<cBarrier> candidates;
  for (const auto& barrier : barriers_) {
    for (std::size_t i = 1; i < barrier.points.size(); ++i) {
      const sPoint a{barrier.points[i - 1].x, barrier.points[i - 1].y}, b{barrier.points[i].x, barrier.points[i].y};
      const double margin = 1e-9 * std::max({std::fabs(hx0), std::fabs(hx1), std::fabs(hy0), std::fabs(hy1), 1.0});
      if (std::max(a.x, b.x) < hx0 - margin || std::min(a.x, b.x) > hx1 + margin ||
          std::max(a.y, b.y) < hy0 - margin || std::min(a.y, b.y) > hy1 + margin)
        continue;
      if (segmentMeetsHull(hull, 5, a, b)) {
        candidates.push_back(barrier);
        break;
      }
    }
  }
  if (candidates.empty()) return nullptr;
  return std::make_unique<cBarrierTile>(std::move(candidates), p, units_);
}

double cBarrierShielding::attenuation(std::size_t piece, double x, double y, double height) const {
  if (piece >= pieces_.size()) return 0;
  return mSiteGeometry::barrierShielding(barriers_, pieces_[piece], cSitePosition{x, y, height}, units_).attenuation;
}
