#pragma once
// One record of a spectral time history: a sound pressure level per
// one-third-octave band, an overall level, a time stamp and its metrics.
// Spectra are shared by reference (std::shared_ptr); Copy is deep.
//
// Levels are held densely from LowBand to HighBand (see SF_KeyedStore).

#include <cstdint>
#include <memory>

#include "SF_KeyedStore.h"
#include "SF_Metric.h"
#include "SF_Time.h"

class SF_Spectrum {
public:
  // Time and Metric copied deeply, every level from LowBand to HighBand.
  // Throws SF_DataError when a band inside that range was never stored.
  std::shared_ptr<SF_Spectrum> Copy() const;

  // Throws SF_DataError (MissingEntry) for a band never stored.
  double SPL(std::int16_t nBand) const { return levels_.at(nBand); }
  // Stores the level, replacing any earlier one, and widens LowBand/HighBand.
  void SPL(std::int16_t nBand, double value);

  // Lowest and highest band ever stored (9999 and -1 while empty).
  std::int16_t LowBand() const { return lowBand_; }
  std::int16_t HighBand() const { return highBand_; }

  // True when this band range covers the other's; other is anything with
  // LowBand and HighBand (a spectrum or a mask row).
  template <typename Banded>
  bool Encompasses(const Banded& other) const {
    return lowBand_ <= other.LowBand() && highBand_ >= other.HighBand();
  }

  double Level() const { return level_; }
  void Level(double value) { level_ = value; }

  // Created on first read; setting stores the reference given.
  std::shared_ptr<SF_Time> Time() const;
  void Time(std::shared_ptr<SF_Time> time) { time_ = std::move(time); }
  std::shared_ptr<SF_Metric> Metric() const;
  void Metric(std::shared_ptr<SF_Metric> metric) { metric_ = std::move(metric); }

  // Makes room for bands lo..hi before they are stored one by one.
  void reserveBands(std::int16_t lo, std::int16_t hi) { levels_.reserve(lo, hi); }

private:
  mutable std::shared_ptr<SF_Time> time_;
  SF_KeyedStore<double> levels_;
  std::int16_t lowBand_ = 9999;
  std::int16_t highBand_ = -1;
  double level_ = 0.0;
  mutable std::shared_ptr<SF_Metric> metric_;
};
