#pragma once
// One cell of a criteria table: its place (row = land use, column = period
// and kind of equipment) and its criterion. The criterion is held by
// shared_ptr because setCriteria installs the caller's record itself.

#include <cstdint>
#include <memory>
#include <string>

#include "criteria/cEquationRecord.h"

class cNoiseLimitDataRecord {
public:
  std::int32_t col = 0;         // 1..6
  std::int32_t row = 0;         // 1..3
  std::int32_t metric = 0;      // table code of the owning table
  std::int32_t use = 0;         // row - 1
  std::int32_t timePeriod = 0;  // (col - 1) div 2
  std::int32_t impactType = 0;  // (col - 1) mod 2
  float limit_value = 0.0f;
  std::string limit_text;
  std::int32_t equation = 0;
  std::shared_ptr<cEquationRecord> equationRec = std::make_shared<cEquationRecord>();

  cNoiseLimitDataRecord() = default;
  // A plain copy would share the criterion; use copy() instead.
  cNoiseLimitDataRecord(const cNoiseLimitDataRecord&) = delete;
  cNoiseLimitDataRecord& operator=(const cNoiseLimitDataRecord&) = delete;
  cNoiseLimitDataRecord(cNoiseLimitDataRecord&&) = default;
  cNoiseLimitDataRecord& operator=(cNoiseLimitDataRecord&&) = default;

  // Copies every field; the criterion is copied into this cell's own record.
  void copy(const cNoiseLimitDataRecord& from);
};
