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

// The whole command line: parsing, --help, usage on wrong arguments, run.
// Never throws: running out of memory ends with a message and exitCannotRun.
int main(const std::vector<std::string>& args, const std::string& programDir, std::ostream& out, std::ostream& err);

}  // namespace mBatch
