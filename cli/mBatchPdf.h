#pragma once
// vorn-batch --pdf OUT.pdf CASE [--date MM/DD/YYYY] [--programme FILE.vpg]:
// the submission report of every receptor as a PDF file, the document File >
// Export Results > PDF Report... writes: with the case's site plan and its
// noise map when the case has one, and the programme that has the case as a
// phase (the first such programme file beside the case, or FILE.vpg). The
// layout needs Qt; a build without it has no writer and says so.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "report/mPdfReport.h"

class IPdfReportWriter;
class cStudy;

namespace mBatchPdf {

// What only a build with Qt has: the writer and the preparer from the
// user's settings. The executable's main provides them before the run.
struct Services {
  IPdfReportWriter* writer = nullptr;
  mPdfReport::Preparer preparer;
  // Puts in the sections about places and time (see report/qt/mReportPlaces):
  // the opened case, its path, the programme named (empty: the one beside
  // the case). False with the message when the programme cannot be read.
  std::function<bool(const cStudy&, const std::string& casePath, const std::string& programme,
                     mPdfReport::Inputs&, std::string& problem)>
      places;
};
void provide(const Services& services);

struct Options {
  std::string output;
  std::string casePath;
  std::string date;  // MM/DD/YYYY; empty: today
  std::string programme;  // --programme FILE.vpg; empty: the one beside the case
};

// True when the arguments ask for the PDF report.
bool requested(const std::vector<std::string>& args);
// False with a one-line reason when the arguments are wrong.
bool parseArguments(const std::vector<std::string>& args, Options& options, std::string& error);

// The usage lines of the command.
std::string usage();

// Opens the case as vorn-batch does for every report and writes the PDF.
// Returns the exit status of vorn-batch.
int run(const Options& options, const std::string& programDir, std::ostream& err);
int main(const std::vector<std::string>& args, const std::string& programDir, std::ostream& out, std::ostream& err);

}  // namespace mBatchPdf
