#pragma once
// A masking map: one SF_MaskRow per record, keyed by record number and held
// densely (see SF_KeyedStore). Rows are shared by reference; Copy is deep.

#include <cstdint>
#include <memory>

#include "SF_KeyedStore.h"
#include "SF_MaskRow.h"

class SF_MaskMap {
public:
  // Every stored row copied under its own record number.
  std::shared_ptr<SF_MaskMap> Copy() const;

  // Throws SF_DataError (MissingEntry) for a record never stored.
  std::shared_ptr<SF_MaskRow> Row(std::int16_t nRecord) const { return rows_.at(nRecord); }
  // Stores the reference, replacing any row of that record. Throws
  // SF_DataError (NoObject) for a null row.
  void Row(std::int16_t nRecord, std::shared_ptr<SF_MaskRow> row);

  long Count() const { return rows_.count(); }

  // Sets the LGB of every row from its cells (SF_MaskRow::LastGoodBand).
  void setLGB();

private:
  SF_KeyedStore<std::shared_ptr<SF_MaskRow>> rows_;
};
