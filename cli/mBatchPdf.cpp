#include "cli/mBatchPdf.h"

#include "casefile/cCaseFile.h"
#include "cli/cStreamMessageService.h"
#include "cli/mBatch.h"
#include "report/IPdfReportWriter.h"
#include "report/cReport.h"
#include "study/cEquipment.h"
#include "study/cStudy.h"
#if VORN_HAVE_GDAL
#include "site/gdal/cGeoPackageSiteFile.h"
#endif

namespace mBatchPdf {

namespace {

Services& services() {
  static Services provided;
  return provided;
}

}  // namespace

void provide(const Services& s) { services() = s; }

bool requested(const std::vector<std::string>& args) { return mBatch::hasOption(args, "--pdf"); }

std::string usage() {
  return "Usage: vorn-batch --pdf OUT.pdf [--date MM/DD/YYYY] [--programme FILE.vpg] CASE\n"
         "Writes the submission report of every receptor (summary, method, criteria, results\n"
         "and charts, the site plan with its noise map) as the PDF file OUT.pdf; exit status as above.\n"
         "  --programme FILE.vpg  report this programme's timeline and worst weeks (default: the first\n"
         "                        programme file beside CASE that has CASE as a phase, if any)\n";
}

bool parseArguments(const std::vector<std::string>& args, Options& options, std::string& error) {
  options = Options{};
  std::vector<std::string> positional;
  bool optionsEnded = false;
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
    std::string value;
    const bool hasValue = mBatch::splitOptionValue(arg, value);
    if (arg != "--pdf" && arg != "--date" && arg != "--programme") {
      error = "--pdf takes only --date and --programme besides the case, not '" + arg + "'";
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= args.size()) {
        error = "option '" + arg + "' needs a value";
        return false;
      }
      value = args[++i];
    }
    if (arg == "--pdf") {
      if (value.empty()) {
        error = "--pdf needs a file name";
        return false;
      }
      options.output = value;
    } else if (arg == "--programme") {
      if (value.empty()) {
        error = "--programme needs a file name";
        return false;
      }
      options.programme = value;
    } else {
      if (!mBatch::isReportDate(value)) {
        error = "--date must be MM/DD/YYYY";
        return false;
      }
      options.date = value;
    }
  }
  if (positional.size() != 1) {
    error = positional.empty() ? "no case file named" : "more than one case file named";
    return false;
  }
  options.casePath = positional[0];
  return true;
}

int run(const Options& options, const std::string& programDir, std::ostream& err) {
  IPdfReportWriter* writer = services().writer;
  if (!writer) {
    err << "vorn-batch: --pdf is not available in this build (it was built without Qt)\n";
    return mBatch::exitCannotRun;
  }
  cStreamMessageService messages(err);
  cStudy study;
  study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
  cEquipment equipment;
  cCaseFile caseFile(study);
#if VORN_HAVE_GDAL
  // The site file beside the case, as the window reads it on File > Open.
  static cGeoPackageSiteFile siteFile;
  caseFile.attachSiteFile(&siteFile);
#endif
  if (!mBatch::openCase(study, equipment, caseFile, programDir, options.casePath)) return mBatch::exitCannotRun;

  const std::string problem = cReport(study).exportProblem(true);
  if (!problem.empty()) {
    messages.show(problem, "VORN", MessageIcon::Critical);
    return mBatch::exitNothingToReport;
  }
  mPdfReport::Inputs inputs;
  inputs.caseName = mPdfReport::caseNameOf(caseFile.caseFileName());
  inputs.reportDate = options.date;
  inputs.preparer = services().preparer;
  inputs.equipmentList = &equipment.colList;
  if (services().places) {
    std::string trouble;
    if (!services().places(study, options.casePath, options.programme, inputs, trouble)) {
      messages.show(trouble, "VORN", MessageIcon::Critical);
      return mBatch::exitCannotRun;
    }
  }
  if (!writer->writePdf(mPdfReport::build(study, inputs), options.output)) {
    messages.show("Problem writing report file.", "VORN", MessageIcon::Critical);
    return mBatch::exitCannotRun;
  }
  return mBatch::exitReported;
}

int main(const std::vector<std::string>& args, const std::string& programDir, std::ostream& out, std::ostream& err) {
  Options options;
  std::string error;
  if (!parseArguments(args, options, error)) {
    err << "vorn-batch: " << error << "\n" << mBatch::usage();
    return mBatch::exitCannotRun;
  }
  (void)out;
  return run(options, programDir, err);
}

}  // namespace mBatchPdf
