#pragma once
// The programme file ("vpg"): the description, the metric, the criteria
// file, and each phase with its weeks, periods and case file, one record per
// comma-delimited line. Paths are kept relative to the programme file, so a
// folder holding a programme and its cases can be moved or sent whole.
//
//   VORN Programme - Version 1.0
//   Bridge replacement, 2027
//   Metric,Leq                    (Leq, L10, or First Phase)
//   Criteria:,criteria/site.cri   (the rest of the line; empty: the first phase's)
//   Phases...
//   Phase:,Demolition,1,6,1,1,0   (name, first week, last week, day, evening, night)
//   Case:,cases/Demolition.cas    (the rest of the line)
//   End...
//
// A path takes the rest of its line as it stands, so no character of a file
// name is lost to the field splitting.

#include <string>
#include <vector>

#include "SF_DataMessage.h"

class cProgramme;

namespace mProgrammeFile {

inline constexpr const char* title = "VORN Programme - Version 1.0";
inline constexpr const char* suffix = "vpg";

// The lines of the file for a programme saved at programmePath.
std::vector<std::string> buildLines(const cProgramme& programme, const std::string& programmePath);

// Saves the programme complete beside the old file, then over it: a failed
// write leaves the old file as it was.
SF_DataMessage write(const cProgramme& programme, const std::string& path);

// Reads a programme, its paths made full against the file's directory. On
// false (unreadable, not a programme file, a record that does not parse)
// programme is as it was.
bool read(const std::string& path, cProgramme& programme);

// A path made full against a directory, and a full path made relative to
// one where they share a root (otherwise left full). UTF-8 bytes; the
// platform's separator in full paths, "/" in relative ones.
std::string resolvePath(const std::string& directory, const std::string& path);
std::string relativePath(const std::string& directory, const std::string& path);
// The directory of a file's path.
std::string directoryOf(const std::string& path);

}  // namespace mProgrammeFile
