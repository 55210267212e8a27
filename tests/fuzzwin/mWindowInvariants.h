#pragma once
// What must hold after anything a user does in the main window. Each check
// returns an empty text when it holds, otherwise what is wrong.

#include <string>

class cSheetGrid;
class cStudy;

namespace mWindowInvariants {

// No NaN or infinity in any record, link, result, setting or criterion.
std::string finiteEverywhere(const cStudy& study);
// Receptor i and equipment i carry rowID i; every receptor links each piece
// of equipment once, and nothing else.
std::string numberedAndLinked(const cStudy& study);
// The results sheet is empty, or shows what the current receptor computes to
// from the case as it stands (worked out on a copy).
std::string resultsAsTheCaseStands(cStudy& study, const cSheetGrid& results);
// When nothing changed since the case was saved or opened, its file reads
// back into the case in memory.
std::string savedCaseMatches(const cStudy& study);
// The batch tool opens the case file and reports on it.
std::string batchOpens(const std::string& path, const std::string& programDir);

}  // namespace mWindowInvariants
