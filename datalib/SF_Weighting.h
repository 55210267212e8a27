#pragma once
// Frequency weightings A, C and Z of one-third-octave spectra, and the single
// weighted level of a spectrum: 10·log10 of the sum of 10^((level + weight)/10)
// over the bands that hold a valid level. Bands 10 to 43 (10 Hz to 20 kHz)
// take the weights tabulated at their nominal frequencies; other bands take
// the analytic weighting at the exact frequency 10^(n/10) Hz, to 0.1 dB, so
// every band has the same precision as the table.

#include <array>
#include <cstddef>
#include <string_view>

#include "SF_Enums.h"

class SF_SpectralTimeHistory;
class SF_Spectrum;

enum SF_WEIGHTING : int {
  SF_WEIGHTING_Z = 0,  // unweighted
  SF_WEIGHTING_A = 1,
  SF_WEIGHTING_C = 2
};

class SF_Weighting {
public:
  explicit SF_Weighting(SF_WEIGHTING type = SF_WEIGHTING_A);

  SF_WEIGHTING Type() const { return type_; }

  // The weight in dB of one-third-octave band n.
  static double Weight(SF_WEIGHTING type, int band);
  // The weighting's analytic expression at a frequency in Hz, unrounded;
  // 0 dB at 1 kHz.
  static double AnalyticWeight(SF_WEIGHTING type, double frequency);

  // The weighted level of the spectrum's bands LowBand to HighBand. Bands
  // holding SF_INVALID_LEVEL, a level that is not a number, or nothing are
  // left out; SF_INVALID_LEVEL when no band is left.
  double Level(const SF_Spectrum& spectrum) const;
  // The same over count levels of consecutive bands from lowBand up.
  double Level(int lowBand, const double* levels, std::size_t count) const;

  // Sets AWT, CWT and OA of every record LoRec..HiRec (SF_INVALID_LEVEL for a
  // record without a valid band) and adds those three types to the history's
  // metric summary. Throws SF_DataError, as the record walks do, on a record
  // missing inside the range.
  static void setWeightedLevels(SF_SpectralTimeHistory& history);

  // "A", "C" or "Z", in either case.
  static bool FromName(std::string_view name, SF_WEIGHTING& type);
  static std::string_view Name(SF_WEIGHTING type);

private:
  // 10^(weight/10) of the bands most files hold, worked out once.
  static constexpr int kFirstCachedBand = 0;
  static constexpr int kLastCachedBand = 60;
  double factor(int band) const;

  SF_WEIGHTING type_;
  std::array<double, kLastCachedBand - kFirstCachedBand + 1> factors_{};
};
