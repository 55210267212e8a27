#pragma once
// vorn-batch --summary: every receptor's worst exceedance per period, for
// Lmax and the case's metric, as a table or as comma-delimited lines.

#include <string>
#include <vector>

#include "cli/mBatchAnalysis.h"

namespace mBatchSummary {

inline constexpr const char* commaHeader =
    "Receptor,Description,Land Use,Period,Lmax,Lmax Limit,Lmax Exceedance,Metric,Metric Level,Metric Limit,"
    "Metric Exceedance";

std::vector<std::string> lines(cStudy& study, const std::vector<mBatchAnalysis::Receptor>& receptors, bool comma);

}  // namespace mBatchSummary
