#include "criteria/cCriteriaOutcome.h"

#include "compute/mProcess.h"
#include "study/cStudy.h"

void cCriteriaOutcome::apply(cStudy& study) const {
  if (!accepted) return;
  if (defaultLoaded) {
    study.adjustmentFactor = study.adjustmentFactorDefault;
    study.NoiseMetric = 2;
    study.setCaseChanged(true);
  }
  mProcess::processReceptor(study);
}
