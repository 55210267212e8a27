#include "qtplatform/cSheetGrid.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidgetItem>
#include <QVBoxLayout>

#include "qtplatform/cGridAccessible.h"
#include "qtplatform/cGridDelegate.h"
#include "qtplatform/cGridHeader.h"
#include "qtplatform/cGridTable.h"
#include "qtplatform/mCodePage.h"
#include "qtplatform/mGridRoles.h"

namespace {

constexpr double defaultWidthInChars = 9.0;
constexpr int defaultNumberDecimals = 1;
constexpr int defaultPercentDecimals = 2;

// Program moves of the cursor and selection raise no events.
// A user edit over many cells: announced once, on its first change.
class BatchScope {
public:
  BatchScope(int& depth, bool& started, const std::function<void()>& finished)
      : depth_(depth), started_(started), finished_(finished) {
    if (depth_++ == 0) started_ = false;
  }
  ~BatchScope() {
    if (--depth_ == 0 && started_) {
      started_ = false;
      finished_();
    }
  }
  BatchScope(const BatchScope&) = delete;
  BatchScope& operator=(const BatchScope&) = delete;

private:
  int& depth_;
  bool& started_;
  std::function<void()> finished_;
};

class ProgramScope {
public:
  explicit ProgramScope(int& depth) : depth_(depth) { ++depth_; }
  ~ProgramScope() { --depth_; }
  ProgramScope(const ProgramScope&) = delete;
  ProgramScope& operator=(const ProgramScope&) = delete;

private:
  int& depth_;
};

GridCellKind kindOf(const QTableWidgetItem* item) {
  return static_cast<GridCellKind>(item->data(mGridRoles::Kind).toInt());
}

std::optional<double> parseNumber(QString text) {
  text = text.trimmed();
  if (text.startsWith('+')) text.remove(0, 1);
  if (text.isEmpty()) return std::nullopt;
  const QByteArray bytes = text.toLatin1();
  double value = 0;
  const char* end = bytes.constData() + bytes.size();
  const auto [ptr, ec] = std::from_chars(bytes.constData(), end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool parseChecked(const QString& text) {
  const QString t = text.trimmed().toLower();
  if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("x")) return true;
  const std::optional<double> n = parseNumber(t);
  return n && *n != 0;
}

// The shortest text that gives the value back; a value that is exactly a
// float (as the program's levels are) reads as that float.
QString exactText(double value) {
  char buffer[64];
  const float f = static_cast<float>(value);
  const auto result = static_cast<double>(f) == value ? std::to_chars(buffer, buffer + sizeof buffer, f)
                                                       : std::to_chars(buffer, buffer + sizeof buffer, value);
  return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString percentText(double fraction) {
  const float f = static_cast<float>(fraction);
  if (static_cast<double>(f) == fraction) return exactText(static_cast<double>(static_cast<float>(f * 100.0f)));
  return exactText(fraction * 100.0);
}

QString trimmedFixed(double value, int decimals) {
  QString text = QString::number(value, 'f', decimals);
  if (text.contains('.')) {
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
  }
  if (text == QLatin1String("-0")) text = QStringLiteral("0");
  return text;
}

Qt::Alignment defaultAlignment(GridCellKind kind) {
  switch (kind) {
    case GridCellKind::Number:
    case GridCellKind::Percent: return Qt::AlignRight | Qt::AlignVCenter;
    case GridCellKind::CheckBox: return Qt::AlignCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

QStringList splitItems(const std::string& tabItems) {
  QStringList items = mCodePage::toQString(tabItems).split('\t');
  if (!items.isEmpty() && items.back().isEmpty()) items.removeLast();
  return items;
}

// What a cell holds, to tell whether a write changed it.
struct CellValue {
  QString text;
  QVariant number;
  bool checked;
  int index;
  bool operator==(const CellValue&) const = default;
};

CellValue valueOf(const QTableWidgetItem* item) {
  return {item->data(Qt::DisplayRole).toString(), item->data(mGridRoles::Number),
          item->data(mGridRoles::Checked).toBool(), item->data(mGridRoles::ListIndex).toInt()};
}

}  // namespace

cSheetGrid::cSheetGrid(QWidget* parent) : QWidget(parent) {
  // Assistive technology reads every sheet's table through cGridAccessible.
  static const bool accessible = [] {
    QAccessible::installFactory(&cGridAccessible::factory);
    return true;
  }();
  (void)accessible;
  table_ = new cGridTable(this);
  header_ = new cGridHeader(table_);
  table_->setHorizontalHeader(header_);
  // Headings wrap within their columns, so a width change can change the height.
  connect(header_, &QHeaderView::sectionResized, this, [this] { updateHeight(); });
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  header_->setSectionResizeMode(QHeaderView::Fixed);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_);
  setFocusProxy(table_);
  connect(qApp, &QApplication::focusChanged, this, &cSheetGrid::onFocusChanged);
}

cSheetGrid::~cSheetGrid() {
  // The base destructor takes the focus from a child still holding it, and
  // the application reports that change: this object must no longer hear it.
  disconnect(qApp, &QApplication::focusChanged, this, &cSheetGrid::onFocusChanged);
}

QTableWidget* cSheetGrid::table() const { return table_; }

// ---------------------------------------------------------------- layout

void cSheetGrid::setSize(int cols, int rows) {
  cols = std::max(cols, 0);
  rows = std::max(rows, 0);
  ProgramScope program(programDepth_);
  table_->setColumnCount(cols);
  table_->setRowCount(rows);
  header_->setColumnCount(cols);
  widthsInChars_.resize(static_cast<std::size_t>(cols), defaultWidthInChars);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      if (!table_->item(r, c)) table_->setItem(r, c, makeCell());
    }
  }
  for (int c = 0; c < cols; ++c) table_->setColumnWidth(c, qRound(widthsInChars_[static_cast<std::size_t>(c)] * charUnitPixels()) + 8);
  updateHeight();
}

int cSheetGrid::maxCols() const { return table_->columnCount(); }
int cSheetGrid::maxRows() const { return table_->rowCount(); }

void cSheetGrid::setHeadingRows(int count) {
  header_->setRowCount(count);
  table_->relayout();
  updateHeight();
}

int cSheetGrid::headingRows() const { return header_->rowCount(); }

void cSheetGrid::setColumnHeading(int col, const std::string& text, int headingRow) {
  const int row = headingRow <= 0 ? header_->rowCount() - 1 : headingRow - 1;
  header_->setText(row, col - 1, mCodePage::toQString(text));
  table_->relayout();
  updateHeight();
}

void cSheetGrid::setColumnHeadings(int firstCol, const std::string& tabText, int headingRow) {
  const QStringList headings = mCodePage::toQString(tabText).split('\t');
  const int row = headingRow <= 0 ? header_->rowCount() - 1 : headingRow - 1;
  for (qsizetype i = 0; i < headings.size(); ++i) header_->setText(row, firstCol - 1 + static_cast<int>(i), headings[i]);
  table_->relayout();
  updateHeight();
}

std::string cSheetGrid::columnHeading(int col, int headingRow) const {
  const int row = headingRow <= 0 ? header_->rowCount() - 1 : headingRow - 1;
  return mCodePage::fromQString(header_->text(row, col - 1));
}

QString cSheetGrid::accessibleColumnName(int col) const {
  QStringList parts;
  for (int r = 0; r < header_->rowCount(); ++r) {
    // The heading cell of this row that covers the column starts at or before it.
    int start = 0;
    while (start <= col - 1) {
      const int span = std::max(1, header_->spanAt(r, start));
      if (start + span > col - 1) break;
      start += span;
    }
    const QString text = header_->text(r, start).simplified();
    if (!text.isEmpty()) parts << text;
  }
  return parts.join(QStringLiteral(", "));
}

void cSheetGrid::spanColumnHeading(int headingRow, int firstCol, int colCount) {
  const int row = headingRow <= 0 ? header_->rowCount() - 1 : headingRow - 1;
  header_->setSpan(row, firstCol - 1, colCount);
  updateHeight();
}

int cSheetGrid::columnHeadingSpan(int headingRow, int col) const {
  const int row = headingRow <= 0 ? header_->rowCount() - 1 : headingRow - 1;
  if (row < 0 || row >= header_->rowCount() || col < 1 || col > maxCols()) return 0;
  return header_->spanAt(row, col - 1);
}

void cSheetGrid::setRowHeading(int row, const std::string& text) {
  if (row < 1 || row > maxRows()) return;
  table_->setVerticalHeaderItem(row - 1, new QTableWidgetItem(mCodePage::toQString(text)));
}

std::string cSheetGrid::rowHeading(int row) const {
  if (row < 1 || row > maxRows()) return {};
  if (const QTableWidgetItem* item = table_->verticalHeaderItem(row - 1)) return mCodePage::fromQString(item->text());
  return std::to_string(row);
}

void cSheetGrid::setRowHeadingsVisible(bool visible) {
  table_->verticalHeader()->setVisible(visible);
  updateHeight();
}

int cSheetGrid::charUnitPixels() const { return std::max(1, fontMetrics().horizontalAdvance('0')); }

void cSheetGrid::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) applyFont();
}

// Row heights and character-unit widths follow the font, as the sheets with
// their own font (a criteria sheet in a small face) expect.
void cSheetGrid::applyFont() {
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  for (int c = 0; c < maxCols(); ++c) {
    table_->setColumnWidth(c, qRound(widthsInChars_[static_cast<std::size_t>(c)] * charUnitPixels()) + 8);
  }
  table_->relayout();
  updateHeight();
}

void cSheetGrid::setColumnWidth(int col, double chars) {
  if (col < 1 || col > maxCols()) return;
  widthsInChars_[static_cast<std::size_t>(col - 1)] = chars;
  table_->setColumnWidth(col - 1, qRound(chars * charUnitPixels()) + 8);
  updateHeight();
}

double cSheetGrid::columnWidth(int col) const {
  if (col < 1 || col > maxCols()) return 0;
  return widthsInChars_[static_cast<std::size_t>(col - 1)];
}

void cSheetGrid::setVisibleRows(int rows) {
  visibleRows_ = std::max(rows, 0);
  updateHeight();
}

int cSheetGrid::visibleRows() const { return visibleRows_; }

int cSheetGrid::widthForAllColumns() const {
  int width = 2 * table_->frameWidth();
  if (table_->verticalHeader()->isVisibleTo(table_)) width += table_->verticalHeader()->sizeHint().width();
  for (int c = 0; c < maxCols(); ++c) width += table_->columnWidth(c);
  if (visibleRows_ > 0 && maxRows() > visibleRows_) width += table_->verticalScrollBar()->sizeHint().width();
  return width;
}

void cSheetGrid::fitWidthToColumns() {
  table_->setFixedWidth(widthForAllColumns());
  updateHeight();
}

int cSheetGrid::heightForRows(int rows) const {
  int height = 2 * table_->frameWidth() + header_->sizeHint().height() +
               std::max(rows, 0) * table_->verticalHeader()->defaultSectionSize();
  if (widthForAllColumns() > table_->width() && table_->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
    height += table_->horizontalScrollBar()->sizeHint().height();
  }
  return height;
}

void cSheetGrid::setStretchRows(bool stretch, int minimumRows) {
  stretch_ = stretch;
  minimumRows_ = std::max(minimumRows, 1);
  if (!stretch) {
    table_->setMinimumHeight(0);
    table_->setMaximumHeight(QWIDGETSIZE_MAX);
  }
  updateHeight();
}

void cSheetGrid::updateHeight() {
  if (visibleRows_ <= 0) return;
  if (!stretch_) {
    table_->setFixedHeight(heightForRows(visibleRows_));
    return;
  }
  // The rows asked for are the table's size hint; the window's layout gives
  // it between a few rows and all of them.
  table_->setMinimumHeight(heightForRows(std::min(minimumRows_, visibleRows_)));
  table_->setMaximumHeight(std::max(heightForRows(maxRows()), heightForRows(visibleRows_)));
  table_->updateGeometry();
}

// ------------------------------------------------------- kinds and locks

bool cSheetGrid::inGrid(int col, int row) const { return col >= 1 && row >= 1 && col <= maxCols() && row <= maxRows(); }

bool cSheetGrid::clampRange(int& col1, int& row1, int& col2, int& row2) const {
  if (col1 > col2) std::swap(col1, col2);
  if (row1 > row2) std::swap(row1, row2);
  col1 = std::max(col1, 1);
  row1 = std::max(row1, 1);
  col2 = std::min(col2, maxCols());
  row2 = std::min(row2, maxRows());
  return col1 <= col2 && row1 <= row2;
}

QTableWidgetItem* cSheetGrid::cell(int col, int row) const {
  return inGrid(col, row) ? table_->item(row - 1, col - 1) : nullptr;
}

QTableWidgetItem* cSheetGrid::makeCell() const {
  auto* item = new QTableWidgetItem;
  item->setData(mGridRoles::Kind, static_cast<int>(GridCellKind::Text));
  item->setData(mGridRoles::Locked, false);
  item->setData(mGridRoles::Checked, false);
  item->setData(mGridRoles::ListIndex, -1);
  item->setTextAlignment(defaultAlignment(GridCellKind::Text));
  refreshFlags(item);
  return item;
}

void cSheetGrid::refreshFlags(QTableWidgetItem* item) const {
  const GridCellKind kind = kindOf(item);
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  const bool editable = kind != GridCellKind::Static && kind != GridCellKind::CheckBox &&
                        !item->data(mGridRoles::Locked).toBool();
  if (editable) flags |= Qt::ItemIsEditable;
  item->setFlags(flags);
}

// Rewrites what a numeric cell shows from the value it holds.
void cSheetGrid::refreshCell(QTableWidgetItem* item) const {
  const GridCellKind kind = kindOf(item);
  const QVariant number = item->data(mGridRoles::Number);
  const QVariant decimals = item->data(mGridRoles::Decimals);
  if (kind == GridCellKind::Number) {
    item->setData(Qt::DisplayRole, number.isValid()
        ? QString::number(number.toDouble(), 'f', decimals.isValid() ? decimals.toInt() : defaultNumberDecimals)
        : QString());
  } else if (kind == GridCellKind::Percent) {
    item->setData(Qt::DisplayRole, number.isValid()
        ? trimmedFixed(number.toDouble() * 100.0, decimals.isValid() ? decimals.toInt() : defaultPercentDecimals) + '%'
        : QString());
  } else if (kind == GridCellKind::CheckBox) {
    item->setData(Qt::DisplayRole, QString());
  }
}

void cSheetGrid::setCellKind(int col1, int row1, int col2, int row2, GridCellKind kind) {
  if (!clampRange(col1, row1, col2, row2)) return;
  for (int r = row1; r <= row2; ++r) {
    for (int c = col1; c <= col2; ++c) {
      QTableWidgetItem* item = cell(c, r);
      const GridCellKind old = kindOf(item);
      if (old == kind) continue;
      const QString text = item->data(Qt::DisplayRole).toString();
      item->setData(mGridRoles::Kind, static_cast<int>(kind));
      item->setTextAlignment(defaultAlignment(kind));
      item->setData(mGridRoles::Number, QVariant());
      item->setData(mGridRoles::Checked, false);
      item->setData(mGridRoles::ListIndex, -1);
      item->setData(Qt::DisplayRole, QString());
      if (!text.isEmpty()) writeCellText(c, r, text, false);
      refreshCell(item);
      refreshFlags(item);
    }
  }
}

void cSheetGrid::setColumnKind(int col, GridCellKind kind) { setCellKind(col, 1, col, maxRows(), kind); }

GridCellKind cSheetGrid::cellKind(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  return item ? kindOf(item) : GridCellKind::Static;
}

void cSheetGrid::setListItems(int col1, int row1, int col2, int row2, const std::string& tabItems) {
  if (!clampRange(col1, row1, col2, row2)) return;
  const QStringList items = splitItems(tabItems);
  for (int r = row1; r <= row2; ++r) {
    for (int c = col1; c <= col2; ++c) {
      QTableWidgetItem* item = cell(c, r);
      item->setData(mGridRoles::ListItems, items);
      if (kindOf(item) == GridCellKind::List) {
        item->setData(mGridRoles::ListIndex, static_cast<int>(items.indexOf(item->data(Qt::DisplayRole).toString())));
      }
    }
  }
}

void cSheetGrid::setListItemsOnly(int col1, int row1, int col2, int row2, bool only) {
  if (!clampRange(col1, row1, col2, row2)) return;
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) cell(c, r)->setData(mGridRoles::ListOnly, only);
}

void cSheetGrid::setListNarrowing(int col1, int row1, int col2, int row2, bool narrows) {
  if (!clampRange(col1, row1, col2, row2)) return;
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) cell(c, r)->setData(mGridRoles::ListNarrows, narrows);
}

bool cSheetGrid::listItemsOnly(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  return item && item->data(mGridRoles::ListOnly).toBool();
}

std::vector<std::string> cSheetGrid::listItems(int col, int row) const {
  std::vector<std::string> result;
  if (const QTableWidgetItem* item = cell(col, row)) {
    for (const QString& text : item->data(mGridRoles::ListItems).toStringList()) result.push_back(mCodePage::fromQString(text));
  }
  return result;
}

void cSheetGrid::setDecimals(int col1, int row1, int col2, int row2, int decimals) {
  if (!clampRange(col1, row1, col2, row2)) return;
  for (int r = row1; r <= row2; ++r) {
    for (int c = col1; c <= col2; ++c) {
      QTableWidgetItem* item = cell(c, r);
      item->setData(mGridRoles::Decimals, std::clamp(decimals, 0, 15));
      refreshCell(item);
    }
  }
}

void cSheetGrid::setLocked(int col1, int row1, int col2, int row2, bool locked) {
  if (!clampRange(col1, row1, col2, row2)) return;
  for (int r = row1; r <= row2; ++r) {
    for (int c = col1; c <= col2; ++c) {
      QTableWidgetItem* item = cell(c, r);
      item->setData(mGridRoles::Locked, locked);
      refreshFlags(item);
    }
  }
}

bool cSheetGrid::isLocked(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  return item && item->data(mGridRoles::Locked).toBool();
}

bool cSheetGrid::userMayEdit(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  return item && kindOf(item) != GridCellKind::Static && !item->data(mGridRoles::Locked).toBool();
}

// ----------------------------------------------------------------- values

// Writes a text as the cell's kind reads it. Text that a numeric cell cannot
// read empties it when the program writes it and is refused when the user
// types or pastes it. Returns whether the cell's value changed.
bool cSheetGrid::writeCellText(int col, int row, const QString& text, bool fromUser) {
  QTableWidgetItem* item = cell(col, row);
  if (!item) return false;
  const CellValue before = valueOf(item);
  switch (kindOf(item)) {
    case GridCellKind::Text:
    case GridCellKind::Static: item->setData(Qt::DisplayRole, text); break;
    case GridCellKind::Number:
    case GridCellKind::Percent: {
      QString t = text.trimmed();
      const bool percent = kindOf(item) == GridCellKind::Percent;
      if (percent && t.endsWith('%')) t.chop(1);
      const std::optional<double> n = parseNumber(t);
      if (!n && !t.isEmpty() && fromUser) return false;
      item->setData(mGridRoles::Number, n ? QVariant(percent ? *n / 100.0 : *n) : QVariant());
      refreshCell(item);
      break;
    }
    case GridCellKind::CheckBox: item->setData(mGridRoles::Checked, parseChecked(text)); break;
    case GridCellKind::List: {
      const QStringList items = item->data(mGridRoles::ListItems).toStringList();
      qsizetype index = items.indexOf(text);
      if (index < 0) {
        const auto same = std::find_if(items.begin(), items.end(),
            [&](const QString& i) { return i.compare(text, Qt::CaseInsensitive) == 0; });
        if (same != items.end()) index = same - items.begin();
      }
      if (index < 0 && !text.isEmpty() && fromUser && item->data(mGridRoles::ListOnly).toBool()) return false;
      item->setData(Qt::DisplayRole, index >= 0 ? items[index] : text);
      item->setData(mGridRoles::ListIndex, text.isEmpty() ? -1 : static_cast<int>(index));
      break;
    }
  }
  return !(valueOf(item) == before);
}

void cSheetGrid::setText(int col, int row, const std::string& text) {
  writeCellText(col, row, mCodePage::toQString(text), false);
}

std::string cSheetGrid::text(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  if (!item) return {};
  if (kindOf(item) == GridCellKind::CheckBox) return item->data(mGridRoles::Checked).toBool() ? "1" : "0";
  return mCodePage::fromQString(item->data(Qt::DisplayRole).toString());
}

void cSheetGrid::setNumber(int col, int row, double value) {
  QTableWidgetItem* item = cell(col, row);
  if (!item) return;
  switch (kindOf(item)) {
    case GridCellKind::Number:
    case GridCellKind::Percent:
      item->setData(mGridRoles::Number, std::isfinite(value) ? QVariant(value) : QVariant());
      refreshCell(item);
      break;
    case GridCellKind::CheckBox: item->setData(mGridRoles::Checked, value != 0); break;
    default: writeCellText(col, row, exactText(value), false);
  }
}

std::optional<double> cSheetGrid::number(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  if (!item) return std::nullopt;
  switch (kindOf(item)) {
    case GridCellKind::Number:
    case GridCellKind::Percent: {
      const QVariant n = item->data(mGridRoles::Number);
      return n.isValid() ? std::optional<double>(n.toDouble()) : std::nullopt;
    }
    case GridCellKind::CheckBox: return item->data(mGridRoles::Checked).toBool() ? 1.0 : 0.0;
    default: return parseNumber(item->data(Qt::DisplayRole).toString());
  }
}

double cSheetGrid::value(int col, int row) const { return number(col, row).value_or(0.0); }

void cSheetGrid::setChecked(int col, int row, bool checked) {
  if (QTableWidgetItem* item = cell(col, row); item && kindOf(item) == GridCellKind::CheckBox) {
    item->setData(mGridRoles::Checked, checked);
  }
}

bool cSheetGrid::isChecked(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  return item && kindOf(item) == GridCellKind::CheckBox && item->data(mGridRoles::Checked).toBool();
}

void cSheetGrid::setListIndex(int col, int row, int index) {
  QTableWidgetItem* item = cell(col, row);
  if (!item || kindOf(item) != GridCellKind::List) return;
  const QStringList items = item->data(mGridRoles::ListItems).toStringList();
  if (index < 0 || index >= items.size()) {
    item->setData(Qt::DisplayRole, QString());
    item->setData(mGridRoles::ListIndex, -1);
  } else {
    item->setData(Qt::DisplayRole, items[index]);
    item->setData(mGridRoles::ListIndex, index);
  }
}

int cSheetGrid::listIndex(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  return item && kindOf(item) == GridCellKind::List ? item->data(mGridRoles::ListIndex).toInt() : -1;
}

bool cSheetGrid::isEmpty(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  if (!item) return true;
  switch (kindOf(item)) {
    case GridCellKind::Number:
    case GridCellKind::Percent: return !item->data(mGridRoles::Number).isValid();
    case GridCellKind::CheckBox: return !item->data(mGridRoles::Checked).toBool();
    default: return item->data(Qt::DisplayRole).toString().isEmpty();
  }
}

void cSheetGrid::clearValues(int col1, int row1, int col2, int row2) {
  if (!clampRange(col1, row1, col2, row2)) return;
  for (int r = row1; r <= row2; ++r) {
    for (int c = col1; c <= col2; ++c) {
      QTableWidgetItem* item = cell(c, r);
      item->setData(Qt::DisplayRole, QString());
      item->setData(mGridRoles::Number, QVariant());
      item->setData(mGridRoles::Checked, false);
      item->setData(mGridRoles::ListIndex, -1);
    }
  }
}

void cSheetGrid::clearAllValues() { clearValues(1, 1, maxCols(), maxRows()); }

void cSheetGrid::copyValues(const cGridBlock& from, int toCol, int toRow) {
  int col1 = from.col1, row1 = from.row1, col2 = from.col2, row2 = from.row2;
  if (from.isEmpty() || !clampRange(col1, row1, col2, row2)) return;
  struct Held {
    QString text;
    QVariant number;
    bool checked;
  };
  std::vector<Held> held;
  for (int r = row1; r <= row2; ++r) {
    for (int c = col1; c <= col2; ++c) {
      const QTableWidgetItem* item = cell(c, r);
      held.push_back({item->data(Qt::DisplayRole).toString(), item->data(mGridRoles::Number),
                      item->data(mGridRoles::Checked).toBool()});
    }
  }
  std::size_t i = 0;
  for (int r = row1; r <= row2; ++r) {
    for (int c = col1; c <= col2; ++c, ++i) {
      const int col = toCol + (c - col1);
      const int row = toRow + (r - row1);
      if (!inGrid(col, row)) continue;
      QTableWidgetItem* item = cell(col, row);
      switch (kindOf(item)) {
        case GridCellKind::Number:
        case GridCellKind::Percent:
          if (held[i].number.isValid()) {
            item->setData(mGridRoles::Number, held[i].number);
            refreshCell(item);
          } else {
            writeCellText(col, row, held[i].text, false);
          }
          break;
        case GridCellKind::CheckBox: item->setData(mGridRoles::Checked, held[i].checked); break;
        default: writeCellText(col, row, held[i].text, false);
      }
    }
  }
}

// -------------------------------------------------------------------- look

void cSheetGrid::setBackColor(int col1, int row1, int col2, int row2, const QColor& color) {
  if (!clampRange(col1, row1, col2, row2)) return;
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) cell(c, r)->setBackground(color.isValid() ? QBrush(color) : QBrush());
}

QColor cSheetGrid::backColor(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  return item && item->background().style() != Qt::NoBrush ? item->background().color() : QColor();
}

void cSheetGrid::setForeColor(int col1, int row1, int col2, int row2, const QColor& color) {
  if (!clampRange(col1, row1, col2, row2)) return;
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) cell(c, r)->setForeground(color.isValid() ? QBrush(color) : QBrush());
}

QColor cSheetGrid::foreColor(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  return item && item->foreground().style() != Qt::NoBrush ? item->foreground().color() : QColor();
}

void cSheetGrid::setAlignment(int col1, int row1, int col2, int row2, Qt::Alignment alignment) {
  if (!clampRange(col1, row1, col2, row2)) return;
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) cell(c, r)->setTextAlignment(alignment);
}

void cSheetGrid::setCellToolTip(int col, int row, const std::string& text) {
  if (QTableWidgetItem* item = cell(col, row)) item->setToolTip(mCodePage::toQString(text));
}

bool cSheetGrid::textClipped(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  if (!item || kindOf(item) == GridCellKind::CheckBox) return false;
  const QString text = item->data(Qt::DisplayRole).toString();
  if (text.isEmpty()) return false;
  // The item's own margins, as the style draws it.
  const int room = table_->columnWidth(col - 1) - 2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  return table_->fontMetrics().horizontalAdvance(text) > room;
}

std::string cSheetGrid::toolTipAt(int col, int row) const {
  const QTableWidgetItem* item = cell(col, row);
  if (!item) return {};
  if (!item->toolTip().isEmpty()) return mCodePage::fromQString(item->toolTip());
  return textClipped(col, row) ? mCodePage::fromQString(item->data(Qt::DisplayRole).toString()) : std::string();
}

void cSheetGrid::setBorder(int col1, int row1, int col2, int row2, const QColor& color) {
  if (!clampRange(col1, row1, col2, row2)) return;
  removeBorder(col1, row1, col2, row2);
  borders_.push_back({col1, row1, col2, row2, false});
  borderColors_.push_back(color);
  table_->viewport()->update();
}

void cSheetGrid::removeBorder(int col1, int row1, int col2, int row2) {
  if (!clampRange(col1, row1, col2, row2)) return;
  const cGridBlock block{col1, row1, col2, row2, false};
  for (std::size_t i = borders_.size(); i-- > 0;) {
    if (borders_[i] == block) {
      borders_.erase(borders_.begin() + static_cast<std::ptrdiff_t>(i));
      borderColors_.erase(borderColors_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  table_->viewport()->update();
}

void cSheetGrid::clearBorders() {
  borders_.clear();
  borderColors_.clear();
  table_->viewport()->update();
}

std::vector<cGridBlock> cSheetGrid::borders() const { return borders_; }

// ----------------------------------------------------- cursor and selection

void cSheetGrid::setActiveCell(int col, int row) {
  if (col == 0 || row == 0) {
    activateHeading(col, row);
    return;
  }
  if (!inGrid(col, row)) return;
  ProgramScope program(programDepth_);
  table_->setCurrentCell(row - 1, col - 1);
}

void cSheetGrid::activateHeading(int col, int row) {
  if (maxCols() < 1 || maxRows() < 1 || col < 0 || row < 0 || col > maxCols() || row > maxRows()) return;
  ProgramScope program(programDepth_);
  if (row == 0) {
    table_->clearSelection();
    table_->setCurrentCell(0, std::max(col, 1) - 1);
    table_->scrollToTop();
    return;
  }
  selectRows(row, row);
  table_->scrollTo(table_->model()->index(row - 1, 0));
}

int cSheetGrid::activeCol() const { return table_->currentIndex().isValid() ? table_->currentColumn() + 1 : 0; }
int cSheetGrid::activeRow() const { return table_->currentIndex().isValid() ? table_->currentRow() + 1 : 0; }

void cSheetGrid::selectBlock(int col1, int row1, int col2, int row2) {
  if (!clampRange(col1, row1, col2, row2)) return;
  ProgramScope program(programDepth_);
  QAbstractItemModel* model = table_->model();
  const QItemSelection block(model->index(row1 - 1, col1 - 1), model->index(row2 - 1, col2 - 1));
  table_->selectionModel()->setCurrentIndex(model->index(row1 - 1, col1 - 1), QItemSelectionModel::NoUpdate);
  table_->selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

void cSheetGrid::selectRows(int row1, int row2) { selectBlock(1, row1, maxCols(), row2); }

void cSheetGrid::clearSelection() {
  ProgramScope program(programDepth_);
  table_->clearSelection();
}

cGridBlock cSheetGrid::selection() const {
  const QItemSelection ranges = table_->selectionModel()->selection();
  if (ranges.isEmpty()) {
    const int col = activeCol();
    const int row = activeRow();
    if (col == 0 || row == 0) return {};
    return {col, row, col, row, false};
  }
  int left = maxCols(), top = maxRows(), right = -1, bottom = -1;
  for (const QItemSelectionRange& range : ranges) {
    left = std::min(left, range.left());
    top = std::min(top, range.top());
    right = std::max(right, range.right());
    bottom = std::max(bottom, range.bottom());
  }
  const bool wholeRows = left == 0 && right == maxCols() - 1 && maxCols() > 1;
  return {left + 1, top + 1, right + 1, bottom + 1, wholeRows};
}

bool cSheetGrid::hasBlockSelected() const {
  if (table_->selectionModel()->selection().isEmpty()) return false;
  const cGridBlock block = selection();
  return block.wholeRows || block.cols() * block.rows() > 1;
}

QRect cSheetGrid::cellScreenRect(int col, int row) const {
  if (!inGrid(col, row)) return {};
  const QRect rect = table_->visualRect(table_->model()->index(row - 1, col - 1));
  return QRect(table_->viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

std::pair<int, int> cSheetGrid::cellAtScreen(const QPoint& globalPos) const {
  const QModelIndex index = table_->indexAt(table_->viewport()->mapFromGlobal(globalPos));
  if (!index.isValid()) return {0, 0};
  return {index.column() + 1, index.row() + 1};
}

// -------------------------------------------------------------- clipboard

std::string cSheetGrid::blockText(const cGridBlock& block) const {
  int col1 = block.col1, row1 = block.row1, col2 = block.col2, row2 = block.row2;
  if (block.isEmpty() || !clampRange(col1, row1, col2, row2)) return {};
  QString text;
  for (int r = row1; r <= row2; ++r) {
    for (int c = col1; c <= col2; ++c) {
      if (c > col1) text += '\t';
      const QTableWidgetItem* item = cell(c, r);
      const QVariant n = item->data(mGridRoles::Number);
      switch (kindOf(item)) {
        case GridCellKind::Number:
          if (n.isValid()) text += exactText(n.toDouble());
          break;
        case GridCellKind::Percent:
          if (n.isValid()) text += percentText(n.toDouble()) + '%';
          break;
        case GridCellKind::CheckBox: text += item->data(mGridRoles::Checked).toBool() ? '1' : '0'; break;
        default: {
          QString t = item->data(Qt::DisplayRole).toString();
          t.replace('\t', ' ').replace('\r', ' ').replace('\n', ' ');
          text += t;
        }
      }
    }
    text += '\n';
  }
  return mCodePage::fromQString(text);
}

bool cSheetGrid::copy() const {
  const std::string text = blockText(selection());
  if (text.empty()) return false;
  QApplication::clipboard()->setText(mCodePage::toQString(text));
  return true;
}

bool cSheetGrid::pasteText(const std::string& text) {
  const cGridBlock target = selection();
  if (target.isEmpty() || text.empty()) return false;
  BatchScope batch(batchDepth_, batchStarted_, [this] { emit userEditFinished(); });
  QString all = mCodePage::toQString(text);
  all.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
  QStringList lines = all.split('\n');
  if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
  bool changed = false;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QStringList fields = lines[i].split('\t');
    for (qsizetype j = 0; j < fields.size(); ++j) {
      changed |= userSetText(target.col1 + static_cast<int>(j), target.row1 + static_cast<int>(i), fields[j]);
    }
  }
  return changed;
}

bool cSheetGrid::paste() { return pasteText(mCodePage::fromQString(QApplication::clipboard()->text())); }

bool cSheetGrid::commitPendingEdit() { return table_->commitOpenEditor(); }

bool cSheetGrid::inUserBatch() const { return batchDepth_ > 0; }

// ------------------------------------------------------------ user edits

bool cSheetGrid::userSetText(int col, int row, const QString& text) {
  if (!userMayEdit(col, row)) return false;
  if (!writeCellText(col, row, text, true)) return false;
  reportUserChange(col, row);
  return true;
}

void cSheetGrid::reportUserChange(int col, int row) {
  if (batchDepth_ > 0 && !batchStarted_) {
    batchStarted_ = true;
    emit userEditStarted();
  }
  emit valueChanged(col, row);
}

bool cSheetGrid::userToggle(int col, int row) {
  if (!userMayEdit(col, row) || cellKind(col, row) != GridCellKind::CheckBox) return false;
  const bool checked = !isChecked(col, row);
  setChecked(col, row, checked);
  emit checkBoxClicked(col, row, checked);
  return true;
}

bool cSheetGrid::userChooseListItem(int col, int row, int index) {
  if (!userMayEdit(col, row) || cellKind(col, row) != GridCellKind::List) return false;
  if (index == listIndex(col, row) || index < 0 || index >= static_cast<int>(listItems(col, row).size())) return false;
  setListIndex(col, row, index);
  emit listItemChosen(col, row, index);
  emit valueChanged(col, row);
  return true;
}

bool cSheetGrid::userClear(int col, int row) {
  if (!userMayEdit(col, row) || isEmpty(col, row)) return false;
  clearValues(col, row, col, row);
  reportUserChange(col, row);
  return true;
}

void cSheetGrid::userDeleteSelection() {
  const cGridBlock block = selection();
  if (block.isEmpty()) return;
  BatchScope batch(batchDepth_, batchStarted_, [this] { emit userEditFinished(); });
  for (int r = block.row1; r <= block.row2; ++r)
    for (int c = block.col1; c <= block.col2; ++c) userClear(c, r);
}

// ------------------------------------------------------- from the table

void cSheetGrid::onCurrentChanged(int col, int row, int, int previousRow) {
  if (programDepth_ > 0) return;
  emit cellEntered(col, row);
  if (row != previousRow) emit activeRowChanged(row, previousRow);
}

void cSheetGrid::onSelectionChanged() {
  if (programDepth_ > 0 || !hasBlockSelected()) return;
  const cGridBlock block = selection();
  emit blockSelected(block.col1, block.row1, block.col2, block.row2, block.wholeRows);
}

bool cSheetGrid::contains(const QWidget* widget) const {
  for (; widget; widget = widget->parentWidget()) {
    if (widget == this) return true;
  }
  return false;
}

void cSheetGrid::onFocusChanged(QWidget* old, QWidget* now) {
  if (now && contains(now) && !contains(old)) {
    emit focusEntered();
    return;
  }
  if (!old || !now || !contains(old) || contains(now)) return;
  if (now->window() != window()) return;
  // Queued: a handler must not run inside the call that moved the focus
  // (a check that activates another sheet's cell, a delete giving the sheet
  // its focus back), nor when the focus has come straight back.
  if (focusLostPending_) return;
  focusLostPending_ = true;
  QMetaObject::invokeMethod(this, [this] {
    focusLostPending_ = false;
    if (!contains(QApplication::focusWidget())) emit focusLost();
  }, Qt::QueuedConnection);
}
