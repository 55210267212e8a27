#pragma once
// What the receptor and equipment sheets do alike on their grids: the cell
// and selection operations the core asks of an input sheet (ISheetView), the
// closing of the gap that deleted rows leave, and the main window's
// gSoftwareButton flag raised while the program writes cells.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "study/ISheetView.h"
#include "study/cCell.h"

class cSheetGrid;

class cInputSheetGrid {
public:
  // sheetNumber is the study's name for the sheet (1 receptors, 2 equipment);
  // layoutRows gives rows added to the sheet their kinds, lists and locks.
  using RowLayout = std::function<void(int firstRow, int lastRow)>;
  cInputSheetGrid(cSheetGrid& grid, std::int32_t sheetNumber, RowLayout layoutRows);

  void setFocus();
  // Heading targets (column or row 0) show what they head; see cSheetGrid.
  void setActiveCell(std::int32_t col, std::int32_t row);
  cCell currentCell() const;
  // Back to a cell remembered with currentCell; none remembered, no move.
  void setCurrentCell(std::int32_t col, std::int32_t row);
  std::string cellText(std::int32_t col, std::int32_t row) const;
  void setCellNumber(std::int32_t col, std::int32_t row, double value);
  // Whole rows come with both columns -1, as the study's copy and paste expect.
  SheetBlock selectedBlock() const;
  void copySelection();
  void pasteClipboard();

  // The rows selected as whole rows (first, last), or {0, 0} when the
  // selection is not whole rows: a delete acts on whole rows only.
  std::pair<int, int> selectedWholeRows() const;
  // Moves every filled row up so that no empty row is left between filled
  // rows; a row is empty when all its cells are.
  void closeGap();
  // Grows the sheet to at least this many rows, laying the new ones out, so
  // that a case larger than the sheet hides nothing.
  void ensureRows(int rows);

  void setSoftwareButtonFlag(bool* flag) { softwareButton_ = flag; }
  // Raises the flag for its lifetime and restores it after.
  class SoftwareWrite {
  public:
    explicit SoftwareWrite(const cInputSheetGrid& sheet);
    ~SoftwareWrite();
    SoftwareWrite(const SoftwareWrite&) = delete;
    SoftwareWrite& operator=(const SoftwareWrite&) = delete;

  private:
    bool* flag_;
    bool previous_ = false;
  };

private:
  bool rowIsEmpty(int row) const;

  cSheetGrid& grid_;
  std::int32_t sheetNumber_;
  RowLayout layoutRows_;
  bool* softwareButton_ = nullptr;
};
