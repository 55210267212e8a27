#include "report/qt/mReportPlaces.h"

#include "report/mPdfSitePlan.h"
#include "report/qt/mReportProgramme.h"

namespace mReportPlaces {

bool fill(const cStudy& study, const std::string& casePath, const std::string& programme, mPdfReport::Inputs& inputs,
          std::string& problem) {
  inputs.shieldingFromBarriers = mPdfSitePlan::shieldingFromBarriers(study);
  inputs.placeSections = mPdfSitePlan::section(study);
  if (casePath.empty() && programme.empty()) return true;
  return mReportProgramme::sectionsFor(casePath, programme, inputs.placeSections, problem);
}

}  // namespace mReportPlaces
