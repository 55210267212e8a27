#include "criteria/cNoiseLimits.h"

#include "study/cStudy.h"

cNoiseLimits::cNoiseLimits(cStudy& study) : Criteria(*this, study), Limits(*this, study), study_(study) {
  Limits_Lmax.LimitType = 0;
  Limits_Leq.LimitType = 1;
  Limits_L10.LimitType = 2;
  holdLmax.LimitType = 3;
  holdMetric.LimitType = 4;
  for (cNoiseLimitData* t : {&Limits_Lmax, &Limits_Leq, &Limits_L10, &holdLmax, &holdMetric}) t->initialize();
}

cNoiseLimitData* cNoiseLimits::table(std::int32_t tableCode) {
  switch (tableCode) {
    case 0:
      return &Limits_Lmax;
    case 1:
      return &Limits_Leq;
    case 2:
      return &Limits_L10;
    case 3:
      return &holdLmax;
    case 4:
      return &holdMetric;
    default:
      return nullptr;
  }
}

const cNoiseLimitData* cNoiseLimits::table(std::int32_t tableCode) const {
  return const_cast<cNoiseLimits*>(this)->table(tableCode);
}

void cNoiseLimits::setCriteria(std::int32_t tableCode, std::int16_t row, std::int16_t col,
                               std::shared_ptr<cEquationRecord> eq) {
  if (tableCode < 0 || tableCode > 2) return;
  table(tableCode)->setCriteria(row, col, std::move(eq));
}

std::shared_ptr<cEquationRecord> cNoiseLimits::getCriteria(std::int32_t tableCode, std::int16_t row,
                                                           std::int16_t col) const {
  const cNoiseLimitData* t = table(tableCode);
  return t ? t->getCriteria(row, col) : nullptr;
}

void cNoiseLimits::holdCriteria() {
  holdLmax.copy(Limits_Lmax);
  holdNoiseMetric = study_.NoiseMetric;
  if (holdNoiseMetric == 1) holdMetric.copy(Limits_Leq);
  if (holdNoiseMetric == 2) holdMetric.copy(Limits_L10);
}

void cNoiseLimits::rewindCriteria() {
  Limits_Lmax.copy(holdLmax);
  study_.NoiseMetric = holdNoiseMetric;
  if (study_.NoiseMetric == 1) Limits_Leq.copy(holdMetric);
  if (study_.NoiseMetric == 2) Limits_L10.copy(holdMetric);
}

float cNoiseLimits::getLimit(const std::int32_t& metric, const std::int32_t& use,
                             const std::int32_t& timePeriod, const std::int32_t& impactType) const {
  if (metric < 0 || metric > 2) return 0.0f;
  return table(metric)->getLimit(use, timePeriod, impactType);
}

std::string cNoiseLimits::getLimitText(const std::int32_t& metric, const std::int32_t& use,
                                       const std::int32_t& timePeriod, const std::int32_t& impactType) const {
  if (metric < 0 || metric > 2) return {};
  return table(metric)->getLimitText(use, timePeriod, impactType);
}
