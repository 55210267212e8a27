#pragma once
// One record of a masking map: a cell per band and the record's last good band.
// Cells are held densely from LowBand to HighBand (see SF_KeyedStore) and
// shared by reference; Copy is deep.

#include <cstdint>
#include <memory>

#include "SF_KeyedStore.h"
#include "SF_Mask.h"

class SF_MaskRow {
public:
  // Every cell from LowBand to HighBand (a gap throws SF_DataError) and LGB.
  std::shared_ptr<SF_MaskRow> Copy() const;

  // Throws SF_DataError (MissingEntry) for a band never stored.
  std::shared_ptr<SF_Mask> Mask(std::int16_t nBand) const { return cells_.at(nBand); }
  // Stores the reference and widens LowBand/HighBand. Throws SF_DataError
  // (NoObject) for a null cell.
  void Mask(std::int16_t nBand, std::shared_ptr<SF_Mask> cell);

  std::int16_t LowBand() const { return lowBand_; }
  std::int16_t HighBand() const { return highBand_; }

  template <typename Banded>
  bool Encompasses(const Banded& other) const {
    return lowBand_ <= other.LowBand() && highBand_ >= other.HighBand();
  }

  std::int16_t LGB() const { return lgb_; }
  void LGB(std::int16_t value) { lgb_ = value; }

  // The last good band by the cells: 9999 (SF_INVALID_LEVEL) when bands 28
  // and 29 are both masked, else the band before the first masked band from
  // 29 up to HighBand, else 0. Throws SF_DataError when a cell it needs is missing.
  std::int16_t LastGoodBand() const;

private:
  SF_KeyedStore<std::shared_ptr<SF_Mask>> cells_;
  std::int16_t lowBand_ = 9999;
  std::int16_t highBand_ = -1;
  std::int16_t lgb_ = 0;
};
