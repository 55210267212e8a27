#include "criteria/cLimits.h"

#include "criteria/cNoiseLimits.h"
#include "study/IMessageService.h"
#include "study/cError.h"
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

bool cLimits::readyToShow() {
  std::shared_ptr<cReceptorRecord> receptor;
  const std::int32_t id = study_.getReceptor(receptor, study_.receptorID()) ? receptor->rowID : 0;
  bool showMessages = true;
  if (!cError(study_).checkReceptor(id, showMessages)) return false;
  bool quiet = false;
  if (limits_.Criteria.check(quiet)) return true;
  study_.messages().show("Please complete the Noise Limit Criteria form", "VORN'", MessageIcon::Critical);
  return false;
}
