#pragma once
// vorn-batch --explain: how every number of every receptor came about, for
// each linked piece of equipment and the Total.

#include <string>
#include <vector>

#include "cli/mBatchAnalysis.h"

namespace mBatchExplain {

std::vector<std::string> lines(const cStudy& study, const std::vector<mBatchAnalysis::Receptor>& receptors);

}  // namespace mBatchExplain
