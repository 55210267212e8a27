#pragma once
// Turns the user guide's Markdown into a paginated PDF: chapters on new
// pages, a table of contents with page numbers, the screenshots fitted to
// the page, and a footer with the page number on every page.

#include <string>
#include <vector>

#include <QtGlobal>

class QFont;
class QPainter;
class QTextDocument;

class cGuideWriter {
public:
  // imageDir holds the pictures the Markdown names by bare file name.
  cGuideWriter(std::string markdownPath, std::string imageDir);

  // Writes the PDF; false, with the reason in error(), when the Markdown or
  // a picture it names cannot be read, or the PDF cannot be written.
  bool write(const std::string& pdfPath);
  const std::string& error() const { return error_; }

  // Also draws each page as a PNG into this directory.
  void setPreviewDir(std::string dir) { previewDir_ = std::move(dir); }

  // After a write: the chapters and sections with their pages, as the
  // contents list them, and the number of pages.
  struct Entry {
    int level;
    std::string title;
    int page;
  };
  const std::vector<Entry>& contents() const { return contents_; }
  int pageCount() const { return pageCount_; }

private:
  void drawPage(QPainter& painter, const QTextDocument& doc, int page, qreal footerHeight,
                const QFont& footerFont) const;

  std::string markdownPath_;
  std::string imageDir_;
  std::string previewDir_;
  std::string error_;
  std::vector<Entry> contents_;
  int pageCount_ = 0;
};
