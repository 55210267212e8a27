#pragma once
// The noise limit criteria of the study: the Lmax, Leq and L10 tables, the two
// tables held while the criteria dialog is open, and the managers that check
// the tables and stamp baselines into them.
//
// Table codes: 0 Lmax, 1 Leq, 2 L10, 3 held Lmax, 4 held metric table.

#include <cstdint>
#include <memory>
#include <string>

#include "criteria/cCriteria.h"
#include "criteria/cLimits.h"
#include "criteria/cNoiseLimitData.h"

class cStudy;

class cNoiseLimits {
public:
  explicit cNoiseLimits(cStudy& study);
  cNoiseLimits(const cNoiseLimits&) = delete;
  cNoiseLimits& operator=(const cNoiseLimits&) = delete;

  cNoiseLimitData Limits_Lmax;
  cNoiseLimitData Limits_Leq;
  cNoiseLimitData Limits_L10;
  cCriteria Criteria;
  cLimits Limits;

  // Installs eq itself (not a copy) in a cell of table 0..2; other codes do nothing.
  void setCriteria(std::int32_t tableCode, std::int16_t row, std::int16_t col,
                   std::shared_ptr<cEquationRecord> eq);
  // The criterion of a cell of table 0..4; null for any other code.
  std::shared_ptr<cEquationRecord> getCriteria(std::int32_t tableCode, std::int16_t row,
                                               std::int16_t col) const;

  // Saves Lmax, the study's noise metric and that metric's table for Cancel.
  void holdCriteria();
  // Puts back what holdCriteria saved.
  void rewindCriteria();

  // The limit for metric 0..2 (Lmax, Leq, L10); 0 for any other metric.
  float getLimit(const std::int32_t& metric, const std::int32_t& use, const std::int32_t& timePeriod,
                 const std::int32_t& impactType) const;
  std::string getLimitText(const std::int32_t& metric, const std::int32_t& use,
                           const std::int32_t& timePeriod, const std::int32_t& impactType) const;

  // Default criteria come only from the default criteria file.
  void setDefaultLimits() {}

  // The table of a code 0..4, or null.
  cNoiseLimitData* table(std::int32_t tableCode);
  const cNoiseLimitData* table(std::int32_t tableCode) const;

private:
  cStudy& study_;
  cNoiseLimitData holdLmax;
  cNoiseLimitData holdMetric;
  std::int32_t holdNoiseMetric = 0;
};
