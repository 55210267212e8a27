#pragma once
// The batch run: options, and the run itself, which opens a case exactly as
// File > Open does (read it, compute every receptor, process each receptor
// in turn, receptor 1 last) and writes the report File > Export Results would.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/mBatchAnalysis.h"
#include "cli/mBatchMap.h"
#include "cli/mBatchSite.h"

class cCaseFile;
class cEquipment;
class cStudy;

namespace mBatch {

// Exit statuses.
inline constexpr int exitReported = 0;
inline constexpr int exitNothingToReport = 1;
inline constexpr int exitCannotRun = 2;

struct Options {
  bool help = false;
  bool comma = false;          // --format csv
  std::int32_t receptor = 0;   // 0: all receptors
  std::string date;            // MM/DD/YYYY; empty: today
  std::string output;          // empty: standard output
  std::string casePath;
  // --explain, --summary or --mitigate instead of the report.
  std::optional<mBatchAnalysis::Mode> analysis;
  // --site FILE, --write-site OUT (the latter instead of the report).
  mBatchSite::Options site;
  // --map OUT [--cell SIZE] [--metric M] [--exceed LANDUSE,PERIOD]: the noise map instead of the report.
  mBatchMap::Options map;
  bool vibration = false;      // --vibration instead of the report
};

std::string usage();

// False with a one-line reason when the arguments are wrong. args excludes
// the program name.
bool parseArguments(const std::vector<std::string>& args, Options& options, std::string& error);

// Runs with parsed options; the report goes to out (or the output file),
// messages to err. Returns the exit status. programDir holds the default
// equipment list, and ends with a path separator.
int run(const Options& options, const std::string& programDir, std::ostream& out, std::ostream& err);

// What every report of the tool starts with: the program's startup as far
// as the case depends on it, then File > Open of casePath. False, after the
// program's message, when the equipment list or the case cannot be read.
bool openCase(cStudy& study, cEquipment& equipment, cCaseFile& caseFile, const std::string& programDir,
              const std::string& casePath);
// "MM/DD/YYYY" with a month 1 to 12 and a day 1 to 31.
bool isReportDate(const std::string& text);

// Whether the options (the arguments before any "--") give `name`, alone or
// as name=value: which of the tool's commands the line asks for.
bool hasOption(const std::vector<std::string>& args, const std::string& name);
// "--name=value" becomes "--name" in arg, with value; true when it held one.
bool splitOptionValue(std::string& arg, std::string& value);

// The whole command line: parsing, --help, usage on wrong arguments, run.
// Never throws: running out of memory ends with a message and exitCannotRun.
int main(const std::vector<std::string>& args, const std::string& programDir, std::ostream& out, std::ostream& err);

}  // namespace mBatch
