#pragma once
// The equipment sheet of the main window: one row per piece of equipment
// with its description from the equipment list, impact flag, usage, the Lmax
// it uses and, for the selected receptor, distance and shielding. The core
// half (the equipment list, colList) is cEquipment; this half draws the
// sheet, locks what the user may not type into, and deletes rows.

#include <cstdint>
#include <string>

#include <QPointer>

#include "qtplatform/cSheetGrid.h"
#include "study/ISheetView.h"
#include "study/ui/cInputSheetGrid.h"

class QWidget;
class cEquipment;
class cSheetGrid;
class cStudy;

class cEquipmentSheet : public IEquipmentSheetView {
public:
  cEquipmentSheet(cStudy& study, cEquipment& equipment, QWidget* parent = nullptr);
  ~cEquipmentSheet() override;
  cEquipmentSheet(const cEquipmentSheet&) = delete;
  cEquipmentSheet& operator=(const cEquipmentSheet&) = delete;

  cSheetGrid* grid() const { return grid_; }
  // The main window's gSoftwareButton, raised while display() writes; may be null.
  void setSoftwareButtonFlag(bool* flag) { cells_.setSoftwareButtonFlag(flag); }

  // Builds the layout (10 columns, 20 rows, 6 shown), the headings, the
  // description lists, and locks the columns filled from the list.
  void initialize();
  // Headings for the study's units: column 9 reads "(feet)" or "(meters)".
  void setLabels();
  // The descriptions of the equipment list are the items of column 2.
  void loadDescriptions();
  void height(int rows);
  // Locks (true) or unlocks columns 3, 4, 6 and 8 of every row.
  void LockCells(bool lock) override;
  // Locks distance and shielding of the row while no receptor is selected,
  // unlocks them otherwise; returns whether the current column's cell of
  // that row is locked.
  bool LinkInputLock(int row);
  // Deletes the equipment of the rows selected as whole rows, closes the
  // gap, and recomputes; one "Undo Delete" brings them back.
  void Delete();

  // ISheetView
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

private:
  void layoutRows(int firstRow, int lastRow);
  void lockLinkInput(int firstRow, int lastRow);
  void lockPlanCells(int firstRow, int lastRow);
  std::string descriptionItems() const;

  cStudy& study_;
  cEquipment& equipment_;
  QPointer<cSheetGrid> grid_;
  cInputSheetGrid cells_;
  bool cellsLocked_ = true;
};
