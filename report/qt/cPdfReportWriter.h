#pragma once
// Lays a report document out on pages with Qt's text document and writes it
// with Qt's PDF writer: the fonts embedded, tables whose headings repeat on
// every page they run onto, "Page n of N" and the case's name in the footer.
// Given the same document the bytes are the same, apart from the creation
// time stamp the PDF writer puts in.

#include <QByteArray>
#include <QPageSize>

#include "report/IPdfReportWriter.h"

class cReportDocument;

class cPdfReportWriter : public IPdfReportWriter {
public:
  // How the paths given to writePdf are spelt: the window's file prompt
  // gives the file system's own bytes, the batch tool's command line UTF-8.
  enum class PathText { fileSystem, utf8 };

  explicit cPdfReportWriter(QPageSize pageSize, PathText pathText = PathText::fileSystem);

  // The PDF file's bytes.
  QByteArray render(const cReportDocument& document) const;
  // Writes beside the target, then renames over it.
  bool writePdf(const cReportDocument& document, const std::string& path) override;

  // The number of pages the last render laid out.
  int lastPageCount() const { return lastPageCount_; }

private:
  QPageSize pageSize_;
  PathText pathText_;
  mutable int lastPageCount_ = 0;
};
