#include "study/ui/cReceptors.h"

#include "compute/mProcess.h"
#include "tests/study/StudyFixtures.h"
#include "tests/study_ui/SheetsWindow.h"

namespace {

using Kind = GridCellKind;
using ReceptorSheet = SheetsWindow;

TEST_F(ReceptorSheet, LayoutHeadingsWidthsKindsAndLandUseList) {
  cSheetGrid* g = receptors->grid();
  EXPECT_EQ(g->objectName(), "sheetRecep");
  EXPECT_EQ(g->accessibleName(), "Receptors");
  EXPECT_EQ(g->maxCols(), 5);
  EXPECT_EQ(g->maxRows(), 100);
  EXPECT_EQ(g->visibleRows(), 4);
  const char* headings[] = {"Description", "Land Use", "Daytime\nBaseline (dBA)", "Evening\nBaseline (dBA)",
                            "Nighttime\nBaseline (dBA)"};
  const double widths[] = {20, 20, 8, 8, 8};
  const Kind kinds[] = {Kind::Text, Kind::List, Kind::Number, Kind::Number, Kind::Number};
  for (int col = 1; col <= 5; ++col) {
    const auto i = static_cast<std::size_t>(col - 1);
    EXPECT_EQ(g->columnHeading(col), headings[i]);
    EXPECT_EQ(g->columnWidth(col), widths[i]);
    EXPECT_EQ(g->cellKind(col, 100), kinds[i]);
    EXPECT_FALSE(g->isLocked(col, 1));
  }
  EXPECT_EQ(g->listItems(2, 100), (std::vector<std::string>{"Residential", "Commercial", "Industrial"}));

  // A pasted land use must be one of the three.
  g->setActiveCell(2, 1);
  EXPECT_FALSE(g->pasteText("Farmland"));
  EXPECT_EQ(g->text(2, 1), "");
  EXPECT_TRUE(g->pasteText("Commercial"));
  EXPECT_EQ(g->text(2, 1), "Commercial");
}

TEST_F(ReceptorSheet, DisplayFollowsTheCollectionOrderNotTheStoredNumbers) {
  auto school = addValidReceptor(study, "School", 55, 50, 45);
  auto shop = addValidReceptor(study, "Shop", 62.5f, 60, 58);
  shop->setLandUseTxt("Commercial");
  school->rowID = 7;
  shop->rowID = 3;
  receptors->display();
  cSheetGrid* g = receptors->grid();
  EXPECT_FALSE(softwareButton);
  const std::vector<std::string> row1{"School", "Residential", "55.0", "50.0", "45.0"};
  const std::vector<std::string> row2{"Shop", "Commercial", "62.5", "60.0", "58.0"};
  for (int col = 1; col <= 5; ++col) {
    EXPECT_EQ(g->text(col, 1), row1[static_cast<std::size_t>(col - 1)]);
    EXPECT_EQ(g->text(col, 2), row2[static_cast<std::size_t>(col - 1)]);
  }
  EXPECT_EQ(g->text(1, 3), "");
}

class ReceptorDelete : public SheetsWindow {
protected:
  void fill(int count, int current) {
    for (int i = 1; i <= count; ++i) addValidReceptor(study, "R" + std::to_string(i));
    addValidEquipment(study, "Backhoe");
    linkAll(study, 50);
    receptors->display();
    study.setReceptorID(current);
    study.outlineReceptor(current);
    log.calls.clear();
  }
  std::vector<std::string> shown() const {
    std::vector<std::string> texts;
    for (int row = 1; row <= 5; ++row) texts.push_back(receptors->grid()->text(1, row));
    return texts;
  }
};

TEST_F(ReceptorDelete, DeletingTheFirstOfThreeMovesTheOthersUpAndKeepsAReceptorSelected) {
  fill(3, 1);
  selectRows(receptors->grid(), 1, 1);
  receptors->Delete();
  EXPECT_EQ(shown(), (std::vector<std::string>{"R2", "R3", "", "", ""}));
  ASSERT_EQ(study.colReceptors.size(), 2u);
  EXPECT_EQ(study.colReceptors[0]->rowID, 1);
  // The receptor that took the deleted one's place is selected and outlined.
  EXPECT_EQ(study.receptorID(), 1);
  EXPECT_EQ(mainView.labels[0], "Receptor #1: R2");
  ASSERT_EQ(receptors->grid()->borders().size(), 1u);
  EXPECT_EQ(receptors->grid()->borders()[0].row1, 1);
  EXPECT_EQ(callsOf("main.undo(2)"), 1);
  EXPECT_EQ(mainView.editState, 6);
  EXPECT_EQ(study.processButtonOn(), 1);

  study.restoreState();
  EXPECT_EQ(shown(), (std::vector<std::string>{"R1", "R2", "R3", "", ""}));
}

TEST_F(ReceptorDelete, TheSelectedReceptorFollowsItsRecordOrTheLastOne) {
  fill(5, 5);
  selectRows(receptors->grid(), 2, 3);
  study.setReceptorID(5);  // as if chosen before the rows were marked
  receptors->Delete();
  EXPECT_EQ(shown(), (std::vector<std::string>{"R1", "R4", "R5", "", ""}));
  EXPECT_EQ(study.receptorID(), 3);
  EXPECT_EQ(mainView.labels[0], "Receptor #3: R5");

  selectRows(receptors->grid(), 2, 3);  // the selection ends on row 3
  receptors->Delete();
  EXPECT_EQ(shown(), (std::vector<std::string>{"R1", "", "", "", ""}));
  EXPECT_EQ(study.receptorID(), 1);

  selectRows(receptors->grid(), 1, 1);
  receptors->Delete();
  EXPECT_TRUE(study.colReceptors.empty());
  EXPECT_EQ(study.receptorID(), 0);
  EXPECT_EQ(mainView.labels[0], "No Receptor Selected");
}

TEST_F(ReceptorSheet, CopyBetweenKindsIsRefusedWithTheMessage) {
  addValidReceptor(study, "School", 55, 50, 45);
  addValidReceptor(study, "Shop", 60, 58, 0);
  receptors->display();
  cSheetGrid* g = receptors->grid();
  study.spreadFocus = 1;
  click(g, 1, 1);
  study.copy();
  click(g, 3, 2);
  study.paste();
  EXPECT_EQ(g->text(3, 2), "60.0");
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "Can't copy data from a different data-type cell");
  EXPECT_EQ(messages.messages()[0].title, "VORN");

  // A daytime baseline may go onto a nighttime one.
  click(g, 3, 1);
  study.copy();
  click(g, 5, 2);
  study.paste();
  EXPECT_EQ(g->text(5, 2), "55.0");
  EXPECT_EQ(messages.messages().size(), 1u);
}

TEST_F(ReceptorSheet, CheckingWithoutAReceptorShowsTheTopOfTheSheet) {
  cSheetGrid* g = receptors->grid();
  g->table()->scrollToBottom();
  click(g, 3, 90);
  mProcess::processReceptor(study, true);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "No Receptor selected");
  EXPECT_EQ(g->activeRow(), 1);
  EXPECT_EQ(g->activeCol(), 1);
}

TEST_F(ReceptorSheet, ACaseWithMoreReceptorsThanRowsGrowsTheSheet) {
  for (int i = 1; i <= 120; ++i) addValidReceptor(study, "R" + std::to_string(i));
  receptors->display();
  cSheetGrid* g = receptors->grid();
  ASSERT_EQ(g->maxRows(), 120);
  EXPECT_EQ(g->text(1, 120), "R120");
  EXPECT_EQ(g->cellKind(2, 120), Kind::List);
  EXPECT_EQ(g->text(2, 120), "Residential");
}

}  // namespace
