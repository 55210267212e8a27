#include "vibration/mVibration.h"

#include <cmath>
#include <functional>

#include "compute/mCompute.h"

namespace {

// Distances are shown to a tenth of a foot or a meter.
constexpr double kStepsPerUnit = 10.0;
// Far beyond any published reference: a guard, never reached by the table.
constexpr double kMostSteps = 1.0e7;

double inUnits(double feet, std::int32_t units) { return units == 0 ? feet : mCompute::feetToMeters(feet); }

float shownDistance(double steps) { return static_cast<float>(steps / kStepsPerUnit); }

// The smallest whole number of steps at which the level, computed at that
// distance as a link would hold it, keeps the limit. The closed form gives
// the start; the check absorbs rounding of the units and of the float.
double roundUpToStep(double exactInUnits, const std::function<bool(float)>& complies) {
  double steps = std::ceil(exactInUnits * kStepsPerUnit);
  if (!(steps >= 1.0)) steps = 1.0;  // a distance of 0 is no distance
  if (steps > kMostSteps) steps = kMostSteps;
  while (steps > 1.0 && complies(shownDistance(steps - 1.0))) steps -= 1.0;
  while (steps < kMostSteps && !complies(shownDistance(steps))) steps += 1.0;
  return steps / kStepsPerUnit;
}

}  // namespace

namespace mVibration {

bool isExponent(double n) { return n >= lowestExponent && n <= highestExponent; }

double distanceFeet(float distance, std::int32_t units) {
  if (units == 0) return distance;
  return static_cast<float>(mCompute::metersToFeet(distance));
}

double ppv(double ppvRef, double feet, double n) { return ppvRef * std::pow(referenceFeet / feet, n); }

double lv(double lvRef, double feet) { return lvRef - 30.0 * mCompute::log10(feet / referenceFeet); }

std::optional<double> exceedance(double value, double limit) {
  const double e = value - limit;
  if (e <= 0.0) return std::nullopt;
  return e;
}

double minDistancePPV(double ppvRef, double limit, double n, std::int32_t units) {
  const double feet = referenceFeet * std::pow(ppvRef / limit, 1.0 / n);
  return roundUpToStep(inUnits(feet, units), [&](float d) {
    return !exceedance(ppv(ppvRef, distanceFeet(d, units), n), limit);
  });
}

double minDistanceLv(double lvRef, double limit, std::int32_t units) {
  const double feet = referenceFeet * std::pow(10.0, (lvRef - limit) / 30.0);
  return roundUpToStep(inUnits(feet, units), [&](float d) { return !exceedance(lv(lvRef, distanceFeet(d, units)), limit); });
}

}  // namespace mVibration
