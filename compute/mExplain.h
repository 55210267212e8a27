#pragma once
// How a number of the results sheet came about, in words a consultant can
// check by hand: the reference level at 50 ft, the distance term, the
// shielding, the usage term, the L10 adjustment, the limit's criterion with
// the baseline it used, and the exceedance. The results sheet shows it as the
// tip of a cell; vorn-batch --explain prints it for every receptor.

#include <cstdint>
#include <string>
#include <vector>

class cReceptorRecord;
class cStudy;

namespace mExplain {

// equipmentID of the Total line.
inline constexpr std::int32_t totalLine = 0;
// column for the whole line: every computed cell, under a title.
inline constexpr std::int32_t wholeLine = 0;

// The explanation of one cell of a computed receptor, as lines. column is
// that of the results sheet: 1 (the description) or wholeLine for the whole
// line, 2 and 3 the calculated Lmax and metric, 4 to 9 the day, evening and
// night limits, 10 to 15 their exceedances (Lmax in the even columns, the
// case's metric in the odd ones). Empty where nothing was computed: no such
// link, a link not computed, a column outside 0..15.
std::vector<std::string> explain(const cStudy& study, const cReceptorRecord& receptor, std::int32_t equipmentID,
                                 std::int32_t column);

// The same for the stored results of the receptor with this ID (those the
// results sheet shows for the selected receptor), lines joined by "\n".
std::string explainCell(const cStudy& study, std::int32_t receptorID, std::int32_t equipmentID,
                        std::int32_t column);

}  // namespace mExplain
