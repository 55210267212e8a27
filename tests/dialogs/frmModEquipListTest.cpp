// The equipment-list dialog alone, driven through its sheets and buttons:
// composing and adding an item, deleting a range, file operations that fail
// without harm, and the program's list changed only on Ok.
#include "equipment/ui/frmModEquipList.h"

#include <algorithm>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "DialogTestCase.h"
#include "SF_FilePrompt.h"
#include "SF_ScriptedDialog.h"
#include "qtplatform/cSheetGrid.h"
#include "equipment/mEquipmentListFile.h"

namespace {

using Answer = MessageAnswer;

std::shared_ptr<cEquipmentRecord> item(const std::string& d, int impact, float usage, float spec, float actual) {
  auto e = std::make_shared<cEquipmentRecord>();
  e->description = d;
  e->impactDevice = impact;
  e->usage = usage;
  e->spec_lmax = spec;
  e->actual_lmax = actual;
  e->spec_select = isValueNA(actual);
  e->numUnits = 1;
  return e;
}

class ModEquipList : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    colList = {item("Air Compressor", 1, 40, 80, 77.6f), item("Backhoe", 1, 40, 80, valueNA),
               item("Dozer", 1, 40, 85, 81.7f)};
  }
  std::unique_ptr<frmModEquipList> open(const std::string& programDir = shippedDir()) {
    auto dlg = std::make_unique<frmModEquipList>(study, colList, prompt, programDir, [this] { ++refreshed; });
    dlg->show();
    return dlg;
  }
  static QPushButton* button(frmModEquipList& dlg, const char* name) { return dlg.findChild<QPushButton*>(name); }
  // What a user pastes into the new-item row, one field per column.
  static void typeNewItem(frmModEquipList& dlg, const std::string& tabFields) {
    dlg.sheetNewEquip()->setActiveCell(1, 1);
    dlg.sheetNewEquip()->pasteText(tabFields);
  }
  static void clickListRow(frmModEquipList& dlg, int row) {
    QTableWidget* table = dlg.sheetEquipList()->table();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(table->model()->index(row - 1, 0)).center());
  }
  static QColor textColour(QPushButton* b) { return b->palette().color(QPalette::ButtonText); }

  cScriptedMessageService messages;
  cStudy study;
  EquipmentList colList;
  SF_ScriptedDialog fileDialog;
  SF_FilePrompt prompt{fileDialog};
  int refreshed = 0;
};

TEST_F(ModEquipList, ShowsTheListWithItsCaptionsAndTips) {
  auto dlg = open();
  EXPECT_EQ(dlg->windowTitle(), "Modify the Equipment List");
  cSheetGrid* list = dlg->sheetEquipList();
  EXPECT_EQ(list->text(1, 2), "Backhoe");
  EXPECT_EQ(list->text(3, 1), "40%");
  EXPECT_EQ(list->text(4, 1), "80.0");
  EXPECT_EQ(list->text(5, 1), "77.6");
  EXPECT_EQ(list->text(5, 2), "N/A");
  EXPECT_FALSE(list->isChecked(2, 1));
  EXPECT_TRUE(list->isLocked(1, 1));
  EXPECT_EQ(list->columnHeading(4), "Spec\nLmax\n(dBA)");
  EXPECT_EQ(button(*dlg, "cmdLoad2")->toolTip(),
            "Restore CA/T Project (MA) equipment, Construction Noise Control Specification 721.560");
  EXPECT_EQ(button(*dlg, "cmdAddDelete1")->text(), "Delete");
  EXPECT_EQ(textColour(button(*dlg, "cmdAddDelete0")), QColor(255, 0, 0));
}

// A user composes "Crane" with a blank actual Lmax, sees no message while
// typing, adds it (it lands between Backhoe and Dozer, actual N/A, spec
// selected), and presses Ok: only then does the program's list change.
TEST_F(ModEquipList, ComposedItemIsAddedInOrderAndReachesTheProgramOnOk) {
  auto dlg = open();
  typeNewItem(*dlg, "Crane");
  EXPECT_TRUE(messages.messages().empty()) << "no message while typing";
  EXPECT_EQ(textColour(button(*dlg, "cmdAddDelete0")), QColor(255, 0, 0));
  typeNewItem(*dlg, "Crane\t1\t16\t85");
  EXPECT_EQ(textColour(button(*dlg, "cmdAddDelete0")), QColor(0, 192, 0));
  EXPECT_TRUE(messages.messages().empty());
  messages.script({Answer::Yes});
  button(*dlg, "cmdAddDelete0")->click();
  EXPECT_EQ(messageTexts(messages), std::vector<std::string>{"Add 'Crane' to the Equipment List?"});
  EXPECT_EQ(dlg->sheetEquipList()->text(1, 3), "Crane");
  EXPECT_TRUE(dlg->sheetEquipList()->isChecked(2, 3));
  EXPECT_EQ(dlg->sheetEquipList()->text(3, 3), "16%");
  EXPECT_EQ(dlg->sheetEquipList()->text(5, 3), "N/A");
  EXPECT_EQ(dlg->sheetEquipList()->text(1, 4), "Dozer");
  EXPECT_EQ(dlg->sheetNewEquip()->text(1, 1), "") << "the new-item row is cleared";
  EXPECT_EQ(colList.size(), 3u);
  EXPECT_TRUE(study.equipmentChanged);

  button(*dlg, "cmdLoad3")->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(refreshed, 1);
  ASSERT_EQ(colList.size(), 4u);
  const auto& crane = *colList[2];
  EXPECT_EQ(crane.description, "Crane");
  EXPECT_EQ(crane.impactDevice, 0);
  EXPECT_EQ(crane.usage, 16.0f);
  EXPECT_EQ(crane.spec_lmax, 85.0f);
  EXPECT_TRUE(isValueNA(crane.actual_lmax));
  EXPECT_TRUE(crane.spec_select);
  EXPECT_EQ(crane.numUnits, 1);
}

TEST_F(ModEquipList, AddShowsTheFirstProblemOfTheNewItem) {
  auto dlg = open();
  typeNewItem(*dlg, "Crane\t\t\t85");
  button(*dlg, "cmdAddDelete0")->click();
  EXPECT_EQ(messageTexts(messages), std::vector<std::string>{"Please enter a Usage greater than zero."});
  EXPECT_EQ(dlg->sheetNewEquip()->activeCol(), 3);
  EXPECT_EQ(dlg->editor().colHold.size(), 3u);
  typeNewItem(*dlg, "Crane\t\t1e300\t85");
  messages.clear();
  button(*dlg, "cmdAddDelete0")->click();
  EXPECT_EQ(messageTexts(messages), std::vector<std::string>{"Please enter a Usage greater than zero."})
      << "a usage beyond single precision is refused";
}

TEST_F(ModEquipList, DeleteRemovesTheSelectedRowsCutAtTheEndOfTheList) {
  auto dlg = open();
  clickListRow(*dlg, 2);
  EXPECT_EQ(textColour(button(*dlg, "cmdAddDelete1")), QColor(0, 192, 0));
  dlg->sheetEquipList()->selectRows(2, 5);
  messages.script({Answer::Yes});
  button(*dlg, "cmdAddDelete1")->click();
  EXPECT_EQ(messageTexts(messages),
            std::vector<std::string>{"Remove item #2 thru item #3' from the Equipment List?"});
  EXPECT_EQ(dlg->sheetEquipList()->text(1, 1), "Air Compressor");
  EXPECT_EQ(dlg->sheetEquipList()->text(1, 2), "");
  EXPECT_EQ(textColour(button(*dlg, "cmdAddDelete1")), QColor(255, 0, 0));
  button(*dlg, "cmdLoad4")->click();  // Cancel
  EXPECT_EQ(colList.size(), 3u);
  EXPECT_EQ(refreshed, 0);
  EXPECT_FALSE(study.equipmentChanged) << "Cancel puts the flag back";
}

TEST_F(ModEquipList, DefaultListReplacesTheWorkingCopyAndOkHandsItOver) {
  auto dlg = open();
  button(*dlg, "cmdLoad2")->click();  // nothing changed yet: no question
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_GE(dlg->editor().colHold.size(), 50u);
  EXPECT_EQ(dlg->sheetEquipList()->text(1, 1), dlg->editor().colHold[0]->description);
  button(*dlg, "cmdLoad3")->click();
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(colList.size(), dlg->editor().colHold.size());
}

}  // namespace

// The box is ticked as a user ticks it, with the mouse and with the space
// bar: the item added is an impact device, and is saved as one.
TEST_F(ModEquipList, TheImpactDeviceBoxTickedInTheNewRowIsAdded) {
  for (const bool byKey : {false, true}) {
    auto dlg = open();
    typeNewItem(*dlg, "Pile Driver\t\t20%\t95\tN/A");
    cSheetGrid* row = dlg->sheetNewEquip();
    QTableWidget* table = row->table();
    if (byKey) {
      table->setFocus();
      row->setActiveCell(2, 1);
      QTest::keyClick(table, Qt::Key_Space);
    } else {
      QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                        table->visualRect(table->model()->index(0, 1)).center());
    }
    ASSERT_TRUE(row->isChecked(2, 1));
    messages.script({Answer::Yes});
    button(*dlg, "cmdAddDelete0")->click();
    const auto& hold = dlg->editor().colHold;
    const auto added = std::find_if(hold.begin(), hold.end(), [](const auto& e) { return e->description == "Pile Driver"; });
    ASSERT_NE(added, hold.end()) << byKey;
    EXPECT_EQ((*added)->impactDevice, 0) << byKey;
    EXPECT_TRUE(dlg->sheetEquipList()->isChecked(2, static_cast<int>(added - hold.begin()) + 1)) << byKey;
  }
}
