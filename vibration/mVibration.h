#pragma once
// Ground vibration from one piece of equipment at one distance, propagated
// from its level at 25 feet: PPV = PPVref x (25 / D)^n, Lv = Lvref - 30 lg(D / 25),
// D in feet. n describes the soil (1.5 by default, from 1.1 to 1.5).
// Vibration is not saved, so it is kept in double throughout; only the
// distance is taken exactly as the noise computation takes it.

#include <cstdint>
#include <optional>

namespace mVibration {

inline constexpr double referenceFeet = 25.0;
inline constexpr double defaultExponent = 1.5;
inline constexpr double lowestExponent = 1.1;
inline constexpr double highestExponent = 1.5;
bool isExponent(double n);

// A link distance in feet: as it is in feet (units 0), otherwise converted
// from meters and rounded to a 32-bit float, as the noise levels are computed.
double distanceFeet(float distance, std::int32_t units);

double ppv(double ppvRef, double feet, double n);
double lv(double lvRef, double feet);

// value - limit, or nothing when the value does not exceed the limit (an
// exceedance of 0 or less, as for noise).
std::optional<double> exceedance(double value, double limit);

// The distance shown to one decimal in the case's units (feet for units 0,
// else meters) below which the piece would exceed the limit: rounded up to
// that step and checked through the computation itself, so a link at the
// distance as shown does not exceed the limit, and one step less does.
double minDistancePPV(double ppvRef, double limit, double n, std::int32_t units);
double minDistanceLv(double lvRef, double limit, std::int32_t units);

}  // namespace mVibration
