#pragma once
// The vibration settings of a case, in a small text file beside the case
// named after it ("Bridge.cas" keeps its vibration in "Bridge.vib"). Lines:
//   VORN Vibration - Version 1.0
//   Exponent,1.5
//   Receptor:,number,description,building category 1-4,annoyance limit or Default
//   Mapping:,equipment description,table row name or None
// Descriptions holding a comma are quoted, as in the case file. Unknown
// lines are skipped, so a later version's additions still read.

#include <array>
#include <string>
#include <vector>

#include "SF_DataMessage.h"

class cStudy;
class cVibrationSettings;

namespace mVibrationFile {

inline constexpr const char* suffix = "vib";
inline constexpr const char* readProblem = "Problem reading vibration file.";
inline constexpr const char* writeProblem = "Problem writing vibration file.";

// The file beside a case: its directory (ending with a separator, or empty)
// and its name with the last suffix replaced.
std::string pathBeside(const std::string& caseDirectory, const std::string& caseFileName);

enum class ReadStatus { missing, read, unreadable };
// On read the settings are replaced by the file's; otherwise they are left
// as they were (a file that does not exist is not an error: the case has
// had no vibration settings yet).
ReadStatus read(const std::string& path, cVibrationSettings& settings);

std::vector<std::string> buildLines(const cVibrationSettings& settings, const cStudy& study);

// The same content as rows of a table (the site file keeps them so), one
// row a line, in the columns below; a line's fields go to the columns its
// kind uses and the others stay empty:
//   record    number  description  value                          annoyance_limit
//   Format                         VORN Vibration - Version 1.0
//   Exponent                       1.5
//   Receptor  1       School       building category 1-4          annoyance limit or Default
//   Mapping           Hoe Ram      table row name or None
inline constexpr std::size_t tableColumnCount = 5;
inline constexpr std::array<const char*, tableColumnCount> tableColumns = {"record", "number", "description", "value",
                                                                          "annoyance_limit"};
using TableRow = std::array<std::string, tableColumnCount>;
std::vector<TableRow> buildTableRows(const cVibrationSettings& settings, const cStudy& study);
// The settings the rows say, checked as a file's lines are; false, with
// the settings untouched, when they are not rows of ours.
bool readTableRows(const std::vector<TableRow>& rows, cVibrationSettings& settings);
// Complete, then renamed over the old file.
SF_DataMessage write(const std::string& path, const cVibrationSettings& settings, const cStudy& study);
// Whether a save has anything to write: settings that are not the defaults,
// or a file already there that would otherwise keep the old ones.
bool worthWriting(const std::string& path, const cVibrationSettings& settings);

}  // namespace mVibrationFile
