#include "cli/mBatchProgramme.h"

#include "SF_DataASCII.h"
#include "cli/mBatch.h"
#include "programme/cPhaseCases.h"
#include "programme/cProgramme.h"
#include "programme/mProgrammeCompute.h"
#include "programme/mProgrammeFile.h"
#include "programme/mProgrammeReport.h"

namespace mBatchProgramme {

namespace {

constexpr int exitReported = 0;
constexpr int exitNothingToReport = 1;
constexpr int exitCannotRun = 2;

bool writeLines(const std::vector<std::string>& lines, std::ostream& out) {
  for (const auto& line : lines) {
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.write("\r\n", 2);
  }
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace

bool wanted(const std::vector<std::string>& args) { return mBatch::hasOption(args, "--programme"); }

std::string usage() {
  return "Usage: vorn-batch --programme FILE.vpg [--format txt|csv] [--worst] [--output FILE]\n"
         "Reads the construction programme FILE.vpg and its phases' cases and writes every receptor's\n"
         "levels, limits and exceedances week by week and period by period.\n"
         "  --format txt|csv    fixed-column text (default) or comma-delimited lines\n"
         "  --worst             each receptor's worst week of each period instead, with the weeks over\n"
         "  --output FILE       write to FILE instead of standard output\n"
         "Exit status: 0 written; 1 nothing to report; 2 the programme, a phase or its criteria could\n"
         "not be read (what could be computed is still written), or the arguments are wrong.\n";
}

bool parseArguments(const std::vector<std::string>& args, Options& options, std::string& error) {
  options = Options{};
  bool named = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg == "--worst") {
      options.worst = true;
      continue;
    }
    std::string value;
    const bool hasValue = mBatch::splitOptionValue(arg, value);
    if (arg != "--programme" && arg != "--format" && arg != "--output") {
      error = arg.rfind("-", 0) == 0 && arg.size() > 1 ? "unknown option '" + arg + "' with --programme"
                                                       : "'" + arg + "': the programme file follows --programme";
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= args.size()) {
        error = "option '" + arg + "' needs a value";
        return false;
      }
      value = args[++i];
    }
    if (arg == "--format") {
      if (value != "txt" && value != "csv") {
        error = "--format must be txt or csv";
        return false;
      }
      options.comma = value == "csv";
    } else if (arg == "--output") {
      if (value.empty()) {
        error = "--output needs a file name";
        return false;
      }
      options.output = value;
    } else {
      if (named || value.empty()) {
        error = named ? "more than one programme file named" : "--programme needs a file name";
        return false;
      }
      named = true;
      options.programmePath = value;
    }
  }
  if (!named) {
    error = "no programme file named";
    return false;
  }
  return true;
}

int main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  std::string error;
  if (!parseArguments(args, options, error)) {
    err << "vorn-batch: " << error << "\n" << usage();
    return exitCannotRun;
  }
  cProgramme programme;
  if (!mProgrammeFile::read(options.programmePath, programme)) {
    err << "Problem reading programme file.\n";
    return exitCannotRun;
  }
  cPhaseCases cases;
  cases.load(programme);
  const cProgrammeResults results = mProgrammeCompute::compute(programme, cases);
  for (const auto& m : results.messages) err << m << "\n";
  if (results.receptors.empty()) {
    err << "No programme results to report.\n";
    return exitNothingToReport;
  }
  const auto lines = options.worst ? mProgrammeReport::worstLines(programme, results, options.comma)
                                   : mProgrammeReport::tableLines(programme, results, options.comma);
  bool written = false;
  if (options.output.empty()) {
    written = writeLines(lines, out);
  } else {
    SF_DataASCII file;
    file.Lines(lines);
    written = file.writeLines(options.output) == SF_DATA_OK;
  }
  if (!written) {
    err << "Problem writing report file.\n";
    return exitCannotRun;
  }
  return cases.messages().empty() ? exitReported : exitCannotRun;
}

}  // namespace mBatchProgramme
