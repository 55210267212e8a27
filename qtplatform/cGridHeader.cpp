#include "qtplatform/cGridHeader.h"

#include <algorithm>

#include <QPainter>
#include <QStyleOptionHeader>

cGridHeader::cGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(false);
  setHighlightSections(false);
  setRowCount(1);
  // Narrow columns wrap their headings, so the rows grow with the widths.
  connect(this, &QHeaderView::sectionResized, this, [this] {
    updateGeometry();
    viewport()->update();
  });
}

void cGridHeader::setRowCount(int rows) {
  rows = std::max(rows, 1);
  texts_.resize(static_cast<std::size_t>(rows), std::vector<QString>(static_cast<std::size_t>(cols_)));
  spans_.resize(static_cast<std::size_t>(rows));
  updateGeometry();
  viewport()->update();
}

void cGridHeader::setColumnCount(int cols) {
  cols_ = std::max(cols, 0);
  for (auto& row : texts_) row.resize(static_cast<std::size_t>(cols_));
  viewport()->update();
}

void cGridHeader::setText(int row, int col, const QString& text) {
  if (row < 0 || row >= rowCount() || col < 0 || col >= cols_) return;
  QString normalized = text;
  normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  normalized.replace('\r', '\n');
  texts_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = normalized;
  updateGeometry();
  viewport()->update();
}

QString cGridHeader::text(int row, int col) const {
  if (row < 0 || row >= rowCount() || col < 0 || col >= cols_) return {};
  return texts_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void cGridHeader::setSpan(int row, int col, int count) {
  if (row < 0 || row >= rowCount() || col < 0 || col >= cols_) return;
  auto& spans = spans_[static_cast<std::size_t>(row)];
  if (count <= 1) spans.erase(col);
  else spans[col] = count;
  viewport()->update();
}

int cGridHeader::spanAt(int row, int col) const {
  const auto& spans = spans_[static_cast<std::size_t>(row)];
  const auto it = spans.find(col);
  const int span = it == spans.end() ? 1 : it->second;
  return std::clamp(span, 1, cols_ - col);
}

int cGridHeader::spanWidth(int col, int span) const {
  int width = 0;
  for (int c = col; c < col + span; ++c) width += sectionSize(c);
  return width;
}

// A heading keeps its own line breaks and wraps at word boundaries where its
// columns are too narrow for a line; a word wider than the columns is clipped.
int cGridHeader::rowHeight(int row) const {
  const QFontMetrics metrics = fontMetrics();
  int height = metrics.lineSpacing();
  for (int col = 0; col < cols_;) {
    const int span = spanAt(row, col);
    const QString& heading = texts_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    const int width = spanWidth(col, span) - textMargin * 2;
    if (!heading.isEmpty() && width > 0) {
      const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 1 << 16), textFlags, heading);
      height = std::max(height, bounds.height());
    }
    col += span;
  }
  return height + 8;
}

QSize cGridHeader::sizeHint() const {
  int height = 0;
  for (int row = 0; row < rowCount(); ++row) height += rowHeight(row);
  return {QHeaderView::sizeHint().width(), height};
}

void cGridHeader::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  int top = 0;
  for (int row = 0; row < rowCount(); ++row) {
    const int height = rowHeight(row);
    for (int col = 0; col < cols_;) {
      const int span = spanAt(row, col);
      const int width = spanWidth(col, span);
      const QRect rect(sectionViewportPosition(col), top, width, height);
      if (width > 0 && rect.right() >= 0 && rect.left() <= viewport()->width()) {
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = rect;
        option.section = col;
        option.state |= QStyle::State_Enabled;
        style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(rect.adjusted(textMargin, 1, -textMargin, -1), textFlags, text(row, col));
      }
      col += span;
    }
    top += height;
  }
}
