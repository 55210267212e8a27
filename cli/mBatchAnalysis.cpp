#include "cli/mBatchAnalysis.h"

#include "cli/mBatchExplain.h"
#include "cli/mBatchMitigate.h"
#include "cli/mBatchSummary.h"
#include "compute/mAsItStands.h"
#include "study/IMessageService.h"
#include "study/cError.h"
#include "study/cStudy.h"

namespace {

// Why the receptor is not computed, in the words of "Check Input Data".
void tellIncomplete(cStudy& study, std::int32_t id) {
  study.messages().show("Receptor #" + std::to_string(id) + " not computed.", "VORN", MessageIcon::Critical);
  cError validator(study);
  bool show = true;
  (void)(validator.checkReceptor(id, show) && validator.checkEquipment(show) && validator.checkLinks(id, show));
}

}  // namespace

namespace mBatchAnalysis {

bool build(cStudy& study, Mode mode, bool comma, std::int32_t receptor, std::vector<std::string>& lines) {
  const auto count = static_cast<std::int32_t>(study.colReceptors.size());
  if (count == 0) {
    study.messages().show("No case results to report.", "VORN", MessageIcon::Critical);
    return false;
  }
  if (receptor > count) {
    study.messages().show("Please select a Receptor.", "VORN", MessageIcon::Critical);
    return false;
  }
  std::vector<Receptor> receptors;
  for (std::int32_t id = receptor == 0 ? 1 : receptor; id <= (receptor == 0 ? count : receptor); ++id) {
    Receptor r{id, study.colReceptors[static_cast<std::size_t>(id - 1)].get(), mAsItStands::computeReceptor(study, id)};
    if (!r.computed) tellIncomplete(study, id);
    receptors.push_back(std::move(r));
  }
  switch (mode) {
    case Mode::explain:
      lines = mBatchExplain::lines(study, receptors);
      break;
    case Mode::summary:
      lines = mBatchSummary::lines(study, receptors, comma);
      break;
    case Mode::mitigate:
      lines = mBatchMitigate::lines(study, receptors, comma);
      break;
  }
  return true;
}

}  // namespace mBatchAnalysis
