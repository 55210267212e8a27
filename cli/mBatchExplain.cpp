#include "cli/mBatchExplain.h"

#include "compute/mExplain.h"
#include "study/cStudy.h"
#include "study/mFormat.h"

namespace mBatchExplain {

std::vector<std::string> lines(const cStudy& study, const std::vector<mBatchAnalysis::Receptor>& receptors) {
  std::vector<std::string> out{"Case Description: " + study.caseDescription};
  for (const auto& r : receptors) {
    out.emplace_back();
    out.push_back("Receptor #" + std::to_string(r.id) + ": " + r.record->description + " (" +
                  r.record->landUseTxt() + "); baselines day " + format0_0(r.record->dayBase) + ", evening " +
                  format0_0(r.record->eveBase) + ", night " + format0_0(r.record->niteBase) + " dBA");
    if (!r.computed) {
      out.push_back("  Not computed: the input is incomplete.");
      continue;
    }
    for (const auto& link : r.computed->colLinks) {
      std::shared_ptr<cEquipmentRecord> e;
      if (!study.getEquipment(e, link->equipID)) continue;
      out.emplace_back();
      const auto text = mExplain::explain(study, *r.computed, link->equipID, mExplain::wholeLine);
      if (text.empty()) out.push_back(e->description + " not computed.");
      out.insert(out.end(), text.begin(), text.end());
    }
    out.emplace_back();
    const auto total = mExplain::explain(study, *r.computed, mExplain::totalLine, mExplain::wholeLine);
    out.insert(out.end(), total.begin(), total.end());
  }
  return out;
}

}  // namespace mBatchExplain
