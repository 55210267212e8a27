#pragma once
// The levels of one band across records, keyed by record number.
// Held densely over the record numbers stored (see SF_KeyedStore).

#include <cstdint>
#include <memory>

#include "SF_KeyedStore.h"

class SF_Band {
public:
  // A new band holding every stored value under its record number.
  std::shared_ptr<SF_Band> Copy() const;

  // Throws SF_DataError (MissingEntry) for a record never stored.
  double SPL(std::int16_t nSpectrum) const { return levels_.at(nSpectrum); }
  void SPL(std::int16_t nSpectrum, double value) { levels_.put(nSpectrum, value); }

  // Number of stored values.
  long Count() const { return levels_.count(); }

  void reserveRecords(std::int16_t lo, std::int16_t hi) { levels_.reserve(lo, hi); }

private:
  SF_KeyedStore<double> levels_;
};
