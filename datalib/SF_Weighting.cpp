#include "SF_Weighting.h"

#include <cmath>
#include <vector>

#include "SF_DataError.h"
#include "SF_SpectralTimeHistory.h"
#include "SF_Spectrum.h"

namespace {

constexpr int kTableLowBand = 10;   // 10 Hz
constexpr int kTableHighBand = 43;  // 20 kHz

// IEC 61672-1 weightings at the nominal one-third-octave frequencies 10 Hz to 20 kHz.
constexpr double kWeightA[] = {-70.4, -63.4, -56.7, -50.5, -44.7, -39.4, -34.6, -30.2, -26.2, -22.5, -19.1, -16.1,
                               -13.4, -10.9, -8.6,  -6.6,  -4.8,  -3.2,  -1.9,  -0.8,  0.0,   0.6,   1.0,   1.2,
                               1.3,   1.2,   1.0,   0.5,   -0.1,  -1.1,  -2.5,  -4.3,  -6.6,  -9.3};
constexpr double kWeightC[] = {-14.3, -11.2, -8.5, -6.2, -4.4, -3.0, -2.0, -1.3, -0.8, -0.5, -0.3, -0.2,
                               -0.1,  0.0,   0.0,  0.0,  0.0,  0.0,  0.0,  0.0,  0.0,  0.0,  -0.1, -0.2,
                               -0.3,  -0.5,  -0.8, -1.3, -2.0, -3.0, -4.4, -6.2, -8.5, -11.2};
static_assert(std::size(kWeightA) == kTableHighBand - kTableLowBand + 1);
static_assert(std::size(kWeightC) == kTableHighBand - kTableLowBand + 1);

// Pole frequencies of the standard's expressions, and the constants that
// make each weighting 0 dB at 1 kHz.
constexpr double kF1 = 20.598997;
constexpr double kF2 = 107.65265;
constexpr double kF3 = 737.86223;
constexpr double kF4 = 12194.217;
constexpr double kA1000 = -2.000;
constexpr double kC1000 = -0.062;

double roundToTenth(double value) { return std::round(value * 10.0) / 10.0; }

// 10^(L/10) as e^(L·ln10/10): the same value, and several times faster than pow.
constexpr double kLn10Over10 = 0.23025850929940458;

constexpr double kInvalidLevel = static_cast<double>(SF_INVALID_LEVEL);

bool isValidLevel(double level) { return std::isfinite(level) && level != kInvalidLevel; }

}  // namespace

SF_Weighting::SF_Weighting(SF_WEIGHTING type) : type_(type) {
  for (int b = kFirstCachedBand; b <= kLastCachedBand; ++b)
    factors_[static_cast<std::size_t>(b - kFirstCachedBand)] = std::pow(10.0, Weight(type_, b) / 10.0);
}

double SF_Weighting::AnalyticWeight(SF_WEIGHTING type, double frequency) {
  const double f2 = frequency * frequency;
  switch (type) {
    case SF_WEIGHTING_A:
      return 20.0 * std::log10(kF4 * kF4 * f2 * f2 /
                               ((f2 + kF1 * kF1) * std::sqrt(f2 + kF2 * kF2) * std::sqrt(f2 + kF3 * kF3) *
                                (f2 + kF4 * kF4))) -
             kA1000;
    case SF_WEIGHTING_C:
      return 20.0 * std::log10(kF4 * kF4 * f2 / ((f2 + kF1 * kF1) * (f2 + kF4 * kF4))) - kC1000;
    case SF_WEIGHTING_Z:
      break;
  }
  return 0.0;
}

double SF_Weighting::Weight(SF_WEIGHTING type, int band) {
  if (type != SF_WEIGHTING_A && type != SF_WEIGHTING_C) return 0.0;
  if (band >= kTableLowBand && band <= kTableHighBand) {
    const auto i = static_cast<std::size_t>(band - kTableLowBand);
    return type == SF_WEIGHTING_A ? kWeightA[i] : kWeightC[i];
  }
  return roundToTenth(AnalyticWeight(type, std::pow(10.0, band / 10.0)));
}

double SF_Weighting::factor(int band) const {
  if (band >= kFirstCachedBand && band <= kLastCachedBand)
    return factors_[static_cast<std::size_t>(band - kFirstCachedBand)];
  return std::pow(10.0, Weight(type_, band) / 10.0);
}

double SF_Weighting::Level(int lowBand, const double* levels, std::size_t count) const {
  double sum = 0.0;
  bool any = false;
  for (std::size_t i = 0; i < count; ++i) {
    const double level = levels[i];
    if (!isValidLevel(level)) continue;
    sum += std::exp(level * kLn10Over10) * factor(lowBand + static_cast<int>(i));
    any = true;
  }
  // A sum that overflowed or vanished has no level a caller could use.
  if (!any || !(sum > 0.0) || !std::isfinite(sum)) return kInvalidLevel;
  return 10.0 * std::log10(sum);
}

double SF_Weighting::Level(const SF_Spectrum& spectrum) const {
  if (spectrum.HighBand() < spectrum.LowBand()) return kInvalidLevel;
  std::vector<double> levels;
  levels.reserve(static_cast<std::size_t>(spectrum.HighBand() - spectrum.LowBand() + 1));
  for (int b = spectrum.LowBand(); b <= spectrum.HighBand(); ++b) {
    try {
      levels.push_back(spectrum.SPL(static_cast<std::int16_t>(b)));
    } catch (const SF_DataError&) {
      levels.push_back(std::nan(""));  // a band never stored holds no level
    }
  }
  return Level(spectrum.LowBand(), levels.data(), levels.size());
}

void SF_Weighting::setWeightedLevels(SF_SpectralTimeHistory& history) {
  const SF_Weighting a(SF_WEIGHTING_A), c(SF_WEIGHTING_C), z(SF_WEIGHTING_Z);
  if (history.Count() > 0) {
    const int lo = history.LoRec(), hi = history.HiRec();
    for (int r = lo; r <= hi; ++r) {
      const auto spectrum = history.spectrum(static_cast<std::int16_t>(r));
      const auto metric = spectrum->Metric();
      // Stored as the single-precision values every other level is held in.
      metric->AWT(static_cast<double>(static_cast<float>(a.Level(*spectrum))));
      metric->CWT(c.Level(*spectrum));
      metric->OA(z.Level(*spectrum));
    }
  }
  const auto summary = history.Metrics();
  summary->MetricType(SF_METRIC_AWT);
  summary->MetricType(SF_METRIC_CWT);
  summary->MetricType(SF_METRIC_OA);
}

bool SF_Weighting::FromName(std::string_view name, SF_WEIGHTING& type) {
  if (name.size() != 1) return false;
  switch (name.front()) {
    case 'A': case 'a': type = SF_WEIGHTING_A; return true;
    case 'C': case 'c': type = SF_WEIGHTING_C; return true;
    case 'Z': case 'z': type = SF_WEIGHTING_Z; return true;
    default: return false;
  }
}

std::string_view SF_Weighting::Name(SF_WEIGHTING type) {
  switch (type) {
    case SF_WEIGHTING_A: return "A";
    case SF_WEIGHTING_C: return "C";
    case SF_WEIGHTING_Z: return "Z";
  }
  return "";
}
