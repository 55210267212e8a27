#pragma once
// The receptor sheet of the main window: one row per receptor with its
// description, land use and three baselines. Choosing a row selects the
// receptor the other sheets show; this class draws the sheet, checks copies
// between its columns and deletes rows.

#include <cstdint>
#include <string>

#include <QPointer>

#include "qtplatform/cSheetGrid.h"
#include "study/ISheetView.h"
#include "study/ui/cInputSheetGrid.h"

class QWidget;
class cSheetGrid;
class cStudy;

class cReceptors : public IReceptorSheetView {
public:
  explicit cReceptors(cStudy& study, QWidget* parent = nullptr);
  ~cReceptors() override;
  cReceptors(const cReceptors&) = delete;
  cReceptors& operator=(const cReceptors&) = delete;

  cSheetGrid* grid() const { return grid_; }
  // The main window's gSoftwareButton, raised while display() writes; may be null.
  void setSoftwareButtonFlag(bool* flag) { cells_.setSoftwareButtonFlag(flag); }

  // Builds the layout: 5 columns, 100 rows, 4 shown.
  void initialize();
  void height(int rows);
  // Deletes the receptors of the rows selected as whole rows, closes the
  // gap, keeps a receptor that still exists selected, and recomputes; one
  // "Undo Delete" brings them back.
  void Delete();

  // ISheetView. display() writes the receptors in collection order without
  // clearing first; its callers clear.
  void display() override;
  void clear() override;
  void setFocus() override { cells_.setFocus(); }
  void setActiveCell(std::int32_t col, std::int32_t row) override { cells_.setActiveCell(col, row); }
  cCell currentCell() const override { return cells_.currentCell(); }
  void setCurrentCell(std::int32_t col, std::int32_t row) override { cells_.setCurrentCell(col, row); }
  std::string cellText(std::int32_t col, std::int32_t row) const override { return cells_.cellText(col, row); }
  void setCellNumber(std::int32_t col, std::int32_t row, double value) override;
  SheetBlock selectedBlock() const override { return cells_.selectedBlock(); }
  void copySelection() override { cells_.copySelection(); }
  void pasteClipboard() override { cells_.pasteClipboard(); }
  bool cellTypeMatch(std::int32_t sourceCol, std::int32_t targetCol) override;

  // IReceptorSheetView
  void setRowBorder(std::int32_t row, std::int32_t firstCol, std::int32_t lastCol, bool drawn,
                    std::uint32_t colorBGR) override;

private:
  void layoutRows(int firstRow, int lastRow);
  std::int32_t receptorAfterDelete(std::int32_t current, int first, int last) const;

  cStudy& study_;
  QPointer<cSheetGrid> grid_;
  cInputSheetGrid cells_;
};
