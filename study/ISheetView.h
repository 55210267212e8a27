#pragma once
// The grid operations the core asks of the receptor and equipment sheets, and
// of their sheet managers (display, clear, the copy rules between columns).
// Columns and rows are 1-based; column 0 and row 0 are the headings.

#include <cstdint>
#include <string>

#include "study/cCell.h"

// A selected block of cells. Whole rows are selected when both columns are -1.
struct SheetBlock {
  std::int32_t col = 0;
  std::int32_t row = 0;
  std::int32_t col2 = 0;
  std::int32_t row2 = 0;
};

class ISheetView {
public:
  virtual ~ISheetView() = default;

  // Redraw every record of the study on the sheet / empty every cell.
  virtual void display() = 0;
  virtual void clear() = 0;

  virtual void setFocus() = 0;
  virtual void setActiveCell(std::int32_t col, std::int32_t row) = 0;
  virtual cCell currentCell() const = 0;
  virtual void setCurrentCell(std::int32_t col, std::int32_t row) = 0;

  virtual std::string cellText(std::int32_t col, std::int32_t row) const = 0;
  virtual void setCellNumber(std::int32_t col, std::int32_t row, double value) = 0;

  virtual SheetBlock selectedBlock() const = 0;
  virtual void copySelection() = 0;   // to the clipboard
  virtual void pasteClipboard() = 0;  // into the selection

  // Whether data copied from sourceCol may be pasted into targetCol; a
  // refusal shows the sheet's own message.
  virtual bool cellTypeMatch(std::int32_t sourceCol, std::int32_t targetCol) = 0;
};

class IReceptorSheetView : public ISheetView {
public:
  // Draws (or removes) a border of the given colour (0xBBGGRR) around
  // columns firstCol..lastCol of a row.
  virtual void setRowBorder(std::int32_t row, std::int32_t firstCol, std::int32_t lastCol, bool drawn,
                            std::uint32_t colorBGR) = 0;
};

class IEquipmentSheetView : public ISheetView {
public:
  // Locks (true) or unlocks the columns the user may not type into.
  virtual void LockCells(bool lock) = 0;
};
