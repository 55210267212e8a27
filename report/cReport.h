#pragma once
// The exports of a case's results: the fixed-column text report and the
// comma-delimited report, built as lines and written through SF_DataASCII.
// The builders read the study and change nothing in it; messages go through
// the study's message service.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "SF_DataMessage.h"

class cStudy;
class cReceptorRecord;
class SF_FilePrompt;

class cReport {
public:
  // Report types, as the export menu gives them.
  static constexpr std::int32_t commaReport = 1;
  static constexpr std::int32_t textReport = 2;

  explicit cReport(cStudy& study);

  // The date the report head shows, "MM/DD/YYYY"; today's date when empty.
  std::string reportDate;

  // The export dialog's checks before anything is written: the message to
  // show ("Case must be Processed.", "Please select a Receptor.", "No case
  // results to report."), or an empty text when the export may go on.
  std::string exportProblem(bool allReceptors) const;

  // Append the report's lines; finished is set true only when every line
  // was built (a link to equipment that does not exist leaves it false).
  void buildTextReport(bool allReceptors, std::vector<std::string>& lines, bool& finished) const;
  void buildCommaReport(bool allReceptors, std::vector<std::string>& lines, bool& finished) const;
  // Either builder by report type; false when the builder did not finish.
  bool buildReport(std::int32_t type, bool allReceptors, std::vector<std::string>& lines) const;

  // Asks for a file name and writes the report there. False, after any
  // message, when nothing was written (the prompt was cancelled, the build
  // or the write failed); a failed write leaves an existing file whole.
  bool writeReport(std::int32_t type, bool allReceptors, SF_FilePrompt& prompt) const;
  // Writes built lines to a name already known; shows no message.
  SF_DataMessage writeReportFile(const std::vector<std::string>& lines, const std::string& path) const;

  // The export dialog's Ok: the checks, the export, and "Report saved.".
  // True when the dialog may close.
  bool exportResults(std::int32_t type, bool allReceptors, SF_FilePrompt& prompt) const;

  // The number in the given format ("0.0" or "0"), then spaces up to width;
  // a longer text is not cut.
  static std::string formatPadded(double value, const std::string& format, std::size_t width);
  // The text, then spaces up to width; a longer text is not cut.
  static std::string padRight(const std::string& text, std::size_t width);

private:
  struct ReportedReceptor {
    const cReceptorRecord* receptor;
    std::int32_t number;
  };
  bool reportedReceptors(bool allReceptors, std::vector<ReportedReceptor>& out) const;
  std::string dateText() const;
  bool textReceptor(const ReportedReceptor& r, std::vector<std::string>& lines) const;
  bool commaReceptor(const ReportedReceptor& r, std::vector<std::string>& lines) const;

  cStudy& study_;
};
