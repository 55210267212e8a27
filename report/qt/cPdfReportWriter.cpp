#include "report/qt/cPdfReportWriter.h"

#include <cmath>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include "qtplatform/mCodePage.h"
#include "report/cReportDocument.h"
#include "report/qt/cReportChartObject.h"
#include "report/qt/cReportPlanObject.h"
#include "report/qt/cReportTimelineObject.h"

namespace {

constexpr const char* kFontFamily = "DejaVu Sans";
constexpr int kResolution = 600;
constexpr double kBodyPoints = 9.0;
const QColor kHeaderShade(232, 232, 232);

// Device pixels of the PDF writer, for what the painter draws itself.
double px(double points) { return points * kResolution / 72.0; }
// The text layout scales a table's borders and padding and a block's top and
// bottom margins from 96 dpi pixels; a left margin it takes in device pixels.
double lengthOf(double points) { return points * 96.0 / 72.0; }

// Headings are marked so that the pages can keep them with what follows.
constexpr int kHeadingState = 1;

QFont font(double points, bool bold = false) {
  QFont f(QString::fromLatin1(kFontFamily));
  f.setPointSizeF(points);
  f.setBold(bold);
  // No ligatures: the PDF's text reads back letter for letter.
  f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
  return f;
}

QColor rgb(std::uint32_t shade) {
  return QColor(static_cast<int>((shade >> 16) & 0xFF), static_cast<int>((shade >> 8) & 0xFF),
                static_cast<int>(shade & 0xFF));
}

// Builds the text document block by block.
class Layout {
public:
  explicit Layout(QTextDocument& doc) : doc_(doc), cursor_(&doc) {}

  void text(const cReportBlock& block) {
    QTextBlockFormat format;
    QTextCharFormat chars;
    std::string text = block.text;
    switch (block.kind) {
      case cReportBlock::Kind::heading:
        chars.setFont(font(18.0, true));
        format.setBottomMargin(lengthOf(8.0));
        break;
      case cReportBlock::Kind::subheading:
        chars.setFont(font(13.0, true));
        format.setTopMargin(lengthOf(10.0));
        format.setBottomMargin(lengthOf(4.0));
        break;
      case cReportBlock::Kind::minorHeading:
        chars.setFont(font(10.5, true));
        format.setTopMargin(lengthOf(6.0));
        format.setBottomMargin(lengthOf(3.0));
        break;
      default:
        chars.setFont(font(kBodyPoints));
        format.setTopMargin(lengthOf(2.0));
        format.setBottomMargin(lengthOf(3.0));
        // A formula stands indented on a line of its own.
        if (text.rfind("    ", 0) == 0) {
          text.erase(0, 4);
          format.setLeftMargin(px(24.0));
          chars.setFontItalic(true);
        }
    }
    startBlock(format, chars);
    if (block.kind != cReportBlock::Kind::paragraph) cursor_.block().setUserState(kHeadingState);
    cursor_.insertText(mCodePage::toQString(text), chars);
  }

  // Where a table is cut in two so that no row runs over a page's foot:
  // (table, body row) pairs; the row starts a new page under the headings.
  std::set<std::pair<int, int>> breaks;

  // One QTextTable of the layout: which table of the report and which of
  // its body rows it holds.
  struct Part {
    QTextTable* table;
    int tableIndex;
    int firstBodyRow;
    int headerRows;
    bool startsPage;
  };
  std::vector<Part> parts;

  void table(const cReportTable& t, int tableIndex) {
    const int bodyRows = static_cast<int>(t.body.size());
    int from = 0;
    for (int row = 1; row <= bodyRows; ++row) {
      if (row < bodyRows && !breaks.count({tableIndex, row})) continue;
      if (from > 0 || breaks.count({tableIndex, 0})) pageBreakPending_ = true;
      tablePart(t, tableIndex, from, row);
      from = row;
    }
    if (bodyRows == 0) tablePart(t, tableIndex, 0, 0);
  }

private:
  void tablePart(const cReportTable& t, int tableIndex, int firstBody, int endBody) {
    const int columns = static_cast<int>(t.widths.size());
    const int rows = static_cast<int>(t.header.size()) + endBody - firstBody;
    if (columns == 0 || rows == 0) return;
    const bool startsPage = pageBreakPending_;
    // A table needs a block to stand after; an empty one before it keeps the
    // spacing of the paragraphs.
    QTextBlockFormat before;
    QTextCharFormat small;
    small.setFont(font(3.0));
    startBlock(before, small);

    QTextTableFormat format;
    format.setBorder(1.0);  // the thinnest the layout draws: 0.75 pt
    format.setBorderBrush(QColor(120, 120, 120));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(lengthOf(2.0));
    format.setCellSpacing(0.0);
    format.setHeaderRowCount(static_cast<int>(t.header.size()));
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100.0));
    double total = 0.0;
    for (int w : t.widths) total += w;
    QList<QTextLength> widths;
    for (int w : t.widths) widths.append(QTextLength(QTextLength::PercentageLength, 100.0 * w / total));
    format.setColumnWidthConstraints(widths);
    if (pageBreakPending_) {
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      pageBreakPending_ = false;
    }
    QTextTable* table = cursor_.insertTable(rows, columns, format);
    int r = 0;
    for (const cReportRow& row : t.header) fillRow(*table, r++, row, true, t.textScale);
    for (int b = firstBody; b < endBody; ++b) fillRow(*table, r++, t.body[static_cast<std::size_t>(b)], false, t.textScale);
    cursor_.movePosition(QTextCursor::End);
    parts.push_back({table, tableIndex, firstBody, static_cast<int>(t.header.size()), startsPage});
  }

public:

  void chart(int index) { object(cReportChartObject::objectType, cReportChartObject::chartIndexProperty, index); }
  void plan(int index) { object(cReportPlanObject::objectType, cReportPlanObject::planIndexProperty, index); }
  void timeline(int index) {
    object(cReportTimelineObject::objectType, cReportTimelineObject::timelineIndexProperty, index);
  }

  // A drawing across the page: the object of the type, the index-th of its kind.
  void object(int type, int indexProperty, int index) {
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignHCenter);
    format.setTopMargin(lengthOf(6.0));
    QTextCharFormat chars;
    chars.setFont(font(kBodyPoints));
    startBlock(format, chars);
    QTextCharFormat drawing;
    drawing.setObjectType(type);
    drawing.setProperty(indexProperty, index);
    cursor_.insertText(QString(QChar::ObjectReplacementCharacter), drawing);
  }

  void pageBreak() { pageBreakPending_ = true; }

  // A picture (a plan, a timeline) across the page's width, its caption below.
  void picture(const cReportBlock& block, double width, double pageHeight) {
    const QImage image = QImage::fromData(block.image.data(), static_cast<int>(block.image.size()), "PNG");
    if (!image.isNull()) {
      const QUrl name(QStringLiteral("vorn-picture-%1").arg(++pictures_));
      doc_.addResource(QTextDocument::ImageResource, name, image);
      QTextBlockFormat format;
      format.setAlignment(Qt::AlignHCenter);
      format.setTopMargin(lengthOf(6.0));
      QTextCharFormat chars;
      chars.setFont(font(kBodyPoints));
      startBlock(format, chars);
      QTextImageFormat picture;
      picture.setName(name.toString());
      // An image's size, like a table's padding, is scaled from 96 dpi pixels.
      // A tall picture is made smaller so that it fits a page with its caption.
      const double aspect = static_cast<double>(image.height()) / std::max(1, image.width());
      const double shown = std::min(width, pageHeight * 0.8 / aspect) * 96.0 / kResolution;
      picture.setWidth(shown);
      picture.setHeight(shown * aspect);
      cursor_.insertImage(picture);
    }
    cReportBlock caption = block;
    caption.kind = cReportBlock::Kind::paragraph;
    text(caption);
  }

private:
  void startBlock(QTextBlockFormat format, const QTextCharFormat& chars) {
    if (pageBreakPending_) {
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      pageBreakPending_ = false;
    }
    if (first_) {
      cursor_.setBlockFormat(format);
      cursor_.setBlockCharFormat(chars);
      first_ = false;
    } else {
      cursor_.insertBlock(format, chars);
    }
  }

  void fillRow(QTextTable& table, int r, const cReportRow& row, bool header, double scale) {
    int c = 0;
    for (const cReportCell& cell : row) {
      if (c >= table.columns()) break;
      const int span = std::max(1, std::min(cell.span, table.columns() - c));
      if (span > 1) table.mergeCells(r, c, 1, span);
      QTextTableCell tc = table.cellAt(r, c);
      QTextTableCellFormat cf = tc.format().toTableCellFormat();
      if (cell.shade != cReportCell::noShade)
        cf.setBackground(rgb(cell.shade));
      else if (header)
        cf.setBackground(kHeaderShade);
      cf.setVerticalAlignment(QTextCharFormat::AlignTop);
      tc.setFormat(cf);
      QTextCursor cursor = tc.firstCursorPosition();
      QTextBlockFormat bf;
      bf.setAlignment(header && span > 1 ? Qt::AlignHCenter : (cell.number ? Qt::AlignRight : Qt::AlignLeft));
      cursor.setBlockFormat(bf);
      QTextCharFormat chars;
      chars.setFont(font(kBodyPoints * scale, cell.bold || header));
      // One block a cell; rows are kept whole on their page by cutting the
      // table before a row that would run over the foot (see build).
      // An empty cell keeps its row as low as the table's text.
      if (cell.text.empty()) cursor.setBlockCharFormat(chars);
      QString text = mCodePage::toQString(cell.text);
      text.replace(QLatin1Char('\n'), QChar::LineSeparator);
      cursor.insertText(text, chars);
      c += span;
    }
  }

  QTextDocument& doc_;
  QTextCursor cursor_;
  bool first_ = true;
  bool pageBreakPending_ = false;
  int pictures_ = 0;
};

// The top and bottom of a table row as laid out, in document coordinates.
std::pair<double, double> rowExtent(QTextDocument& doc, QTextTable& table, int row) {
  QAbstractTextDocumentLayout* layout = doc.documentLayout();
  double top = 1e300, bottom = -1e300;
  for (int c = 0; c < table.columns(); ++c) {
    const QTextTableCell cell = table.cellAt(row, c);
    if (!cell.isValid() || cell.row() != row) continue;
    for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
      const QTextBlock block = it.currentBlock();
      if (!block.isValid()) continue;
      const QRectF rect = layout->blockBoundingRect(block);
      top = std::min(top, rect.top());
      bottom = std::max(bottom, rect.bottom());
    }
  }
  return {top, bottom};
}

// The first table row that runs over a page's foot, as the break that would
// move it to the next page; false when every row stands on one page.
bool firstCrossingRow(QTextDocument& doc, const std::vector<Layout::Part>& parts, double pageHeight,
                      std::pair<int, int>& cut) {
  for (const Layout::Part& part : parts) {
    for (int row = 0; row < part.table->rows(); ++row) {
      const auto [top, bottom] = rowExtent(doc, *part.table, row);
      if (top > bottom) continue;
      if (std::floor(top / pageHeight) == std::floor((bottom - 1.0) / pageHeight)) continue;
      // A heading row crossing moves the whole part; a part that starts a
      // page already, or a row taller than a page, cannot be helped.
      const int bodyRow = row < part.headerRows ? part.firstBodyRow : part.firstBodyRow + row - part.headerRows;
      if (bodyRow == part.firstBodyRow && part.startsPage) continue;
      if (bottom - top >= pageHeight) continue;
      cut = {part.tableIndex, bodyRow};
      return true;
    }
  }
  return false;
}

// A heading in the last part of a page would stand alone at its foot, with
// its table or text on the next page: it moves to the next page with them.
void keepHeadingsWithWhatFollows(QTextDocument& doc, double pageHeight) {
  const double room = pageHeight * 0.12;
  QAbstractTextDocumentLayout* layout = doc.documentLayout();
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    if (block.userState() != kHeadingState) continue;
    const QRectF rect = layout->blockBoundingRect(block);
    const double pageEnd = (std::floor(rect.top() / pageHeight) + 1.0) * pageHeight;
    if (pageEnd - rect.bottom() >= room) continue;
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(format);
  }
}

// The report as a text document laid out on pages of the given size.
struct Drawings {
  std::vector<cReportChart> charts;
  std::vector<cReportPlan> plans;
  std::vector<cReportTimeline> timelines;
};

void build(QTextDocument& doc, const cReportDocument& document, const Drawings& drawings, QPaintDevice& device, double width, double pageHeight, const std::set<std::pair<int, int>>& breaks,
           std::vector<Layout::Part>& parts) {
  doc.documentLayout()->setPaintDevice(&device);
  doc.setDefaultFont(font(kBodyPoints));
  doc.setDocumentMargin(0.0);
  doc.setPageSize(QSizeF(width, pageHeight));

  auto* chartObject = new cReportChartObject(drawings.charts, QSizeF(width, width * 0.45), font(7.0), &doc);
  doc.documentLayout()->registerHandler(cReportChartObject::objectType, chartObject);
  // A plan leaves room on its page for its heading and the paragraph above it.
  auto* planObject = new cReportPlanObject(drawings.plans, width, pageHeight * 0.66, font(7.0), &doc);
  doc.documentLayout()->registerHandler(cReportPlanObject::objectType, planObject);
  auto* timelineObject = new cReportTimelineObject(drawings.timelines, width, font(7.0), &doc);
  doc.documentLayout()->registerHandler(cReportTimelineObject::objectType, timelineObject);

  // One edit block: the layout runs once at its end, not after every cell.
  QTextCursor editing(&doc);
  editing.beginEditBlock();
  Layout layout(doc);
  layout.breaks = breaks;
  int chartIndex = 0;
  int planIndex = 0;
  int timelineIndex = 0;
  int tableIndex = 0;
  for (const cReportBlock& block : document.blocks) {
    switch (block.kind) {
      case cReportBlock::Kind::table: layout.table(block.table, tableIndex++); break;
      case cReportBlock::Kind::chart: layout.chart(chartIndex++); break;
      case cReportBlock::Kind::plan: layout.plan(planIndex++); break;
      case cReportBlock::Kind::timeline: layout.timeline(timelineIndex++); break;
      case cReportBlock::Kind::pageBreak: layout.pageBreak(); break;
      case cReportBlock::Kind::picture: layout.picture(block, width, pageHeight); break;
      default: layout.text(block);
    }
  }
  editing.endEditBlock();

  keepHeadingsWithWhatFollows(doc, pageHeight);
  parts = layout.parts;
}

}  // namespace

cPdfReportWriter::cPdfReportWriter(QPageSize pageSize, PathText pathText)
    : pageSize_(std::move(pageSize)), pathText_(pathText) {}

QByteArray cPdfReportWriter::render(const cReportDocument& document) const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setResolution(kResolution);
  pdf.setPageSize(pageSize_);
  pdf.setPageMargins(QMarginsF(18.0, 16.0, 18.0, 12.0), QPageLayout::Millimeter);
  pdf.setTitle(mCodePage::toQString(document.title));
  pdf.setCreator(QStringLiteral("Vornhall (VORN) 1.1"));

  const QRectF body(QPointF(0, 0), QSizeF(pdf.pageLayout().paintRectPixels(kResolution).size()));
  const QFont footerFont = font(8.0);
  const double footerHeight = px(8.0) * 2.5;
  const double pageHeight = body.height() - footerHeight;

  Drawings drawings;
  for (const cReportBlock& block : document.blocks) {
    if (block.kind == cReportBlock::Kind::chart) drawings.charts.push_back(block.chart);
    if (block.kind == cReportBlock::Kind::plan) drawings.plans.push_back(block.plan);
    if (block.kind == cReportBlock::Kind::timeline) drawings.timelines.push_back(block.timeline);
  }

  // Laid out again with a table cut before each row that ran over a page's
  // foot, until none does.
  std::set<std::pair<int, int>> breaks;
  std::unique_ptr<QTextDocument> laidOut;
  for (int pass = 0; pass < 200; ++pass) {
    laidOut = std::make_unique<QTextDocument>();
    std::vector<Layout::Part> parts;
    build(*laidOut, document, drawings, pdf, body.width(), pageHeight, breaks, parts);
    std::pair<int, int> cut;
    if (!firstCrossingRow(*laidOut, parts, pageHeight, cut) || !breaks.insert(cut).second) break;
  }
  QTextDocument& doc = *laidOut;
  const int pages = std::max(1, doc.pageCount());
  lastPageCount_ = pages;
  QPainter painter(&pdf);
  for (int page = 0; page < pages; ++page) {
    if (page > 0) pdf.newPage();
    painter.save();
    painter.setClipRect(QRectF(0, 0, body.width(), pageHeight));
    painter.translate(0, -page * pageHeight);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page * pageHeight, body.width(), pageHeight);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();

    painter.setFont(footerFont);
    painter.setPen(QPen(QColor(120, 120, 120), px(0.5)));
    const double ruleY = pageHeight + footerHeight * 0.25;
    painter.drawLine(QPointF(0, ruleY), QPointF(body.width(), ruleY));
    painter.setPen(Qt::black);
    const QRectF footer(0, ruleY + px(2.0), body.width(), footerHeight * 0.7);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignTop, mCodePage::toQString(document.footer));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignTop, QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
  }
  painter.end();
  return bytes;
}

bool cPdfReportWriter::writePdf(const cReportDocument& document, const std::string& path) {
  const QByteArray bytes = render(document);
  if (bytes.isEmpty()) return false;
  QSaveFile file(pathText_ == PathText::utf8 ? QString::fromStdString(path)
                                             : QFile::decodeName(QByteArray::fromStdString(path)));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}
