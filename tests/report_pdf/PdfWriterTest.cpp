// The PDF as a reader finds it: every level, limit and exceedance of the text
// report of each example case in the PDF's text, the pages numbered, the
// fonts embedded, long tables headed on every page, and the same bytes for
// the same document.

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>

#include "cli/mBatch.h"
#include "cli/qt/mBatchQt.h"
#include "qtplatform/cMemorySettingsStore.h"
#include "report/cReportDocument.h"
#include "report/qt/cPdfReportWriter.h"
#include "report/qt/mReportPageSize.h"
#include "tests/app/QtTestSupport.h"
#include "tests/report_pdf/PdfTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kDate = "02/14/2026";
const char* const kExamples[] = {"Bridge Demolition.cas", "Building Foundation.cas", "Night Paving.cas"};

std::string example(const char* name) { return std::string(VORN_SOURCE_DIR) + "/examples/" + name; }
std::string programDir() { return std::string(VORN_BIN_DIR) + "/"; }

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      if (start < text.size()) out.push_back(text.substr(start));
      break;
    }
    out.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return out;
}

std::string textReport(const std::string& casePath) {
  std::ostringstream out, err;
  EXPECT_EQ(mBatch::main({"--date", kDate, casePath}, programDir(), out, err), mBatch::exitReported) << err.str();
  return out.str();
}

int writePdf(const std::string& casePath, const std::string& pdf, ISettingsStore& settings, std::string* errors = nullptr) {
  std::ostringstream out, err;
  const int status = mBatchQt::main(0, nullptr, {"--pdf", pdf, "--date", kDate, casePath}, programDir(), out, err,
                                    &settings);
  if (errors) *errors = err.str();
  return status;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }
bool blank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

std::string lastWords(const std::string& line, std::size_t n) {
  const std::vector<std::string> w = words(line);
  std::string out;
  for (std::size_t i = w.size() > n ? w.size() - n : 0; i < w.size(); ++i) out += (out.empty() ? "" : " ") + w[i];
  return out;
}

// The value sequences of the text report as a PDF table row must hold them:
// baselines, equipment (impact, usage, Lmax, distance, shielding) and each
// results line's fourteen levels, limits and exceedances.
std::vector<std::string> reportedValues(const std::vector<std::string>& report) {
  std::vector<std::string> out;
  enum class In { none, baselines, equipment, results } in = In::none;
  for (const std::string& line : report) {
    if (startsWith(line, "-----------") && line.find("--------        -------") != std::string::npos) {
      in = In::baselines;
      continue;
    }
    if (startsWith(line, "-----------") && line.find("------  -----    -----") != std::string::npos) {
      in = In::equipment;
      continue;
    }
    if (startsWith(line, "----------------------") && line.find("------  ------     ------") != std::string::npos) {
      in = In::results;
      continue;
    }
    if (blank(line)) {
      in = In::none;
      continue;
    }
    switch (in) {
      case In::baselines:
        out.push_back(lastWords(line, 3));
        in = In::none;
        break;
      case In::equipment: out.push_back(lastWords(line, 5)); break;
      case In::results: out.push_back(lastWords(line, 14)); break;
      case In::none: break;
    }
  }
  return out;
}

bool hasRowWith(const std::vector<std::string>& pdfLines, const std::string& values) {
  return std::any_of(pdfLines.begin(), pdfLines.end(), [&](const std::string& l) {
    return (" " + l + " ").find(" " + values + " ") != std::string::npos;
  });
}

int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

class PdfWriter : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    if (!haveTool(QStringLiteral("pdftotext")) || !haveTool(QStringLiteral("pdffonts")))
      GTEST_SKIP() << "poppler-utils (pdftotext, pdffonts) are not installed";
    settings.saveSetting("Corvath VORN", "Report", "Organisation", "Harbour Acoustics");
    settings.saveSetting("Corvath VORN", "Report", "Author", "R. Field");
  }
  TempDir dir;
  cMemorySettingsStore settings;
};

TEST_F(PdfWriter, EveryExampleCaseHoldsEveryNumberOfItsTextReport) {
  for (const char* name : kExamples) {
    SCOPED_TRACE(name);
    const std::string pdf = dir.file(std::string(name) + ".pdf");
    ASSERT_EQ(writePdf(example(name), pdf, settings), mBatch::exitReported);
    const std::string text = pdfText(pdf);
    ASSERT_FALSE(text.empty());
    const std::vector<std::string> pdfLines = collapsedLines(text);
    const std::vector<std::string> values = reportedValues(lines(textReport(example(name))));
    ASSERT_GT(values.size(), 3u);
    for (const std::string& v : values) EXPECT_TRUE(hasRowWith(pdfLines, v)) << "missing: " << v;
    EXPECT_NE(text.find("Harbour Acoustics"), std::string::npos);
    EXPECT_NE(text.find("R. Field"), std::string::npos);
    EXPECT_NE(text.find(kDate), std::string::npos);
  }
}

TEST_F(PdfWriter, PagesAreNumberedOfTheirCountWithTheCaseNameBeside) {
  const std::string pdf = dir.file("bridge.pdf");
  ASSERT_EQ(writePdf(example("Bridge Demolition.cas"), pdf, settings), mBatch::exitReported);
  const std::string text = pdfText(pdf);
  const int pages = count(text, "\f");
  ASSERT_GE(pages, 3);
  for (int page = 1; page <= pages; ++page)
    EXPECT_EQ(count(text, "Page " + std::to_string(page) + " of " + std::to_string(pages)), 1) << page;
  // The footer's case name on every page, besides the title block's.
  EXPECT_GE(count(text, "Bridge Demolition"), pages);
}

TEST_F(PdfWriter, FontsAreEmbedded) {
  const std::string pdf = dir.file("night.pdf");
  ASSERT_EQ(writePdf(example("Night Paving.cas"), pdf, settings), mBatch::exitReported);
  const std::string fonts = popplerOutput(QStringLiteral("pdffonts"), {QString::fromStdString(pdf)});
  const std::vector<std::string> rows = collapsedLines(fonts);
  ASSERT_GT(rows.size(), 2u) << fonts;
  int listed = 0;
  for (std::size_t i = 2; i < rows.size(); ++i) {
    if (rows[i].empty()) continue;
    ++listed;
    // name type encoding emb sub uni object ID: "emb" is the fourth column from the end but three.
    const std::vector<std::string> w = words(rows[i]);
    ASSERT_GE(w.size(), 7u) << rows[i];
    EXPECT_EQ(w[w.size() - 5], "yes") << rows[i];
  }
  EXPECT_GT(listed, 0);
}

cReportDocument longTable(int rows) {
  cReportDocument doc;
  doc.title = "Long";
  doc.footer = "Long case";
  doc.heading("A long table");
  cReportTable t;
  t.widths = {3, 1};
  t.header.push_back({cReportCell{"Equipment heading"}, cReportCell{"Level heading"}});
  for (int i = 1; i <= rows; ++i)
    t.body.push_back({cReportCell{"Row " + std::to_string(i) + "\nsecond line"}, cReportCell{std::to_string(i)}});
  doc.table(std::move(t));
  return doc;
}

TEST_F(PdfWriter, ATableRunningOverPagesRepeatsItsHeadingOnEveryPage) {
  cPdfReportWriter writer{QPageSize(QPageSize::A4)};
  const std::string pdf = dir.file("long.pdf");
  ASSERT_TRUE(writer.writePdf(longTable(150), pdf));
  const std::string text = pdfText(pdf);
  const int pages = count(text, "\f");
  ASSERT_GE(pages, 3);
  EXPECT_EQ(writer.lastPageCount(), pages);
  EXPECT_EQ(count(text, "Equipment heading"), pages);
  // Each row stays whole on one page: its two lines follow each other.
  const std::vector<std::string> l = collapsedLines(text);
  for (std::size_t i = 0; i < l.size(); ++i) {
    if (startsWith(l[i], "Row ")) {
      ASSERT_LT(i + 1, l.size());
      EXPECT_EQ(l[i + 1], "second line") << l[i];
    }
  }
}

TEST_F(PdfWriter, TheSameDocumentGivesTheSameBytesApartFromTheTimeStamp) {
  const std::string a = dir.file("a.pdf"), b = dir.file("b.pdf");
  ASSERT_EQ(writePdf(example("Building Foundation.cas"), a, settings), mBatch::exitReported);
  ASSERT_EQ(writePdf(example("Building Foundation.cas"), b, settings), mBatch::exitReported);
  const QByteArray first = QByteArray::fromStdString(TempDir::read(a));
  const QByteArray second = QByteArray::fromStdString(TempDir::read(b));
  EXPECT_TRUE(first.startsWith("%PDF-"));
  EXPECT_EQ(withoutTimeStamp(first), withoutTimeStamp(second));
  // The stamp is all that is blanked: another preparer is another file.
  settings.saveSetting("Corvath VORN", "Report", "Author", "Someone Else");
  ASSERT_EQ(writePdf(example("Building Foundation.cas"), b, settings), mBatch::exitReported);
  EXPECT_NE(withoutTimeStamp(first), withoutTimeStamp(QByteArray::fromStdString(TempDir::read(b))));
}

TEST_F(PdfWriter, PaperFollowsTheLocale) {
  struct Case {
    const char* locale;
    QPageSize::PageSizeId size;
  };
  for (const Case& c : {Case{"en_US", QPageSize::Letter}, Case{"en_CA", QPageSize::Letter},
                        Case{"es_MX", QPageSize::Letter}, Case{"en_GB", QPageSize::A4}, Case{"de_DE", QPageSize::A4},
                        Case{"en_AU", QPageSize::A4}, Case{"C", QPageSize::A4}})
    EXPECT_EQ(mReportPageSize::forLocale(QLocale(QString::fromLatin1(c.locale))).id(), c.size) << c.locale;

  cPdfReportWriter letter{QPageSize(QPageSize::Letter)};
  const std::string pdf = dir.file("letter.pdf");
  ASSERT_TRUE(letter.writePdf(longTable(3), pdf));
  const std::string info = popplerOutput(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
  EXPECT_NE(info.find("612 x 792 pts"), std::string::npos) << info;
}

TEST_F(PdfWriter, AFileThatCannotBeWrittenFailsAndAnOldOneIsReplacedWhole) {
  cPdfReportWriter writer{QPageSize(QPageSize::A4)};
  EXPECT_FALSE(writer.writePdf(longTable(2), dir.file("missing/folder/x.pdf")));
  const std::string pdf = dir.file("old.pdf");
  TempDir::write(pdf, std::string(200000, 'x'));
  ASSERT_TRUE(writer.writePdf(longTable(2), pdf));
  const std::string bytes = TempDir::read(pdf);
  EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(bytes.find("xxxx"), std::string::npos);
}

TEST_F(PdfWriter, BatchRefusesWrongArgumentsAndAnUnreadableCase) {
  std::string errors;
  EXPECT_EQ(writePdf(dir.file("none.cas"), dir.file("x.pdf"), settings, &errors), mBatch::exitCannotRun);
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.pdf")));
  std::ostringstream out, err;
  EXPECT_EQ(mBatchQt::main(0, nullptr, {"--pdf", dir.file("x.pdf"), "--format", "csv", example("Night Paving.cas")},
                           programDir(), out, err, &settings),
            mBatch::exitCannotRun);
  EXPECT_NE(err.str().find("--pdf takes only --date"), std::string::npos) << err.str();
  std::ostringstream out2, err2;
  EXPECT_EQ(mBatchQt::main(0, nullptr, {"--pdf", dir.file("x.pdf"), "--date", "13/01/2025", example("Night Paving.cas")},
                           programDir(), out2, err2, &settings),
            mBatch::exitCannotRun);
  EXPECT_NE(err2.str().find("--date must be MM/DD/YYYY"), std::string::npos);
}

TEST_F(PdfWriter, WithoutAWriterTheToolSaysPdfIsNotAvailable) {
  std::ostringstream out, err;
  EXPECT_EQ(mBatch::main({"--pdf", dir.file("x.pdf"), example("Night Paving.cas")}, programDir(), out, err),
            mBatch::exitCannotRun);
  EXPECT_NE(err.str().find("--pdf is not available in this build"), std::string::npos) << err.str();
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.pdf")));
}

}  // namespace

namespace {

TEST_F(PdfWriter, APictureOfAPlaceFillsThePageWidthWithItsCaption) {
  QImage image(800, 400, QImage::Format_RGB32);
  image.fill(QColor(30, 120, 200));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(image.save(&buffer, "PNG"));
  cReportDocument doc;
  doc.footer = "Plan case";
  doc.heading("Site Plan");
  cReportBlock picture;
  picture.kind = cReportBlock::Kind::picture;
  picture.text = "The site with its noise map.";
  picture.image.assign(png.begin(), png.end());
  doc.blocks.push_back(picture);
  cPdfReportWriter writer{QPageSize(QPageSize::A4)};
  const std::string pdf = dir.file("plan.pdf");
  ASSERT_TRUE(writer.writePdf(doc, pdf));
  EXPECT_EQ(writer.lastPageCount(), 1);
  EXPECT_NE(pdfText(pdf).find("The site with its noise map."), std::string::npos);
  // pdfimages -list: the picture drawn at about the width of the text (174 mm, 6.85 in): 800 px at ~117 ppi.
  const std::vector<std::string> rows =
      collapsedLines(popplerOutput(QStringLiteral("pdfimages"), {QStringLiteral("-list"), QString::fromStdString(pdf)}));
  ASSERT_GE(rows.size(), 3u);
  const std::vector<std::string> w = words(rows[2]);
  ASSERT_GE(w.size(), 14u) << rows[2];
  const int ppi = std::stoi(w[12]);
  EXPECT_NEAR(ppi, 117, 3) << rows[2];
}

}  // namespace
