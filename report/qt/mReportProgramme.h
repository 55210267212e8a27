#pragma once
// The programme section of the PDF report: a construction programme the
// case is a phase of, with its phases, its timeline and each receptor's worst
// week of each period, the numbers as the programme's text report gives them
// (vorn-batch --programme FILE --worst). Plain C++ over the programme's
// computation; it stands on the Qt side only because the report's core may
// not reach up to programmes.

#include <string>
#include <vector>

#include "report/cReportDocument.h"

class cProgramme;
class cProgrammeResults;

namespace mReportProgramme {

// The programme reported with a case when none is named: the first programme
// file (".vpg", by file name) in the case's folder that has the case as one
// of its phases; empty when there is none. Paths are the file system's bytes.
std::string programmeBeside(const std::string& casePath);

// The section of a programme computed, its file named by fileName.
std::vector<cReportBlock> section(const cProgramme& programme, const cProgrammeResults& results,
                                  const std::string& fileName);

// The section of the programme named, or of the one beside the case when
// named is empty (none: no blocks). False, with problem set to what to tell
// the user, when a named programme file cannot be read.
bool sectionsFor(const std::string& casePath, const std::string& named, std::vector<cReportBlock>& blocks,
                 std::string& problem);

}  // namespace mReportProgramme
