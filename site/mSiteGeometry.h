#pragma once
// Distances and barrier shielding from positions on the site plan.
//
// Shielding is the single-diffraction attenuation over a barrier's top,
// Dz = 10 lg(3 + 20 z / lambda), with z the path difference in meters over
// the top at the point where the sight line crosses the barrier in plan, at
// an effective frequency of 500 Hz (lambda = 340 / 500 = 0.68 m; 500 Hz is
// near the centre of the A-weighted spectrum of construction machines, so
// one frequency stands for the broadband level). It is capped at 20 dB. A
// sight line that passes at or above the top (z <= 0) gets none, and so does
// a barrier that does not cross the line in plan. A line that touches a
// barrier's end point, or a barrier through an end of the line, counts as
// crossing it. A barrier segment lying along the line of sight adds nothing
// of its own (its neighbours' crossings still count).

#include <cstdint>
#include <vector>

#include "site/cBarrier.h"
#include "site/cSitePosition.h"

namespace mSiteGeometry {

inline constexpr double kSpeedOfSound = 340.0;      // m/s
inline constexpr double kEffectiveFrequency = 500.0;  // Hz
inline constexpr double kWavelength = kSpeedOfSound / kEffectiveFrequency;
inline constexpr double kMaxAttenuation = 20.0;  // dB

// The slant distance between the two positions (the horizontal distance
// when their heights are equal), in the positions' units.
double linkDistance(const cSitePosition& a, const cSitePosition& b);

// The path difference in meters over a top at height topHeight, crossed at
// fraction t (0 at the source, 1 at the receiver) of the line in plan; z <= 0
// when the sight line passes at or above the top. Lengths in meters.
double pathDifference(const cSitePosition& source, const cSitePosition& receiver, double t,
                      double topHeight);
// 10 lg(3 + 20 z / lambda), capped; 0 for z <= 0.
double diffractionAttenuation(double z);

struct sShielding {
  double attenuation = 0;  // dB
  int barrier = -1;        // index into the barriers, -1 when none shields
};

// The largest attenuation over the barriers the line from source to receiver
// crosses. units is the case's: 0 feet, otherwise meters.
sShielding barrierShielding(const std::vector<cBarrier>& barriers, const cSitePosition& source,
                            const cSitePosition& receiver, std::int32_t units);

}  // namespace mSiteGeometry
