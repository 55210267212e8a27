#include "compute/mProcess.h"

#include "compute/mCompute.h"
#include "study/IResultsSheetView.h"
#include "study/cError.h"
#include "study/cStudy.h"

namespace mProcess {

void processReceptor(cStudy& study, bool showMessages) {
  cError validator(study);
  if (!validator.checkInput(showMessages)) {
    study.resultsSheet().clear();
    return;
  }
  study.NoiseLimits.Limits.setBaselines();
  std::shared_ptr<cReceptorRecord> R;
  if (!study.getReceptor(R, study.receptorID())) return;
  mCompute::computeReceptorLinks(study, *R, false);
  mCompute::computeReceptorTotals(study, study.receptorID());
  study.caseProcessed = true;
  study.displayResults();
}

void processAllReceptors(cStudy& study) {
  study.NoiseLimits.Limits.setBaselines();
  for (std::size_t i = 0; i < study.colReceptors.size(); ++i) {
    // Copy the pointer: the record must outlive its computation.
    const std::shared_ptr<cReceptorRecord> R = study.colReceptors[i];
    mCompute::computeReceptorLinks(study, *R, true);
    mCompute::computeReceptorTotals(study, static_cast<std::int32_t>(i + 1));
  }
}

bool processEveryReceptor(cStudy& study) {
  const std::int32_t current = study.receptorID();
  const auto count = static_cast<std::int32_t>(study.colReceptors.size());
  for (std::int32_t id = 1; id <= count; ++id) {
    study.setReceptorID(id);
    processReceptor(study);
    if (!study.caseProcessed) {
      study.outlineReceptor(id);
      return false;
    }
  }
  study.setReceptorID(current);
  processReceptor(study);
  return true;
}

}  // namespace mProcess
