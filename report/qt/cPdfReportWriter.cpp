#include "report/qt/cPdfReportWriter.h"

#include <cmath>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include "qtplatform/mCodePage.h"
#include "report/cReportDocument.h"
#include "report/qt/cReportChartObject.h"

namespace {

constexpr const char* kFontFamily = "DejaVu Sans";
constexpr int kResolution = 600;
constexpr double kBodyPoints = 9.0;
const QColor kHeaderShade(232, 232, 232);

double px(double points) { return points * kResolution / 72.0; }

QFont font(double points, bool bold = false) {
  QFont f(QString::fromLatin1(kFontFamily));
  f.setPointSizeF(points);
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferOutline);
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
        format.setBottomMargin(px(8.0));
        break;
      case cReportBlock::Kind::subheading:
        chars.setFont(font(13.0, true));
        format.setTopMargin(px(10.0));
        format.setBottomMargin(px(4.0));
        break;
      case cReportBlock::Kind::minorHeading:
        chars.setFont(font(10.5, true));
        format.setTopMargin(px(6.0));
        format.setBottomMargin(px(3.0));
        break;
      default:
        chars.setFont(font(kBodyPoints));
        format.setBottomMargin(px(4.0));
        // A formula stands indented on a line of its own.
        if (text.rfind("    ", 0) == 0) {
          text.erase(0, 4);
          format.setLeftMargin(px(24.0));
          chars.setFontItalic(true);
        }
    }
    startBlock(format, chars);
    cursor_.insertText(mCodePage::toQString(text), chars);
  }

  void table(const cReportTable& t) {
    const int columns = static_cast<int>(t.widths.size());
    const int rows = static_cast<int>(t.header.size() + t.body.size());
    if (columns == 0 || rows == 0) return;
    // A table needs a block to stand after; an empty one before it keeps the
    // spacing of the paragraphs.
    QTextBlockFormat before;
    QTextCharFormat small;
    small.setFont(font(3.0));
    startBlock(before, small);

    QTextTableFormat format;
    format.setBorder(px(0.5));
    format.setBorderBrush(QColor(120, 120, 120));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(px(2.0));
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
    for (const cReportRow& row : t.body) fillRow(*table, r++, row, false, t.textScale);
    cursor_.movePosition(QTextCursor::End);
  }

  void chart(int index) {
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignHCenter);
    format.setTopMargin(px(6.0));
    QTextCharFormat chars;
    chars.setFont(font(kBodyPoints));
    startBlock(format, chars);
    QTextCharFormat object;
    object.setObjectType(cReportChartObject::objectType);
    object.setProperty(cReportChartObject::chartIndexProperty, index);
    cursor_.insertText(QString(QChar::ObjectReplacementCharacter), object);
  }

  void pageBreak() { pageBreakPending_ = true; }

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
      const QStringList lines = mCodePage::toQString(cell.text).split(QLatin1Char('\n'));
      for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) cursor.insertBlock(bf, chars);
        cursor.insertText(lines[i], chars);
      }
      c += span;
    }
  }

  QTextDocument& doc_;
  QTextCursor cursor_;
  bool first_ = true;
  bool pageBreakPending_ = false;
};

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

  QTextDocument doc;
  doc.documentLayout()->setPaintDevice(&pdf);
  doc.setDefaultFont(font(kBodyPoints));
  doc.setDocumentMargin(0.0);
  doc.setPageSize(QSizeF(body.width(), pageHeight));

  std::vector<cReportChart> charts;
  for (const cReportBlock& block : document.blocks)
    if (block.kind == cReportBlock::Kind::chart) charts.push_back(block.chart);
  auto* chartObject = new cReportChartObject(std::move(charts), QSizeF(body.width(), body.width() * 0.45),
                                             font(7.0), &doc);
  doc.documentLayout()->registerHandler(cReportChartObject::objectType, chartObject);

  Layout layout(doc);
  int chartIndex = 0;
  for (const cReportBlock& block : document.blocks) {
    switch (block.kind) {
      case cReportBlock::Kind::table: layout.table(block.table); break;
      case cReportBlock::Kind::chart: layout.chart(chartIndex++); break;
      case cReportBlock::Kind::pageBreak: layout.pageBreak(); break;
      case cReportBlock::Kind::picture: {
        // Pictures of places and time come with their caption; until a case
        // carries one the caption stands alone.
        cReportBlock caption = block;
        caption.kind = cReportBlock::Kind::paragraph;
        layout.text(caption);
        break;
      }
      default: layout.text(block);
    }
  }

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
  QSaveFile file(pathText_ == PathText::utf8 ? QString::fromStdString(path) : mCodePage::toQString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}
