#include "site/mGridKernel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "compute/mCompute.h"
#include "site/IGridShielding.h"
#include "site/cNoiseGrid.h"
#include "site/mSiteGeometry.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"
#include "study/mParseField.h"

namespace mGridKernel {

namespace {

// Four cells at a time, in the vector registers every x86-64 machine has
// (GCC's vector extension: the code stays portable C++ for the compiler
// this program builds with, and vectorises at any optimisation level).
typedef float v4 __attribute__((vector_size(16)));
typedef std::int32_t v4i __attribute__((vector_size(16)));
constexpr std::size_t lanes = 4;
// Rows are padded to whole groups of eight cells (either path's width).
constexpr std::size_t rowPadding = 8;

inline v4 load(const float* p) {
  v4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void store(float* p, v4 v) { std::memcpy(p, &v, sizeof v); }
inline v4 splat(float x) { return v4{x, x, x, x}; }
inline v4 vmax(v4 a, v4 b) { return a > b ? a : b; }

// The natural logarithm of four (or eight) positive normal floats, without
// a branch: the exponent from the bits, the mantissa moved into
// [sqrt(1/2), sqrt(2)) and its logarithm from the series of atanh, accurate
// to a few units in the last place of a float. Zero and denormals are
// raised to the smallest normal float first. The same operations lane by
// lane whatever the width, so every width gives the same bits.
// (The helpers of either width take and give their vectors by reference
// and are always inlined into the function of their width.)
template <typename V, typename VI>
__attribute__((always_inline)) inline void lnOf(const V& in, V& out) {
  const V zero = {};
  const V least = zero + std::numeric_limits<float>::min();
  const V x = in > least ? in : least;
  const VI bits = (VI)x;
  VI e = ((bits >> 23) & 0xff) - 127;
  const VI mantissaBits = (bits & 0x007fffff) | 0x3f800000;
  V m = (V)mantissaBits;
  const VI high = m > zero + 1.41421356f;
  m = high ? m * 0.5f : m;
  e = e - high;  // high is -1 where the mantissa was halved
  const V t = (m - 1.0f) / (m + 1.0f);
  const V t2 = t * t;
  const V series = t * (2.0f + t2 * (2.0f / 3 + t2 * (2.0f / 5 + t2 * (2.0f / 7 + t2 * (2.0f / 9)))));
  out = __builtin_convertvector(e, V) * 0.693147181f + series;
}

// 10 lg(x) = ln(x) 10 / ln(10).
constexpr float tenOverLn10 = 4.34294482f;

std::optional<float> storable(double x) {
  if (!std::isfinite(x) || std::fabs(x) > static_cast<double>(std::numeric_limits<float>::max()))
    return std::nullopt;
  return static_cast<float>(x);
}

// A distance or shielding as a link holds it from the site plan: kept to
// the case file's 7 significant digits.
float asStored(double value) {
  const auto f = static_cast<float>(value);
  return parseFloatField(numberText(f)).value_or(f);
}

bool takesPart(const sGridPiece& p) {
  return std::isfinite(p.lref) && !isMarker(p.lref) && std::isfinite(p.usage) &&
         static_cast<float>(static_cast<double>(p.usage) / 100.0) > 0.0f && std::isfinite(p.x) &&
         std::isfinite(p.y) && std::isfinite(p.height);
}

// Feet per unit of the case.
double feetPerUnit(std::int32_t units) { return units == 0 ? 1.0 : mCompute::metersToFeet(1.0); }

struct sRowScratch {
  std::vector<float> x;  // cell centres from the west edge
  std::vector<float> maxWeight, sumWeight;
  std::vector<float> outLmax, outLevel;
};

// One piece over cells [from, to) of a row, no shielding: the fast path.
inline void addPiece4(const sKernelPiece& p, float dy2z2, float minD2, const float* xs, float* mx, float* sum,
                      std::size_t from, std::size_t to) {
  const v4 px = splat(p.x), base = splat(dy2z2), floor = splat(minD2);
  const v4 wl = splat(p.wLmax), wm = splat(p.wMetric);
  for (std::size_t i = from; i < to; i += lanes) {
    const v4 dx = load(xs + i) - px;
    const v4 d2 = vmax(dx * dx + base, floor);
    const v4 r = 1.0f / d2;
    store(mx + i, vmax(load(mx + i), wl * r));
    store(sum + i, load(sum + i) + wm * r);
  }
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VORN_GRID_AVX2 1
// The same eight cells at a time where the processor has AVX2. The
// operations are the same IEEE operations lane by lane (no fused
// multiply-add), so both paths give the same bits.
typedef float v8 __attribute__((vector_size(32)));
__attribute__((target("avx2"))) void addPiece8(const sKernelPiece& p, float dy2z2, float minD2, const float* xs,
                                               float* mx, float* sum, std::size_t from, std::size_t to) {
  const v8 zero = {};
  const v8 px = zero + p.x, base = zero + dy2z2, floor = zero + minD2;
  const v8 wl = zero + p.wLmax, wm = zero + p.wMetric;
  for (std::size_t i = from; i < to; i += 8) {
    v8 x, m, s;
    std::memcpy(&x, xs + i, sizeof x);
    std::memcpy(&m, mx + i, sizeof m);
    std::memcpy(&s, sum + i, sizeof s);
    const v8 dx = x - px;
    v8 d2 = dx * dx + base;
    d2 = d2 > floor ? d2 : floor;
    const v8 r = 1.0f / d2;
    const v8 e = wl * r;
    m = m > e ? m : e;
    s = s + wm * r;
    std::memcpy(mx + i, &m, sizeof m);
    std::memcpy(sum + i, &s, sizeof s);
  }
}
#endif

bool hasAvx2() {
#ifdef VORN_GRID_AVX2
  static const bool yes = __builtin_cpu_supports("avx2");
  return yes;
#else
  return false;
#endif
}

inline void addPiece(const sKernelPiece& p, float dy2z2, float minD2, const float* xs, float* mx, float* sum,
                     std::size_t from, std::size_t to) {
#ifdef VORN_GRID_AVX2
  if (hasAvx2()) return addPiece8(p, dy2z2, minD2, xs, mx, sum, from, to);
#endif
  addPiece4(p, dy2z2, minD2, xs, mx, sum, from, to);
}

// The same for cells a barrier may shield: each pair takes its factor.
void addShieldedPiece(const sKernelPiece& p, float dy2z2, float minD2, const float* xs, float* mx, float* sum,
                      std::size_t from, std::size_t to, std::int32_t row, std::int32_t columns,
                      const cGridFrame& frame, const IGridShielding::cTile& shielding, double receiverHeight) {
  const std::size_t end = std::min(to, static_cast<std::size_t>(columns));
  if (end <= from) return;
  float factor[tileSize];
  shielding.factors(frame, row, static_cast<std::int32_t>(from), static_cast<std::int32_t>(end), receiverHeight,
                    factor);
  for (std::size_t i = from; i < end; ++i) {
    const float dx = xs[i] - p.x;
    const float d2 = std::max(dx * dx + dy2z2, minD2);
    const float r = factor[i - from] / d2;
    mx[i] = std::max(mx[i], p.wLmax * r);
    sum[i] += p.wMetric * r;
  }
}

// The levels of a row from its weights, written straight into the grid's
// row (the last cells, short of a whole group, through the scratch).
template <typename V, typename VI>
__attribute__((always_inline)) inline void finishGroup(float lmaxOffset, float metricOffset, const float* mx,
                                                       const float* sum, float* outLmax, float* outLevel) {
  V m, s;
  std::memcpy(&m, mx, sizeof m);
  std::memcpy(&s, sum, sizeof s);
  const V zero = {};
  // The total Lmax starts from 0, as a receptor's does.
  V lnM, lnS;
  lnOf<V, VI>(m, lnM);
  lnOf<V, VI>(s, lnS);
  V l = lmaxOffset + tenOverLn10 * lnM;
  l = l > zero ? l : zero;
  const V v = metricOffset + tenOverLn10 * lnS;
  std::memcpy(outLmax, &l, sizeof l);
  std::memcpy(outLevel, &v, sizeof v);
}

template <typename V, typename VI>
__attribute__((always_inline)) inline void finishRowIn(const sKernel& k, const float* mx, const float* sum,
                                                       std::size_t columns, float* lmax, float* level,
                                                       float* scratchLmax, float* scratchLevel) {
  constexpr std::size_t width = sizeof(V) / sizeof(float);
  std::size_t i = 0;
  for (; i + width <= columns; i += width)
    finishGroup<V, VI>(k.lmaxOffset, k.metricOffset, mx + i, sum + i, lmax + i, level + i);
  if (i < columns) {
    finishGroup<V, VI>(k.lmaxOffset, k.metricOffset, mx + i, sum + i, scratchLmax, scratchLevel);
    std::copy(scratchLmax, scratchLmax + (columns - i), lmax + i);
    std::copy(scratchLevel, scratchLevel + (columns - i), level + i);
  }
}

#ifdef VORN_GRID_AVX2
typedef std::int32_t v8i __attribute__((vector_size(32)));
__attribute__((target("avx2"))) void finishRow8(const sKernel& k, const float* mx, const float* sum,
                                                std::size_t columns, float* lmax, float* level, float* scratchLmax,
                                                float* scratchLevel) {
  finishRowIn<v8, v8i>(k, mx, sum, columns, lmax, level, scratchLmax, scratchLevel);
}
#endif

void finishRow(const sKernel& k, const float* mx, const float* sum, std::size_t columns, float* lmax, float* level,
               float* scratchLmax, float* scratchLevel) {
#ifdef VORN_GRID_AVX2
  if (hasAvx2()) return finishRow8(k, mx, sum, columns, lmax, level, scratchLmax, scratchLevel);
#endif
  finishRowIn<v4, v4i>(k, mx, sum, columns, lmax, level, scratchLmax, scratchLevel);
}

}  // namespace

sKernel prepare(const cGridInput& input, const cGridFrame& frame, std::int32_t metric) {
  sKernel k;
  k.receiverHeight = input.receiverHeight;
  const double minD = cGridInput::minimumDistance(input.units);
  k.minD2 = static_cast<float>(minD * minD);
  double top = -std::numeric_limits<double>::infinity();
  for (const auto& p : input.pieces)
    if (takesPart(p)) top = std::max(top, static_cast<double>(p.lref));
  if (!std::isfinite(top)) return k;
  // Energy at distance d (case units) = 10^(Lref/10) (50 / (k d))^2, k feet per unit.
  const double f = feetPerUnit(input.units);
  const double referenceArea = 2500.0 / (f * f);
  for (std::size_t i = 0; i < input.pieces.size(); ++i) {
    const sGridPiece& p = input.pieces[i];
    if (!takesPart(p)) continue;
    sKernelPiece q;
    q.index = i;
    q.x = static_cast<float>(p.x - frame.xmin);
    q.y = static_cast<float>(frame.ymax - p.y);
    const double dz = input.receiverHeight - p.height;
    q.dz2 = static_cast<float>(dz * dz);
    const double w = std::pow(10.0, (static_cast<double>(p.lref) - top) / 10.0) * referenceArea;
    q.wLmax = static_cast<float>(w);
    q.wMetric = static_cast<float>(w * static_cast<float>(static_cast<double>(p.usage) / 100.0));
    k.pieces.push_back(q);
  }
  k.lmaxOffset = static_cast<float>(top);
  k.metricOffset = static_cast<float>(top + (metric == 2 ? static_cast<double>(input.adjustmentFactor) : 0.0));
  return k;
}

void computeRows(const sKernel& kernel, const cGridFrame& frame, const IGridShielding* shielding,
                 std::int32_t firstRow, std::int32_t lastRow, cNoiseGrid& grid) {
  if (kernel.pieces.empty() || frame.empty()) return;
  const std::size_t columns = static_cast<std::size_t>(frame.columns);
  const std::size_t padded = (columns + rowPadding - 1) / rowPadding * rowPadding;
  sRowScratch s;
  s.x.resize(padded);
  for (std::size_t i = 0; i < padded; ++i) s.x[i] = static_cast<float>((static_cast<double>(i) + 0.5) * frame.cell);
  s.maxWeight.resize(padded);
  s.sumWeight.resize(padded);
  s.outLmax.resize(padded);
  s.outLevel.resize(padded);
  const std::size_t tilesAcross = (columns + tileSize - 1) / tileSize;
  std::vector<std::unique_ptr<IGridShielding::cTile>> shielded(kernel.pieces.size() * tilesAcross);

  for (std::int32_t bandStart = firstRow; bandStart < lastRow; bandStart += tileSize) {
    const std::int32_t bandEnd = std::min(lastRow, bandStart + tileSize);
    // Which piece may be shielded in which tile of this band of rows.
    bool anyShielded = false;
    if (shielding) {
      const double yTop = frame.centreY(bandStart), yBottom = frame.centreY(bandEnd - 1);
      for (std::size_t p = 0; p < kernel.pieces.size(); ++p)
        for (std::size_t t = 0; t < tilesAcross; ++t) {
          const std::int32_t c0 = static_cast<std::int32_t>(t * tileSize);
          const std::int32_t c1 = std::min(frame.columns, c0 + tileSize) - 1;
          auto& tile = shielded[p * tilesAcross + t];
          tile = shielding->tile(kernel.pieces[p].index, frame.centreX(c0), yBottom, frame.centreX(c1), yTop);
          anyShielded = anyShielded || tile;
        }
    }
    for (std::int32_t row = bandStart; row < bandEnd; ++row) {
      std::fill(s.maxWeight.begin(), s.maxWeight.end(), 0.0f);
      std::fill(s.sumWeight.begin(), s.sumWeight.end(), 0.0f);
      const float cy = static_cast<float>((row + 0.5) * frame.cell);
      for (std::size_t p = 0; p < kernel.pieces.size(); ++p) {
        const sKernelPiece& piece = kernel.pieces[p];
        const float dy = cy - piece.y;
        const float base = dy * dy + piece.dz2;
        if (!anyShielded) {
          addPiece(piece, base, kernel.minD2, s.x.data(), s.maxWeight.data(), s.sumWeight.data(), 0, padded);
          continue;
        }
        for (std::size_t t = 0; t < tilesAcross; ++t) {
          const std::size_t from = t * tileSize, to = std::min(padded, from + tileSize);
          if (const auto& tile = shielded[p * tilesAcross + t])
            addShieldedPiece(piece, base, kernel.minD2, s.x.data(), s.maxWeight.data(), s.sumWeight.data(), from, to,
                             row, frame.columns, frame, *tile, kernel.receiverHeight);
          else
            addPiece(piece, base, kernel.minD2, s.x.data(), s.maxWeight.data(), s.sumWeight.data(), from, to);
        }
      }
      const std::size_t at = static_cast<std::size_t>(row) * columns;
      finishRow(kernel, s.maxWeight.data(), s.sumWeight.data(), columns, grid.lmax.data() + at,
                grid.level.data() + at, s.outLmax.data(), s.outLevel.data());
    }
  }
}

std::optional<sLevels> linkLevels(float lref, float usage, float distance, float shielding, std::int32_t units,
                                  float adjustmentFactor) {
  float d = distance;
  if (units != 0) {
    const auto feet = storable(mCompute::metersToFeet(distance));
    if (!feet) return std::nullopt;
    d = *feet;
  }
  if (!(d > 0.0f)) return std::nullopt;
  const float ratio = static_cast<float>(static_cast<double>(d) / 50.0);
  if (!(ratio > 0.0f)) return std::nullopt;
  // The receptor's computation counts one unit per piece: 10 lg 1 = 0.
  const auto lmax = storable(static_cast<double>(lref) + 10.0 * mCompute::log10(1.0) - 20.0 * mCompute::log10(ratio) -
                             static_cast<double>(shielding));
  if (!lmax) return std::nullopt;
  const float usageFraction = static_cast<float>(static_cast<double>(usage) / 100.0);
  if (!(usageFraction > 0.0f)) return std::nullopt;
  const auto leq = storable(static_cast<double>(*lmax) + 10.0 * mCompute::log10(usageFraction));
  if (!leq) return std::nullopt;
  const auto l10 = storable(static_cast<double>(adjustmentFactor) + static_cast<double>(*leq));
  if (!l10) return std::nullopt;
  return sLevels{*lmax, *leq, *l10};
}

sLevels totals(const std::vector<sLevels>& links) {
  float maxLmax = 0.0f, sumLeq = 0.0f, sumL10 = 0.0f;
  for (const auto& l : links) {
    if (l.lmax > maxLmax) maxLmax = l.lmax;
    sumLeq = static_cast<float>(static_cast<double>(sumLeq) + std::pow(10.0, static_cast<double>(l.leq) / 10.0));
    sumL10 = static_cast<float>(static_cast<double>(sumL10) + std::pow(10.0, static_cast<double>(l.l10) / 10.0));
  }
  sLevels t{maxLmax, cNoiseGrid::noData, cNoiseGrid::noData};
  if (sumLeq != 0.0f && std::isfinite(sumLeq)) t.leq = static_cast<float>(10.0 * mCompute::log10(sumLeq));
  if (sumL10 != 0.0f && std::isfinite(sumL10)) t.l10 = static_cast<float>(10.0 * mCompute::log10(sumL10));
  return t;
}

sLevels levelsAt(const cGridInput& input, double x, double y, double height, const IGridShielding* shielding) {
  const double minD = cGridInput::minimumDistance(input.units);
  std::vector<sLevels> links;
  for (std::size_t i = 0; i < input.pieces.size(); ++i) {
    const sGridPiece& p = input.pieces[i];
    if (!takesPart(p)) continue;
    const double d = std::max(mSiteGeometry::linkDistance({p.x, p.y, p.height}, {x, y, height}), minD);
    const float a = shielding ? asStored(shielding->attenuation(i, x, y, height)) : 0.0f;
    if (const auto l = linkLevels(p.lref, p.usage, asStored(d), a, input.units, input.adjustmentFactor))
      links.push_back(*l);
  }
  return totals(links);
}

}  // namespace mGridKernel
