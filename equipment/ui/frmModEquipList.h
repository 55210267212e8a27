#pragma once
// The "Modify the Equipment List" dialog: the working copy of the equipment
// list in one sheet, a row below it where the user composes a new item, and
// the buttons that add, delete, open, save and reload the default list.
// The rules live in cModEquipment; this window shows its working copy and
// routes the user's actions to it.
//
// The program's list changes only on Ok, which then calls onListChanged so
// the caller can refresh the equipment sheet's description choices.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include <QDialog>

#include "equipment/cModEquipment.h"
#include "study/INewEquipmentEntry.h"

class QLabel;
class QPushButton;
class SF_FilePrompt;
class cSheetGrid;
class cStudy;

class frmModEquipList : public QDialog, public INewEquipmentEntry {
  Q_OBJECT

public:
  // colList is the program's list; programDir holds the default list and
  // ends with a path separator. Messages go through the study's service.
  frmModEquipList(cStudy& study, EquipmentList& colList, SF_FilePrompt& prompt, std::string programDir,
                  std::function<void()> onListChanged, QWidget* parent = nullptr);

  // The item being composed in the new-item row.
  std::shared_ptr<cEquipmentRecord> newEquipment;
  std::int16_t selectedItem = 0;

  cModEquipment& editor() { return editor_; }
  cSheetGrid* sheetEquipList() const { return sheetEquipList_; }
  cSheetGrid* sheetNewEquip() const { return sheetNewEquip_; }

  // The working copy on the list sheet.
  void displayEquipment();
  // An empty new-item row and a fresh newEquipment.
  void clearNewEquip();

  // INewEquipmentEntry: the Add button's colour, and the new row's cell.
  void setAddButtonOn(int state) override;
  void setActiveCell(std::int32_t col, std::int32_t row) override;
  void setDeleteButtonOn(int state);

  // Cancel, Escape and the close box: the program's list stays as it was.
  void reject() override;

private:
  void buildLayout();
  void layOutSheet(cSheetGrid& sheet, int rows);
  void newItemEdited(int col, int row);
  void addItem();
  void deleteItems();
  void openList();
  void saveList();
  void loadDefault();
  void acceptList();

  EquipmentList& colList_;
  SF_FilePrompt& prompt_;
  std::function<void()> onListChanged_;
  cModEquipment editor_;
  cSheetGrid* sheetEquipList_ = nullptr;
  cSheetGrid* sheetNewEquip_ = nullptr;
  QLabel* lblMessage_ = nullptr;
  std::array<QPushButton*, 5> cmdLoad_{};
  std::array<QPushButton*, 2> cmdAddDelete_{};
};
