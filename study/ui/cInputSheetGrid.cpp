#include "study/ui/cInputSheetGrid.h"

#include <algorithm>

#include "qtplatform/cSheetGrid.h"

cInputSheetGrid::cInputSheetGrid(cSheetGrid& grid, std::int32_t sheetNumber, RowLayout layoutRows)
    : grid_(grid), sheetNumber_(sheetNumber), layoutRows_(std::move(layoutRows)) {}

void cInputSheetGrid::setFocus() { grid_.setFocus(); }

void cInputSheetGrid::setActiveCell(std::int32_t col, std::int32_t row) { grid_.setActiveCell(col, row); }

cCell cInputSheetGrid::currentCell() const {
  cCell cell;
  cell.sheet = sheetNumber_;
  cell.col = grid_.activeCol();
  cell.row = grid_.activeRow();
  return cell;
}

void cInputSheetGrid::setCurrentCell(std::int32_t col, std::int32_t row) {
  if (col < 1 || row < 1) return;
  // Putting back the cell that is still current must not drop the rows the
  // user is selecting (selecting a receptor remembers and restores it).
  if (grid_.activeCol() == col && grid_.activeRow() == row) return;
  grid_.setActiveCell(col, row);
}

std::string cInputSheetGrid::cellText(std::int32_t col, std::int32_t row) const { return grid_.text(col, row); }

void cInputSheetGrid::setCellNumber(std::int32_t col, std::int32_t row, double value) {
  ensureRows(row);
  grid_.setNumber(col, row, value);
}

SheetBlock cInputSheetGrid::selectedBlock() const {
  const cGridBlock block = grid_.selection();
  if (block.wholeRows) return {-1, block.row1, -1, block.row2};
  return {block.col1, block.row1, block.col2, block.row2};
}

void cInputSheetGrid::copySelection() { grid_.copy(); }

void cInputSheetGrid::pasteClipboard() { grid_.paste(); }

std::pair<int, int> cInputSheetGrid::selectedWholeRows() const {
  if (!grid_.hasBlockSelected()) return {0, 0};
  const cGridBlock block = grid_.selection();
  if (!block.wholeRows) return {0, 0};
  return {block.row1, block.row2};
}

bool cInputSheetGrid::rowIsEmpty(int row) const {
  for (int col = 1; col <= grid_.maxCols(); ++col) {
    if (!grid_.isEmpty(col, row)) return false;
  }
  return true;
}

void cInputSheetGrid::closeGap() {
  const int cols = grid_.maxCols();
  int next = 1;  // the row the next filled row moves to
  for (int row = 1; row <= grid_.maxRows(); ++row) {
    if (rowIsEmpty(row)) continue;
    if (row != next) {
      grid_.copyValues({1, row, cols, row, false}, 1, next);
      grid_.clearValues(1, row, cols, row);
    }
    ++next;
  }
}

void cInputSheetGrid::ensureRows(int rows) {
  const int had = grid_.maxRows();
  if (rows <= had) return;
  grid_.setSize(grid_.maxCols(), rows);
  if (layoutRows_) layoutRows_(had + 1, rows);
}

cInputSheetGrid::SoftwareWrite::SoftwareWrite(const cInputSheetGrid& sheet) : flag_(sheet.softwareButton_) {
  if (flag_) {
    previous_ = *flag_;
    *flag_ = true;
  }
}

cInputSheetGrid::SoftwareWrite::~SoftwareWrite() {
  if (flag_) *flag_ = previous_;
}
