#include "criteria/cNoiseLimitData.h"

#include <algorithm>
#include <utility>

const cNoiseLimitDataRecord* cNoiseLimitData::findCell(std::int32_t use, std::int32_t timePeriod,
                                                       std::int32_t impactType) const {
  for (const auto& cell : dataRecord)
    if (cell.use == use && cell.timePeriod == timePeriod && cell.impactType == impactType) return &cell;
  return nullptr;
}

const cNoiseLimitDataRecord* cNoiseLimitData::findCell(std::int16_t row, std::int16_t col) const {
  for (const auto& cell : dataRecord)
    if (cell.row == row && cell.col == col) return &cell;
  return nullptr;
}

cNoiseLimitDataRecord* cNoiseLimitData::findCell(std::int16_t row, std::int16_t col) {
  return const_cast<cNoiseLimitDataRecord*>(std::as_const(*this).findCell(row, col));
}

std::string cNoiseLimitData::getLimitText(std::int32_t use, std::int32_t timePeriod,
                                          std::int32_t impactType) const {
  const auto* cell = findCell(use, timePeriod, impactType);
  return cell && cell->equationRec ? cell->equationRec->limitText() : std::string();
}

float cNoiseLimitData::getLimit(std::int32_t use, std::int32_t timePeriod, std::int32_t impactType) const {
  const auto* cell = findCell(use, timePeriod, impactType);
  return cell && cell->equationRec ? cell->equationRec->limit() : 0.0f;
}

std::string cNoiseLimitData::getCriteriaText(std::int16_t row, std::int16_t col) const {
  const auto* cell = findCell(row, col);
  return cell && cell->equationRec ? cell->equationRec->valueText() : std::string();
}

void cNoiseLimitData::setCriteria(std::int16_t row, std::int16_t col, std::shared_ptr<cEquationRecord> eq) {
  if (!eq) return;  // a cell never holds a missing criterion
  if (auto* cell = findCell(row, col)) cell->equationRec = std::move(eq);
}

std::shared_ptr<cEquationRecord> cNoiseLimitData::getCriteria(std::int16_t row, std::int16_t col) const {
  const auto* cell = findCell(row, col);
  return cell ? cell->equationRec : nullptr;
}

void cNoiseLimitData::copy(const cNoiseLimitData& from) {
  LimitType = from.LimitType;
  const std::size_t n = std::min(dataRecord.size(), from.dataRecord.size());
  for (std::size_t i = 0; i < n; ++i) dataRecord[i].copy(from.dataRecord[i]);
}

void cNoiseLimitData::initialize() {
  for (std::int32_t row = 1; row <= 3; ++row) {
    for (std::int32_t col = 1; col <= 6; ++col) {
      cNoiseLimitDataRecord cell;
      cell.row = row;
      cell.col = col;
      cell.metric = LimitType;
      cell.use = row - 1;
      cell.timePeriod = (col - 1) / 2;
      cell.impactType = (col - 1) % 2;
      dataRecord.push_back(std::move(cell));
    }
  }
}
