#pragma once
// What lays a report document out on pages and writes it as a PDF file. The
// Qt side implements it; a build without Qt has none, and says so.

#include <string>

class cReportDocument;

class IPdfReportWriter {
public:
  virtual ~IPdfReportWriter() = default;
  // Writes the file, replacing one of that name only when the new one is
  // complete. False when it could not be written.
  virtual bool writePdf(const cReportDocument& document, const std::string& path) = 0;
};
