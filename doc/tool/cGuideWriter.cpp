#include "cGuideWriter.h"

#include <vector>

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {

constexpr int kResolution = 300;        // dots per inch of the PDF's layout
constexpr double kScreenDpi = 110.0;    // screenshots are shown at about this density
constexpr int kMaxPasses = 4;           // page numbers settle after one or two
const QColor kHeadingColor(0x23, 0x41, 0x5f);
const QString kTitle = QStringLiteral("VORN User Guide");

struct Heading {
  QTextBlock block;
  int level;
  QString text;
};

std::vector<Heading> headingsOf(const QTextDocument& doc) {
  std::vector<Heading> out;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    const int level = b.blockFormat().headingLevel();
    if (level >= 2 && level <= 3) out.push_back({b, level, b.text()});
  }
  return out;
}

// Chapters start on a new page; headings take the guide's colour and room above.
void styleHeadings(QTextDocument& doc) {
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    const int level = b.blockFormat().headingLevel();
    if (level == 0) continue;
    QTextCursor c(b);
    QTextBlockFormat bf = b.blockFormat();
    bf.setTopMargin(level == 1 ? 0 : level == 2 ? 12 : 8);
    bf.setBottomMargin(4);
    if (level == 2) bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    c.setBlockFormat(bf);
    c.select(QTextCursor::BlockUnderCursor);
    QTextCharFormat cf;
    cf.setForeground(kHeadingColor);
    c.mergeCharFormat(cf);
  }
}

// Tables of the text: thin grey rules, room in the cells, a shaded heading row.
void styleTables(QTextDocument& doc) {
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    QTextTable* table = QTextCursor(b).currentTable();
    if (!table || table->cellAt(0, 0).firstCursorPosition().block() != b) continue;
    QTextTableFormat format = table->format();
    format.setBorderCollapse(true);
    format.setBorder(1);
    format.setBorderBrush(QColor(0xb0, 0xb0, 0xb0));
    format.setCellPadding(6);
    format.setCellSpacing(0);
    table->setFormat(format);
    for (int col = 0; col < table->columns(); ++col) {
      QTextTableCell cell = table->cellAt(0, col);
      QTextCharFormat shade = cell.format();
      shade.setBackground(QColor(0xe8, 0xee, 0xf4));
      cell.setFormat(shade);
    }
  }
}

// Every picture is read from the image directory, fitted to the page width
// and centred; a picture that cannot be read fails the guide, so that a
// missing screenshot never ships as an empty frame.
bool placeImages(QTextDocument& doc, const QString& imageDir, qreal pageWidth, std::string& error) {
  struct Placed {
    int position;
    int length;
    QTextImageFormat format;
  };
  std::vector<Placed> images;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().isImageFormat())
        images.push_back({fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
    }
  }
  for (Placed& placed : images) {
    const QString name = placed.format.name();
    const QString path = imageDir + '/' + QFileInfo(name).fileName();
    QImage image(path);
    if (image.isNull()) {
      error = "cannot read the picture " + path.toStdString();
      return false;
    }
    // Transparent parts show as the page's white.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, image);
    image = opaque;
    doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    // Picture sizes are in pixels of 96 per inch, whatever the layout's resolution.
    const qreal natural = image.width() * 96.0 / kScreenDpi;
    const qreal fitted = pageWidth * 96.0 / kResolution;
    const qreal width = natural < fitted ? natural : fitted;
    placed.format.setWidth(width);
    placed.format.setHeight(width * image.height() / image.width());
    QTextCursor c(&doc);
    c.setPosition(placed.position);
    c.setPosition(placed.position + placed.length, QTextCursor::KeepAnchor);
    c.setCharFormat(placed.format);
    // The picture and its caption, the paragraph after it, are centred.
    QTextBlockFormat centred = c.blockFormat();
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    if (c.movePosition(QTextCursor::NextBlock)) {
      QTextBlockFormat caption = c.blockFormat();
      caption.setAlignment(Qt::AlignHCenter);
      caption.setBottomMargin(10);
      c.setBlockFormat(caption);
    }
  }
  return true;
}

// Lays the whole document out again. Edits after the first layout leave
// list items unmeasured in an incremental layout, so every change that
// affects pagination is followed by a full one.
void relayout(QTextDocument& doc) { doc.markContentsDirty(0, doc.characterCount()); }

// The contents: one row per chapter and section, its page on the right.
// Inserted before the first chapter, on a page of its own.
QTextTable* insertContents(QTextDocument& doc, const std::vector<Heading>& headings) {
  // Added after the block before the first chapter, so that the headings'
  // blocks keep their identity.
  const QTextBlock before = headings.front().block.previous();
  QTextCursor c = before.isValid() ? QTextCursor(before) : QTextCursor(&doc);
  c.movePosition(QTextCursor::EndOfBlock);
  QTextBlockFormat title;
  title.setHeadingLevel(2);
  title.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  title.setBottomMargin(8);
  QTextCharFormat titleChars;
  titleChars.setFontWeight(QFont::Bold);
  titleChars.setProperty(QTextFormat::FontSizeAdjustment, 2);
  titleChars.setForeground(kHeadingColor);
  c.insertBlock(title, titleChars);
  c.insertText(QStringLiteral("Contents"), titleChars);

  QTextTableFormat tf;
  tf.setBorder(0);
  tf.setCellPadding(2);
  tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  tf.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 90),
                                QTextLength(QTextLength::PercentageLength, 10)});
  c.movePosition(QTextCursor::EndOfBlock);
  QTextTable* table = c.insertTable(static_cast<int>(headings.size()), 2, tf);
  for (std::size_t i = 0; i < headings.size(); ++i) {
    const Heading& h = headings[i];
    QTextCharFormat chars;
    chars.setFontWeight(h.level == 2 ? QFont::Bold : QFont::Normal);
    QTextCursor name = table->cellAt(static_cast<int>(i), 0).firstCursorPosition();
    QTextBlockFormat indent;
    indent.setLeftMargin(h.level == 2 ? 0 : 60);
    indent.setTopMargin(h.level == 2 ? 8 : 0);
    name.setBlockFormat(indent);
    name.insertText(h.text, chars);
    QTextCursor page = table->cellAt(static_cast<int>(i), 1).firstCursorPosition();
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    right.setTopMargin(h.level == 2 ? 8 : 0);
    page.setBlockFormat(right);
    page.insertText(QStringLiteral("0"), chars);
  }
  return table;
}

int pageOf(const QTextDocument& doc, const QTextBlock& block) {
  const qreal top = doc.documentLayout()->blockBoundingRect(block).top();
  return static_cast<int>(top / doc.pageSize().height()) + 1;
}

// Writes each heading's page into the contents; true when any number changed.
bool numberContents(QTextDocument& doc, QTextTable* table, const std::vector<Heading>& headings) {
  relayout(doc);
  bool changed = false;
  for (std::size_t i = 0; i < headings.size(); ++i) {
    const QString page = QString::number(pageOf(doc, headings[i].block));
    const QTextTableCell cell = table->cellAt(static_cast<int>(i), 1);
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    if (c.selectedText() == page) continue;
    const QTextCharFormat chars = c.charFormat();
    c.insertText(page, chars);
    changed = true;
  }
  return changed;
}

}  // namespace

cGuideWriter::cGuideWriter(std::string markdownPath, std::string imageDir)
    : markdownPath_(std::move(markdownPath)), imageDir_(std::move(imageDir)) {}

bool cGuideWriter::write(const std::string& pdfPath) {
  QFile source(QString::fromStdString(markdownPath_));
  if (!source.open(QIODevice::ReadOnly)) {
    error_ = "cannot read " + markdownPath_;
    return false;
  }
  const QString markdown = QString::fromUtf8(source.readAll());

  QPdfWriter writer(QString::fromStdString(pdfPath));
  writer.setResolution(kResolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(20, 18, 20, 14), QPageLayout::Millimeter));
  writer.setTitle(kTitle);
  writer.setCreator(QStringLiteral("vorn-docgen"));
  QPainter painter;
  if (!painter.begin(&writer)) {
    error_ = "cannot write " + pdfPath;
    return false;
  }

  const QRectF body = writer.pageLayout().paintRectPixels(kResolution);
  pageCount_ = 0;
  const qreal footerHeight = 8.0 / 25.4 * kResolution;
  QTextDocument doc;
  doc.documentLayout()->setPaintDevice(&writer);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(10);
  doc.setDefaultFont(font);
  doc.setMarkdown(markdown);
  doc.setPageSize(QSizeF(body.width(), body.height() - footerHeight));
  styleHeadings(doc);
  styleTables(doc);
  if (!placeImages(doc, QString::fromStdString(imageDir_), body.width(), error_)) {
    painter.end();
    QFile::remove(QString::fromStdString(pdfPath));
    return false;
  }
  const std::vector<Heading> headings = headingsOf(doc);
  if (!headings.empty()) {
    QTextTable* contents = insertContents(doc, headings);
    for (int pass = 0; pass < kMaxPasses && numberContents(doc, contents, headings); ++pass) {
    }
  }
  relayout(doc);

  contents_.clear();
  for (const Heading& h : headings) contents_.push_back({h.level, h.text.toStdString(), pageOf(doc, h.block)});

  // In the layout's own units, so that a preview page scales it with the text.
  QFont footerFont(font);
  footerFont.setPixelSize(qRound(8.0 / 72.0 * kResolution));
  pageCount_ = doc.pageCount();
  for (int page = 0; page < pageCount_; ++page) {
    if (page > 0) writer.newPage();
    drawPage(painter, doc, page, footerHeight, footerFont);
    if (!previewDir_.empty()) {
      // A page as a picture at screen density, to look at without a PDF viewer.
      const qreal scale = kScreenDpi / kResolution;
      QImage preview(qRound(body.width() * scale), qRound(body.height() * scale), QImage::Format_RGB32);
      preview.fill(Qt::white);
      QPainter p(&preview);
      p.scale(scale, scale);
      drawPage(p, doc, page, footerHeight, footerFont);
      p.end();
      preview.save(QString::fromStdString(previewDir_) + QStringLiteral("/page-%1.png").arg(page + 1, 2, 10, QChar('0')));
    }
  }
  if (!painter.end()) {
    error_ = "cannot write " + pdfPath;
    return false;
  }
  return true;
}

void cGuideWriter::drawPage(QPainter& painter, const QTextDocument& doc, int page, qreal footerHeight,
                            const QFont& footerFont) const {
  const QSizeF size = doc.pageSize();
  painter.save();
  painter.setClipRect(QRectF(0, 0, size.width(), size.height()));
  painter.translate(0, -page * size.height());
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = QRectF(0, page * size.height(), size.width(), size.height());
  doc.documentLayout()->draw(&painter, context);
  painter.restore();
  // The title page goes without a footer.
  if (page == 0) return;
  painter.save();
  painter.setFont(footerFont);
  painter.setPen(Qt::darkGray);
  const QRectF footer(0, size.height(), size.width(), footerHeight);
  painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, kTitle);
  painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom, QString::number(page + 1));
  painter.restore();
}
