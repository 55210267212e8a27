#include "site/mBarrierFactor.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "site/mSiteGeometry.h"

namespace mBarrierFactor {

namespace {

// -ln(10) / 10: 10^(-a/10) = exp(-a ln(10) / 10).
constexpr double minusLn10Over10 = -0.23025850929940458;

// The argument at which the attenuation reaches its cap: 10 lg(100) = 20 dB.
static_assert(mSiteGeometry::kMaxAttenuation == 20.0);
constexpr double capArgument = 100.0;

// How near a double may come to halfway between two floats, or the argument
// to the cap, before the exact way decides: 2^15 units in the last place of
// the double (at least 3.6e-12 of the value), a thousand times what the
// logarithm, the exponential and the roundings between them can add up to.
constexpr std::uint64_t nearHalfway = std::uint64_t{1} << 15;
constexpr double nearCap = 1e-9;

// A double rounds to the float nearest it by its 29 lowest bits of mantissa
// (the float's are the 23 above them): halfway is 1 followed by 28 zeros.
bool nearlyHalfway(double v, std::uint64_t within = nearHalfway) {
  const std::uint64_t low = std::bit_cast<std::uint64_t>(v) & ((std::uint64_t{1} << 29) - 1);
  const std::uint64_t half = std::uint64_t{1} << 28;
  return (low > half ? low - half : half - low) < within;
}

float exactFactor(const double* arguments, std::size_t n) {
  double best = 0;
  for (std::size_t i = 0; i < n; ++i) best = std::max(best, attenuation(arguments[i]));
  return energyFactor(best);
}

}  // namespace

float energyFactor(double a) { return a > 0 ? static_cast<float>(std::exp(a * minusLn10Over10)) : 1.0f; }

double attenuation(double argument) { return std::min(mSiteGeometry::kMaxAttenuation, 10.0 * std::log10(argument)); }

float factorOfLargest(const double* arguments, std::size_t n) {
  // The logarithm grows with its argument: the largest argument has the
  // largest attenuation (arguments within rounding of it are left to the
  // exact way, through halfway below).
  double largest = arguments[0];
  for (std::size_t i = 1; i < n; ++i) largest = std::max(largest, arguments[i]);
  if (largest > capArgument * (1 + nearCap)) {
    static const float capped = energyFactor(mSiteGeometry::kMaxAttenuation);
    return capped;
  }
  if (largest >= capArgument * (1 - nearCap)) return exactFactor(arguments, n);
  const double v = 1.0 / largest;
  if (nearlyHalfway(v)) return exactFactor(arguments, n);
  return static_cast<float>(v);
}

std::optional<float> factorOfLargestWithin(const double* arguments, std::size_t n, double error) {
  double largest = arguments[0];
  for (std::size_t i = 1; i < n; ++i) largest = std::max(largest, arguments[i]);
  return factorWithin(largest, 1.0 / largest, error);
}

std::optional<float> factorWithin(double largest, double v, double error) {
  // The exact largest argument lies within error of this one, whichever
  // crossing it belongs to.
  if (!(error >= 0) || !(largest - error >= 3.0)) return std::nullopt;
  if (largest - error > capArgument * (1 + nearCap)) {
    static const float capped = energyFactor(mSiteGeometry::kMaxAttenuation);
    return capped;
  }
  if (largest + error >= capArgument * (1 - nearCap)) return std::nullopt;
  // How far 1 / a may lie from v, relative to v, in units of the last place
  // of v (one is at least 2^-53 of it): the arguments' error (error / (a -
  // error), under 1.001 error v while error is under a thousandth of a),
  // and what the exact way itself may differ from 1 / a by.
  if (!(error < 1e-3 * largest)) return std::nullopt;
  const double units = (error * v * 1.001 + 3.6e-12) * 9007199254740992.0 + 2;  // 2^53
  if (!(units < static_cast<double>(std::uint64_t{1} << 27))) return std::nullopt;
  if (nearlyHalfway(v, static_cast<std::uint64_t>(units) + 1)) return std::nullopt;
  return static_cast<float>(v);
}

}  // namespace mBarrierFactor
