#pragma once
// One criteria table (Lmax, Leq, L10 or a table held for Cancel): 18 cells,
// 3 land uses by 6 period/equipment columns. dataRecord is 1-based in use:
// dataRecord[0] is cell 1 (row 1, column 1), then row 1 columns 2..6, row 2
// and row 3.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "criteria/cNoiseLimitDataRecord.h"

class cNoiseLimitData {
public:
  std::int32_t LimitType = 0;
  std::vector<cNoiseLimitDataRecord> dataRecord;

  // Limit and limit text of the first cell with these keys; 0 and "" when no
  // cell has them (the callers never ask for such keys).
  std::string getLimitText(std::int32_t use, std::int32_t timePeriod, std::int32_t impactType) const;
  float getLimit(std::int32_t use, std::int32_t timePeriod, std::int32_t impactType) const;

  // The criterion of the cell at row, col (null when there is no such cell),
  // its text, and installing a criterion object in that cell.
  std::string getCriteriaText(std::int16_t row, std::int16_t col) const;
  void setCriteria(std::int16_t row, std::int16_t col, std::shared_ptr<cEquationRecord> eq);
  std::shared_ptr<cEquationRecord> getCriteria(std::int16_t row, std::int16_t col) const;

  // LimitType and every cell by value from the source.
  void copy(const cNoiseLimitData& from);

  // Appends the 18 cells with their keys; call once after LimitType is set.
  void initialize();

private:
  const cNoiseLimitDataRecord* findCell(std::int32_t use, std::int32_t timePeriod,
                                        std::int32_t impactType) const;
  cNoiseLimitDataRecord* findCell(std::int16_t row, std::int16_t col);
  const cNoiseLimitDataRecord* findCell(std::int16_t row, std::int16_t col) const;
};
