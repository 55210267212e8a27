#pragma once
// vorn-batch --mitigate: for every exceeded limit, the extra shielding, the
// largest usage and the smallest distance that would comply.

#include <string>
#include <vector>

#include "cli/mBatchAnalysis.h"

namespace mBatchMitigate {

inline constexpr const char* commaHeader =
    "Receptor,Equipment,Period,Metric,Level,Limit,Shielding Needed,Max Usage,Min Distance";

std::vector<std::string> lines(cStudy& study, const std::vector<mBatchAnalysis::Receptor>& receptors, bool comma);

}  // namespace mBatchMitigate
