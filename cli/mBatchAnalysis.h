#pragma once
// vorn-batch --explain, --summary and --mitigate: the receptors they cover,
// each computed from the opened case with its own baselines, and the lines
// each mode prints for them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cReceptorRecord;
class cStudy;
class IMessageService;

namespace mBatchAnalysis {

enum class Mode { explain, summary, mitigate };

// One receptor as the analyses see it.
struct Receptor {
  std::int32_t id = 0;
  const cReceptorRecord* record = nullptr;    // its inputs, as stored
  std::shared_ptr<cReceptorRecord> computed;  // null: its input is incomplete
};

// The lines of the mode for every receptor (receptor 0) or one. False, after
// the program's message, when there is nothing to analyse ("No case results
// to report." without receptors, "Please select a Receptor." for a number
// no receptor has). A receptor whose input is incomplete is named with the
// reason, as "Check Input Data" would give it, and printed without levels.
bool build(cStudy& study, Mode mode, bool comma, std::int32_t receptor, std::vector<std::string>& lines);

}  // namespace mBatchAnalysis
