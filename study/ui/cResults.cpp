#include "study/ui/cResults.h"

#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QMimeData>
#include <QTableWidget>

#include "qtplatform/cSheetGrid.h"
#include "qtplatform/mCodePage.h"
#include "report/mHtmlTable.h"
#include "study/cStudy.h"

namespace {

constexpr int kCols = 15;
constexpr int kRows = 21;  // the totals, then twenty pieces of equipment
constexpr int kVisibleRows = 6;
const QColor kTotalsColor(255, 255, 1);

}  // namespace

cResults::cResults(cStudy& study, QWidget* parent) : study_(study), grid_(new cSheetGrid(parent)) {
  grid_->setObjectName(QStringLiteral("sheetResults"));
  grid_->setAccessibleName(QStringLiteral("Results"));
  grid_->setAccessibleDescription(QStringLiteral("Results"));
  grid_->table()->setAccessibleName(QStringLiteral("Results"));
}

cResults::~cResults() {
  if (grid_ && !grid_->parent()) delete grid_.data();
}

void cResults::initialize() {
  grid_->setHeadingRows(3);
  grid_->setSize(kCols, kRows);
  grid_->setColumnWidth(1, 20);
  for (int col = 2; col <= kCols; ++col) grid_->setColumnWidth(col, 6);

  grid_->setColumnHeading(2, "Calculated (dBA)", 1);
  grid_->spanColumnHeading(1, 2, 2);
  grid_->setColumnHeading(4, "Noise Limits (dBA)", 1);
  grid_->spanColumnHeading(1, 4, 6);
  grid_->setColumnHeading(10, "Noise Limit Exceedance (dBA)", 1);
  grid_->spanColumnHeading(1, 10, 6);
  const char* periods[] = {"Day", "Evening", "Night"};
  for (int i = 0; i < 6; ++i) {
    const int col = 4 + 2 * i;
    grid_->setColumnHeading(col, periods[i % 3], 2);
    grid_->spanColumnHeading(2, col, 2);
  }
  grid_->setColumnHeading(1, "Equipment", 3);

  layoutRows(1, kRows);
  grid_->setText(1, 1, "Total");
  paintTotalsRow();
  metricLable(2);
  height(kVisibleRows);
  fitWidth();
}

void cResults::layoutRows(int firstRow, int lastRow) {
  grid_->setCellKind(1, firstRow, kCols, lastRow, GridCellKind::Static);
  // Levels line up on their decimal point.
  grid_->setAlignment(2, firstRow, kCols, lastRow, Qt::AlignRight | Qt::AlignVCenter);
  for (int row = firstRow; row <= lastRow; ++row) {
    grid_->setRowHeading(row, row == 1 ? std::string(" ") : std::to_string(row - 1));
  }
}

void cResults::paintTotalsRow() { grid_->setBackColor(1, 1, kCols, 1, kTotalsColor); }

void cResults::metricLable(int metric) {
  const std::string label = metric == 2 ? "L10" : "Leq";
  grid_->setColumnHeading(2, "Lmax*", 3);
  grid_->setColumnHeading(3, label, 3);
  for (int col = 4; col <= kCols; ++col) grid_->setColumnHeading(col, col % 2 == 0 ? "Lmax" : label, 3);
}

void cResults::height(int rows) { grid_->setVisibleRows(rows); }

void cResults::fitWidth() { grid_->fitWidthToColumns(); }

void cResults::clearSelection() {
  grid_->clearSelection();
  paintTotalsRow();
}

void cResults::display() {
  bool* flag = softwareButton_;
  const bool previous = flag ? *flag : false;
  if (flag) *flag = true;
  study_.displayResults();
  if (flag) *flag = previous;
}

void cResults::clear() {
  grid_->clearValues(2, 1, kCols, 1);
  grid_->clearValues(1, 2, kCols, grid_->maxRows());
}

void cResults::setCellText(std::int32_t col, std::int32_t row, const std::string& text) {
  if (row > grid_->maxRows()) {
    const int had = grid_->maxRows();
    grid_->setSize(kCols, row);
    layoutRows(had + 1, row);
  }
  grid_->setText(col, row, text);
}

bool cResults::copyTable() const {
  cGridBlock block = grid_->selection();
  if (block.isEmpty()) {
    int last = 0;
    for (int row = 1; row <= grid_->maxRows(); ++row)
      if (!grid_->text(1, row).empty()) last = row;
    if (last == 0) return false;
    block = {1, 1, kCols, last, true};
  }
  const std::string text = grid_->blockText(block);
  if (text.empty()) return false;
  // A column's heading is the text of each heading row that spans it.
  std::vector<std::string> header;
  for (int col = block.col1; col <= block.col2; ++col) {
    std::string heading;
    for (int h = 1; h <= grid_->headingRows(); ++h) {
      for (int start = col; start >= 1; --start) {
        const std::string part = grid_->columnHeading(start, h);
        if (part.empty()) continue;
        if (start + std::max(1, grid_->columnHeadingSpan(h, start)) - 1 >= col)
          heading += (heading.empty() ? "" : " ") + part;
        break;
      }
    }
    header.push_back(heading);
  }
  auto* mime = new QMimeData();
  mime->setText(mCodePage::toQString(text));
  mime->setHtml(mCodePage::toQString(mHtmlTable::table(header, mHtmlTable::cellsOf(text))));
  QApplication::clipboard()->setMimeData(mime);
  return true;
}
