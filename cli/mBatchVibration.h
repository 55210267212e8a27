#pragma once
// vorn-batch --vibration: each receptor's construction vibration, with the
// settings kept beside the case, as a table or as comma-delimited lines.

#include <cstdint>
#include <string>
#include <vector>

class cStudy;
class cVibrationSettings;

namespace mBatchVibration {

inline constexpr const char* commaHeader =
    "Receptor,Equipment,Distance,PPV,PPV Limit,PPV Exceedance,Lv,Lv Limit,Lv Exceedance,Min Distance PPV,"
    "Min Distance Lv";

// Reads the vibration settings beside the opened case (its site file's
// table, else its .vib file; the defaults when it has none) and builds the
// lines for every receptor (receptor 0) or one.
// Returns the batch tool's exit status; on anything but exitReported the
// program's message has been shown ("Problem reading vibration file.",
// "No case results to report.", "Please select a Receptor.").
int build(cStudy& study, const std::string& caseDirectory, const std::string& caseFileName, bool comma,
          std::int32_t receptor, std::vector<std::string>& lines);

// The lines themselves, for receptors that exist (receptor 0: all).
std::vector<std::string> lines(const cStudy& study, const cVibrationSettings& settings, std::int32_t receptor,
                               bool comma);

}  // namespace mBatchVibration
