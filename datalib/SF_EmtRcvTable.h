#pragma once
// Emission/reception records keyed by record number (32-bit, held in an
// ordered map since such numbers may be sparse), with its columns as lists
// for records 1 to Count.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "SF_EmtRcvRecord.h"

class SF_EmtRcvTable {
public:
  // Throws SF_DataError (MissingEntry) for a record never stored.
  std::shared_ptr<SF_EmtRcvRecord> Record(std::int32_t nRecord) const;
  // Throws SF_DataError (NoObject) for a null record.
  void Record(std::int32_t nRecord, std::shared_ptr<SF_EmtRcvRecord> value);

  // New lists over records 1..Count in order: the time of day of T and of
  // Tr, and the coordinates of ACPosition. A record of 1..Count that is
  // missing throws SF_DataError (MissingEntry).
  std::vector<double> T() const;
  std::vector<double> Tr() const;
  std::vector<double> X() const;
  std::vector<double> Y() const;
  std::vector<double> Z() const;

  // Number of stored records; throws SF_DataError (Overflow) past 32767.
  std::int16_t Count() const;

private:
  template <typename Get>
  std::vector<double> column(Get&& get) const;

  std::map<std::int32_t, std::shared_ptr<SF_EmtRcvRecord>> records_;
};
