#pragma once
// The programme's results as lines: the receptor x week x period table, and
// each receptor's worst week per period, as fixed-column text or
// comma-delimited. Levels "0.0"; "None" where a limit is not exceeded; an
// empty field where no limit applies or no phase works.

#include <string>
#include <vector>

class cProgramme;
class cProgrammeResults;

namespace mProgrammeReport {

inline constexpr const char* tableHeader =
    "Receptor,Description,Week,Period,Lmax,Lmax Limit,Lmax Exceedance,Metric,Metric Level,Metric Limit,"
    "Metric Exceedance,Phases";
inline constexpr const char* worstHeader =
    "Receptor,Description,Period,Worst Week,Lmax,Lmax Limit,Lmax Exceedance,Metric,Metric Level,Metric Limit,"
    "Metric Exceedance,Phases,Weeks Over Lmax Limit,Weeks Over Metric Limit,First Week Over,Last Week Over";

std::vector<std::string> tableLines(const cProgramme& programme, const cProgrammeResults& results, bool comma);
std::vector<std::string> worstLines(const cProgramme& programme, const cProgrammeResults& results, bool comma);

// A cell's numbers as the table shows them: "0.0", or the marker's word
// ("N/A", "Exempt", "None"), or empty where there is nothing.
std::string levelText(float level);
std::string limitText(float limit);

}  // namespace mProgrammeReport
