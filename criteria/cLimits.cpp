#include "criteria/cLimits.h"

#include "criteria/cNoiseLimits.h"
#include "study/cStudy.h"

cLimits::cLimits(cNoiseLimits& limits, cStudy& study) : limits_(limits), study_(study) {}

void cLimits::setBaselines() {
  std::shared_ptr<cReceptorRecord> receptor;
  if (!study_.getReceptor(receptor, study_.receptorID())) return;
  for (std::int16_t row = 1; row <= 3; ++row) {
    for (std::int16_t col = 1; col <= 6; ++col) {
      const float base = col <= 2 ? receptor->dayBase : col <= 4 ? receptor->eveBase : receptor->niteBase;
      for (std::int32_t code : {0, study_.NoiseMetric})
        if (auto eq = limits_.getCriteria(code, row, col)) eq->baseLine = base;
    }
  }
}
