#include "study/ui/cEquipmentSheet.h"

#include "tests/study/StudyFixtures.h"
#include "tests/study_ui/SheetsWindow.h"

namespace {

using Kind = GridCellKind;
using EquipmentSheet = SheetsWindow;

TEST_F(EquipmentSheet, LayoutHeadingsWidthsKindsListAndLocks) {
  cSheetGrid* g = equipSheet->grid();
  EXPECT_EQ(g->objectName(), "sheetEquip");
  EXPECT_EQ(g->accessibleName(), "Equipment");
  EXPECT_EQ(g->maxCols(), 10);
  EXPECT_EQ(g->maxRows(), 20);
  EXPECT_EQ(g->visibleRows(), 6);
  const char* headings[] = {"Active", "Description", "Impact Device", "Usage(%)", "Spec\nLmax\n(dBA)",
                            "Spec\nLmax\n(dBA)", "Actual\nLmax\n(dBA)", "Actual\nLmax\n(dBA)",
                            "Distance to\nReceptor\n(feet)", "Estimated\nShielding\n(dBA)"};
  const double widths[] = {5, 25, 6, 8, 6, 8, 6, 8, 8, 8};
  const Kind kinds[] = {Kind::CheckBox, Kind::List, Kind::CheckBox, Kind::Percent, Kind::CheckBox,
                        Kind::Text, Kind::CheckBox, Kind::Text, Kind::Number, Kind::Number};
  // No receptor is selected yet: distance and shielding are locked too.
  const bool locked[] = {false, false, true, true, false, true, false, true, true, true};
  for (int col = 1; col <= 10; ++col) {
    const auto i = static_cast<std::size_t>(col - 1);
    EXPECT_EQ(g->columnHeading(col), headings[i]) << col;
    EXPECT_EQ(g->columnWidth(col), widths[i]) << col;
    for (const int row : {1, 20}) {
      EXPECT_EQ(g->cellKind(col, row), kinds[i]) << col << "," << row;
      EXPECT_EQ(g->isLocked(col, row), locked[i]) << col << "," << row;
    }
  }
  EXPECT_EQ(g->listItems(2, 20), (std::vector<std::string>{"Backhoe", "Hoe Ram", "Pumps"}));

  // Meters changes the unit of the distance heading and nothing else.
  study.units = 1;
  equipSheet->setLabels();
  EXPECT_EQ(g->columnHeading(9), "Distance to\nReceptor\n(meters)");
  for (int col = 1; col <= 10; ++col) {
    if (col != 9) {
      EXPECT_EQ(g->columnHeading(col), headings[col - 1]);
    }
  }

  // A changed list reaches every row's drop-down.
  addListType("Auger Drill Rig", 1, 20, 85, 84);
  equipSheet->loadDescriptions();
  EXPECT_EQ(g->listItems(2, 7).back(), "Auger Drill Rig");

  equipSheet->LockCells(false);
  EXPECT_FALSE(g->isLocked(3, 5) || g->isLocked(4, 5) || g->isLocked(6, 5) || g->isLocked(8, 20));
  equipSheet->LockCells(true);
  EXPECT_TRUE(g->isLocked(3, 5) && g->isLocked(4, 5) && g->isLocked(6, 5) && g->isLocked(8, 20));
}

TEST_F(EquipmentSheet, DisplayShowsEachRecordInItsRow) {
  auto backhoe = addValidEquipment(study, "Backhoe", 80, 40);
  auto ram = addValidEquipment(study, "Hoe Ram", valueNA, 20, 0);
  ram->active = false;
  ram->spec_select = false;
  ram->actual_lmax = 87.25f;
  cSheetGrid* g = equipSheet->grid();
  g->setText(2, 5, "left over");

  equipSheet->display();
  EXPECT_FALSE(softwareButton);  // raised while writing, lowered after
  const std::vector<std::string> row1{"1", "Backhoe", "0", "40%", "1", "80.0", "0", "N/A"};
  const std::vector<std::string> row2{"0", "Hoe Ram", "1", "20%", "0", "N/A", "1", "87.3"};
  for (int col = 1; col <= 8; ++col) {
    EXPECT_EQ(g->text(col, 1), row1[static_cast<std::size_t>(col - 1)]) << col;
    EXPECT_EQ(g->text(col, 2), row2[static_cast<std::size_t>(col - 1)]) << col;
  }
  EXPECT_DOUBLE_EQ(g->value(4, 1), 0.4);
  EXPECT_EQ(g->text(2, 5), "");
  EXPECT_EQ(g->text(9, 1), "");  // distances belong to a receptor
}

TEST_F(EquipmentSheet, DistanceAndShieldingTakeInputOnlyWithAReceptorSelected) {
  addValidEquipment(study, "Backhoe");
  addValidEquipment(study, "Pumps");
  addValidReceptor(study, "School");
  linkAll(study, 100);
  equipSheet->display();
  cSheetGrid* g = equipSheet->grid();

  click(g, 9, 1);
  type("50");
  EXPECT_EQ(g->text(9, 1), "");
  g->setActiveCell(9, 2);
  EXPECT_TRUE(equipSheet->LinkInputLock(2));

  study.setReceptorID(1);
  EXPECT_EQ(g->text(9, 1), "100.0");
  EXPECT_EQ(g->text(10, 2), "0.0");
  EXPECT_FALSE(equipSheet->LinkInputLock(2));
  click(g, 9, 2);
  type("75");
  EXPECT_EQ(g->text(9, 2), "75.0");

  // An empty receptor row keeps the equipment on show, without distances.
  study.setReceptorID(3);
  EXPECT_EQ(g->text(2, 1), "Backhoe");
  EXPECT_EQ(g->text(2, 2), "Pumps");
  EXPECT_EQ(g->text(9, 1), "");
  EXPECT_TRUE(g->isLocked(9, 1));
  EXPECT_TRUE(g->isLocked(10, 20));
}

TEST_F(EquipmentSheet, DeleteRemovesTheSelectedRowsClosesTheGapAndUndoesInOneStep) {
  for (const char* d : {"A", "B", "C", "D", "E"}) addValidEquipment(study, d);
  addValidReceptor(study, "School");
  linkAll(study, 10);
  for (auto& l : study.colReceptors[0]->colLinks) l->distance = static_cast<float>(10 * l->equipID);
  study.setReceptorID(1);
  cSheetGrid* g = equipSheet->grid();
  log.calls.clear();

  selectRows(g, 2, 3);
  equipSheet->Delete();

  EXPECT_EQ(g->text(2, 1), "A");
  EXPECT_EQ(g->text(2, 2), "D");
  EXPECT_EQ(g->text(2, 3), "E");
  EXPECT_EQ(g->text(9, 3), "50.0");  // the row's distance moved with it
  for (int col = 1; col <= 10; ++col) EXPECT_TRUE(g->isEmpty(col, 4) && g->isEmpty(col, 5)) << col;
  ASSERT_EQ(study.colEquipment.size(), 3u);
  EXPECT_EQ(study.colEquipment[1]->description, "D");
  EXPECT_EQ(study.colEquipment[1]->rowID, 2);
  const auto& links = study.colReceptors[0]->colLinks;
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[1]->equipID, 2);
  EXPECT_EQ(links[1]->distance, 40.0f);
  EXPECT_EQ(callsOf("main.undo(2)"), 1);
  EXPECT_EQ(mainView.editState, 6);
  EXPECT_FALSE(g->hasBlockSelected());
  EXPECT_EQ(study.processButtonOn(), 1);  // recomputed: still a valid case

  study.restoreState();
  ASSERT_EQ(study.colEquipment.size(), 5u);
  EXPECT_EQ(g->text(2, 2), "B");
  EXPECT_EQ(g->text(9, 5), "50.0");
}

TEST_F(EquipmentSheet, DeleteActsOnlyOnWholeRows) {
  for (const char* d : {"A", "B", "C"}) addValidEquipment(study, d);
  equipSheet->display();
  cSheetGrid* g = equipSheet->grid();
  click(g, 2, 1);
  click(g, 3, 2, Qt::ShiftModifier);
  equipSheet->Delete();
  EXPECT_EQ(study.colEquipment.size(), 3u);
  EXPECT_EQ(g->text(2, 1), "A");
  EXPECT_EQ(callsOf("main.undo(2)"), 0);
}

TEST_F(EquipmentSheet, PasteOfADescriptionGoesThroughTheStudyAndRelocks) {
  addValidEquipment(study, "Backhoe");
  equipSheet->display();
  cSheetGrid* g = equipSheet->grid();
  study.spreadFocus = 2;
  g->setActiveCell(2, 1);  // a click would open the drop-down
  study.copy();
  g->setActiveCell(2, 3);
  study.paste();
  EXPECT_EQ(g->text(2, 3), "Backhoe");
  EXPECT_TRUE(g->isLocked(4, 3));
  EXPECT_EQ(callsOf("main.undo(1)"), 1);

  // Usage cannot be copied at all: the study refuses before the clipboard,
  // and the sheet speaks only over the protected columns.
  click(g, 4, 1);
  study.copy();
  EXPECT_FALSE(equipSheet->cellTypeMatch(4, 1));
  EXPECT_FALSE(equipSheet->cellTypeMatch(4, 6));
  ASSERT_EQ(messages.messages().size(), 2u);
  EXPECT_EQ(messages.messages()[0].text, "Can't copy 'Impact Device','Usage','Lmax Spec' and 'Lmax Actual'");
  EXPECT_EQ(messages.messages()[1].text, "Can't copy data into this protected cell");
  EXPECT_EQ(messages.messages()[1].title, "VORN");
}

TEST_F(EquipmentSheet, ACaseWithMoreEquipmentThanRowsGrowsTheSheet) {
  for (int i = 1; i <= 25; ++i) addValidEquipment(study, "Piece " + std::to_string(i));
  equipSheet->display();
  cSheetGrid* g = equipSheet->grid();
  ASSERT_EQ(g->maxRows(), 25);
  EXPECT_EQ(g->text(2, 25), "Piece 25");
  EXPECT_EQ(g->cellKind(4, 25), Kind::Percent);
  EXPECT_TRUE(g->isLocked(4, 25));
  EXPECT_EQ(g->listItems(2, 25).size(), 3u);
}

}  // namespace
