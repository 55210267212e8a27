#include "cli/mBatch.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <iterator>
#include <new>

#include "casefile/cCaseFile.h"
#include "cli/cStreamMessageService.h"
#include "cli/mBatchProgramme.h"
#include "cli/mBatchPdf.h"
#include "cli/mBatchVibration.h"
#include "compute/mProcess.h"
#include "equipment/mEquipmentListFile.h"
#include "report/cReport.h"
#include "study/cEquipment.h"
#include "study/cStudy.h"

namespace mBatch {

namespace {

bool parseReceptor(const std::string& text, std::int32_t& receptor) {
  std::int32_t value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || value < 1) return false;
  receptor = value;
  return true;
}

bool digits(const std::string& s, std::size_t from, std::size_t count, int& value) {
  value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

bool reportDate(const std::string& s) {
  if (s.size() != 10 || s[2] != '/' || s[5] != '/') return false;
  int month = 0, day = 0, year = 0;
  return digits(s, 0, 2, month) && digits(s, 3, 2, day) && digits(s, 6, 4, year) && month >= 1 && month <= 12 &&
         day >= 1 && day <= 31;
}

// "dir/name" as the directory with its separator and the bare name.
void splitPath(const std::string& path, std::string& directory, std::string& name) {
  const std::size_t slash = path.find_last_of('/');
  directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  name = slash == std::string::npos ? path : path.substr(slash + 1);
}

// What the program does at startup before the window takes over, as far as
// the case and its reports depend on it.
bool startUp(cStudy& study, cEquipment& equipment, const std::string& programDir) {
  if (!loadDefaultEquipmentList(equipment, programDir, study.messages())) return false;
  study.NoiseMetric = 2;  // the metric list starts on L10
  study.NoiseLimits.setDefaultLimits();
  study.setProcessButtonOn(2);
  study.outlineReceptor(1);
  study.NoiseLimits.Criteria.clearCriteria();
  study.NoiseLimits.Criteria.clearHold();
  study.setCaseChanged(false);
  return true;
}

// Clicking receptor row n: it becomes current and is computed again. A row
// without a receptor leaves none selected.
void selectReceptor(cStudy& study, std::int32_t receptor) {
  const bool exists = receptor <= static_cast<std::int32_t>(study.colReceptors.size());
  study.setReceptorID(receptor);
  if (exists) mProcess::processReceptor(study);
}

const std::pair<const char*, mBatchAnalysis::Mode> analysisOptions[] = {
    {"--explain", mBatchAnalysis::Mode::explain},
    {"--summary", mBatchAnalysis::Mode::summary},
    {"--mitigate", mBatchAnalysis::Mode::mitigate},
};

bool writeLines(const std::vector<std::string>& lines, std::ostream& out) {
  for (const auto& line : lines) {
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.write("\r\n", 2);
  }
  out.flush();
  return static_cast<bool>(out);
}

// The lines to standard output or to the output file.
int deliver(const cReport& report, const std::vector<std::string>& lines, const Options& options, std::ostream& out,
            IMessageService& messages) {
  const bool written = options.output.empty() ? writeLines(lines, out)
                                              : report.writeReportFile(lines, options.output) == SF_DATA_OK;
  if (!written) {
    messages.show("Problem writing report file.", "VORN", MessageIcon::Critical);
    return exitCannotRun;
  }
  return exitReported;
}

}  // namespace

std::string usage() {
  return std::string("Usage: vorn-batch [--format txt|csv] [--receptor N] [--date MM/DD/YYYY] [--output FILE] CASE\n"
         "       vorn-batch --explain|--summary|--mitigate [--format txt|csv] [--receptor N] [--output FILE] CASE\n"
         "       vorn-batch --map OUT.tif|OUT.geojson|OUT.gpkg [--cell SIZE] [--metric lmax|leq|l10] [--exceed LANDUSE,PERIOD] CASE\n"
         "       vorn-batch --programme FILE.vpg [--format txt|csv] [--worst] [--output FILE]\n"
         "       vorn-batch --vibration [--format txt|csv] [--receptor N] [--output FILE] CASE\n"
         "Opens the case file CASE, computes every receptor and writes the results report.\n"
         "  --explain           how every level, limit and exceedance came about (txt only)\n"
         "  --summary           each receptor's worst exceedance by period, with its own baselines\n"
         "  --mitigate          the shielding, usage or distance that would bring each exceeded level\n"
         "                      within its limit\n"
         "  --vibration         construction vibration (PPV, Lv) at each receptor, with the\n"
         "                      settings kept beside the case\n"
         "  --format txt|csv    fixed-column text report (default) or comma-delimited report\n"
         "  --receptor N        report receptor N only, as the selected receptor (default: all)\n"
         "  --date MM/DD/YYYY   the date the report shows (default: today)\n"
         "  --output FILE       write the report to FILE instead of standard output\n"
         "  --map OUT           write the noise map instead of a report: OUT.tif the grid (GeoTIFF), OUT.geojson,\n"
         "                      OUT.shp or OUT.gpkg its 5 dB bands as polygons\n"
         "  --cell SIZE         the map's cell size in the case's units (default: the plan over 500 cells)\n"
         "  --metric M          the map's level: lmax, leq or l10 (default: the case's metric)\n"
         "  --exceed USE,PERIOD the map as the level over the limit for a land use and period\n"
         "                      (e.g. Residential,night[,impact][,baseline=48])\n"
         "  --site FILE         take positions and barriers from the site plan FILE before computing\n"
         "  --write-site OUT    write the case's site plan to the GeoPackage OUT instead of a report\n"
         "  --help              show this text\n"
         "Exit status: 0 report written; 1 nothing to report; 2 the case could not be read,\n"
         "the report could not be written, or the arguments are wrong.\n") +
         mBatchPdf::usage();
}

bool parseArguments(const std::vector<std::string>& args, Options& options, std::string& error) {
  options = Options{};
  bool optionsEnded = false;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg == "--vibration") {
      options.vibration = true;
      continue;
    }
    const auto analysis = std::find_if(std::begin(analysisOptions), std::end(analysisOptions),
                                       [&arg](const auto& option) { return arg == option.first; });
    if (analysis != std::end(analysisOptions)) {
      if (options.analysis && *options.analysis != analysis->second) {
        error = "only one of --explain, --summary and --mitigate";
        return false;
      }
      options.analysis = analysis->second;
      continue;
    }
    std::string value;
    const bool hasValue = splitOptionValue(arg, value);
    if (arg != "--format" && arg != "--receptor" && arg != "--date" && arg != "--output" && arg != "--site" &&
        arg != "--write-site" && !mBatchMap::isOption(arg)) {
      error = "unknown option '" + arg + "'";
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= args.size()) {
        error = "option '" + arg + "' needs a value";
        return false;
      }
      value = args[++i];
    }
    if (mBatchMap::isOption(arg)) {
      if (!mBatchMap::setOption(arg, value, options.map, error)) return false;
    } else if (arg == "--site" || arg == "--write-site") {
      if (value.empty()) {
        error = arg + " needs a file name";
        return false;
      }
      (arg == "--site" ? options.site.site : options.site.writeSite) = value;
    } else if (arg == "--format") {
      if (value != "txt" && value != "csv") {
        error = "--format must be txt or csv";
        return false;
      }
      options.comma = value == "csv";
    } else if (arg == "--receptor") {
      if (!parseReceptor(value, options.receptor)) {
        error = "--receptor needs a receptor number of 1 or more";
        return false;
      }
    } else if (arg == "--date") {
      if (!reportDate(value)) {
        error = "--date must be MM/DD/YYYY";
        return false;
      }
      options.date = value;
    } else {
      if (value.empty()) {
        error = "--output needs a file name";
        return false;
      }
      options.output = value;
    }
  }
  if (options.help) return true;
  if (!mBatchMap::check(options.map, error)) return false;
  if (options.vibration && options.analysis) {
    error = "--vibration cannot be combined with --explain, --summary or --mitigate";
    return false;
  }
  if (options.analysis == mBatchAnalysis::Mode::explain && options.comma) {
    error = "--explain writes text only";
    return false;
  }
  if (positional.size() != 1) {
    error = positional.empty() ? "no case file named" : "more than one case file named";
    return false;
  }
  options.casePath = positional[0];
  return true;
}

int run(const Options& options, const std::string& programDir, std::ostream& out, std::ostream& err) {
  cStreamMessageService messages(err);
  cStudy study;
  study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
  cEquipment equipment;
  if (!startUp(study, equipment, programDir)) return exitCannotRun;

  // File > Open.
  cCaseFile caseFile(study);
  study.caseFileOpen = [&caseFile] { return caseFile.bCaseOpen; };
  study.setCaseChanged(false);
  study.caseProcessed = false;
  caseFile.closeCase();
  std::string directory, name;
  splitPath(options.casePath, directory, name);
  mBatchSite::attach(options.site, caseFile);
  mBatchMap::attach(options.map, caseFile);
  if (!caseFile.openCaseAt(directory, name)) return exitCannotRun;
  if (!mBatchSite::applySite(options.site, study, messages)) return exitCannotRun;
  if (!options.site.writeSite.empty())
    return mBatchSite::writeSite(options.site, study, messages) ? exitReported : exitCannotRun;
  if (options.map.wanted()) return mBatchMap::run(options.map, study, messages);
  if (options.vibration) {
    std::vector<std::string> lines;
    const int status = mBatchVibration::build(study, directory, name, options.comma, options.receptor, lines);
    return status == exitReported ? deliver(cReport(study), lines, options, out, messages) : status;
  }
  if (options.analysis) {
    std::vector<std::string> lines;
    if (!mBatchAnalysis::build(study, *options.analysis, options.comma, options.receptor, lines))
      return exitNothingToReport;
    return deliver(cReport(study), lines, options, out, messages);
  }

  // File > Export Results, for the selected receptor or all of them.
  const bool allReceptors = options.receptor == 0;
  if (!allReceptors) selectReceptor(study, options.receptor);
  cReport report(study);
  report.reportDate = options.date;
  const std::string problem = report.exportProblem(allReceptors);
  if (!problem.empty()) {
    messages.show(problem, "VORN", MessageIcon::Critical);
    return exitNothingToReport;
  }
  std::vector<std::string> lines;
  if (!report.buildReport(options.comma ? cReport::commaReport : cReport::textReport, allReceptors, lines)) {
    messages.show("Problem builing report", "VORN", MessageIcon::Critical);
    return exitNothingToReport;
  }
  return deliver(report, lines, options, out, messages);
}

int main(const std::vector<std::string>& args, const std::string& programDir, std::ostream& out,
         std::ostream& err) try {
  // --pdf first: it may name a programme to report with the case.
  if (mBatchPdf::requested(args)) return mBatchPdf::main(args, programDir, out, err);
  if (mBatchProgramme::wanted(args)) return mBatchProgramme::main(args, out, err);
  Options options;
  std::string error;
  if (!parseArguments(args, options, error)) {
    err << "vorn-batch: " << error << "\n" << usage();
    return exitCannotRun;
  }
  if (options.help) {
    out << usage();
    out.flush();
    return exitReported;
  }
  return run(options, programDir, out, err);
} catch (const std::bad_alloc&) {
  // Reading the case already turns this into its own message; what is left
  // is a case too large to compute or report.
  err << "vorn-batch: not enough memory to finish\n";
  return exitCannotRun;
} catch (const std::exception& e) {
  err << "vorn-batch: " << e.what() << "\n";
  return exitCannotRun;
}

bool isReportDate(const std::string& text) { return reportDate(text); }

bool hasOption(const std::vector<std::string>& args, const std::string& name) {
  for (const std::string& arg : args) {
    if (arg == "--") return false;
    if (arg == name || arg.rfind(name + "=", 0) == 0) return true;
  }
  return false;
}

bool splitOptionValue(std::string& arg, std::string& value) {
  const std::size_t eq = arg.find('=');
  if (arg.rfind("--", 0) != 0 || eq == std::string::npos) return false;
  value = arg.substr(eq + 1);
  arg.erase(eq);
  return true;
}

bool openCase(cStudy& study, cEquipment& equipment, cCaseFile& caseFile, const std::string& programDir,
              const std::string& casePath) {
  if (!startUp(study, equipment, programDir)) return false;
  study.caseFileOpen = [&caseFile] { return caseFile.bCaseOpen; };
  study.setCaseChanged(false);
  study.caseProcessed = false;
  caseFile.closeCase();
  std::string directory, name;
  splitPath(casePath, directory, name);
  return caseFile.openCaseAt(directory, name);
}

}  // namespace mBatch
