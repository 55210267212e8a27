#pragma once
// What a barrier's attenuation does to a piece's energy in a cell of the
// noise map: the factor 10^(-Dz/10), as a float, with Dz the plan's
// diffraction attenuation 10 lg(3 + 20 z / lambda), capped (mSiteGeometry).
//
// The grid asks it of millions of pairs of piece and cell. The exact way,
// one logarithm and one exponential per pair, gives the factor the grid has
// always taken; the fast way gives the same float from one division, since
// 10^(-10 lg(a) / 10) is 1 / a: the two differ by a few units in the last
// place of a double (both library functions are accurate to a couple of
// those), so they round to the same float unless 1 / a lies within a hair
// of halfway between two floats, or a sits at the cap. There the exact way
// decides.

#include <cstddef>
#include <optional>

namespace mBarrierFactor {

// 10^(-a/10) for an attenuation a in dB, rounded to a float; 1 for a <= 0.
float energyFactor(double attenuation);

// The plan's attenuation for the argument 3 + 20 z / lambda of the logarithm.
double attenuation(double argument);

// The factor of the largest attenuation among the crossings of one line,
// from the arguments of their logarithms (n >= 1, every one at least 3):
// energyFactor of the largest attenuation(argument), to the bit.
float factorOfLargest(const double* arguments, std::size_t n);

// The same from arguments known only to within error of the exact ones
// (worked out with faster, less exact arithmetic): the factor when every
// argument within that error gives the same float, none when the exact
// arguments must decide.
std::optional<float> factorOfLargestWithin(const double* arguments, std::size_t n, double error);
// The same for the largest argument alone, with 1.0 / largest already
// worked out (to the bit, as this would).
std::optional<float> factorWithin(double largest, double reciprocal, double error);

}  // namespace mBarrierFactor
