// Faults found by using the window as a consultant does: a case numbered by
// hand, copy and paste after coming back to a cell, a refused box, an export
// stopped by incomplete input, and File > New.
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "report/ui/frmReport.h"
#include "study/mMarkers.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kBridge = std::string(VORN_SOURCE_DIR) + "/examples/Bridge Demolition.cas";

// The first fields of a record line with its number moved on by step.
std::string renumbered(const std::string& text, const std::string& tag, int field, int step) {
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (line.rfind(tag, 0) == 0) {
      std::size_t from = 0;
      for (int i = 0; i < field; ++i) from = line.find(',', from) + 1;
      const std::size_t to = line.find(',', from);
      line = line.substr(0, from) + std::to_string(std::stoi(line.substr(from, to - from)) + step) + line.substr(to);
    }
    out += line;
    if (end < text.size()) out += '\n';
    start = end + 1;
  }
  return out;
}

struct WindowAsUsed : ::testing::Test {
  cStartedProgram started;
  std::unique_ptr<cSheetDriver> recep, equip;
  TempDir dir;

  void SetUp() override {
    ASSERT_TRUE(started.start());
    recep = std::make_unique<cSheetDriver>(started.window().receptors().grid());
    equip = std::make_unique<cSheetDriver>(started.window().equipmentSheet().grid());
  }
  cStudy& study() { return started.study(); }
  frmMain& window() { return started.window(); }
  cSheetGrid& results() { return *window().results().grid(); }
  void open(const std::string& path) {
    started.dialog.chooseFile(path);
    started.choose("mFile_1");
  }
  std::vector<std::string> resultTexts() {
    std::vector<std::string> texts;
    for (int row = 1; row <= 8; ++row)
      for (int col = 1; col <= 15; ++col) texts.push_back(results().text(col, row));
    return texts;
  }
};

// Receptors numbered 5, 6, 7 and equipment 11 to 17 (with their links): the
// case opens as the example does, with the same results, and takes edits.
TEST_F(WindowAsUsed, AHandNumberedCaseOpensAsItsExampleAndTakesEdits) {
  open(kBridge);
  const std::vector<std::string> expected = resultTexts();
  ASSERT_NE(expected[1], "");

  std::string text = TempDir::read(kBridge);
  text = renumbered(text, "Receptor:,", 1, 4);
  text = renumbered(text, "Equipment:,", 2, 10);
  text = renumbered(text, "Link:,", 1, 10);
  const std::string path = dir.file("hand numbered.cas");
  TempDir::write(path, text);
  open(path);
  ASSERT_TRUE(started.messages.messages().empty());
  EXPECT_EQ(window().receptorLabel(0), "Receptor #1: Apartments, 14 Elm Street");
  EXPECT_EQ(resultTexts(), expected);

  recep->type(1, 1, "Flats");
  std::shared_ptr<cReceptorRecord> first;
  ASSERT_TRUE(study().getReceptor(first, 1));
  EXPECT_EQ(first->description, "Flats");
  equip->click(1, 7);
  std::shared_ptr<cEquipmentRecord> generator;
  ASSERT_TRUE(study().getEquipment(generator, 7));
  EXPECT_FALSE(generator->active);
}

// Receptor cell (1, 1), an equipment cell, then (1, 1) again: the receptor
// sheet has the focus, so Ctrl+C copies it and Ctrl+V pastes into it.
TEST_F(WindowAsUsed, CopyAndPasteWorkAfterComingBackToTheSameReceptorCell) {
  recep->type(1, 1, "House");
  recep->click(1, 1);
  equip->click(9, 1);
  recep->click(1, 1);
  recep->key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().trimmed(), "House");

  QApplication::clipboard()->setText("Shed\n");
  equip->click(9, 1);
  recep->click(1, 1);
  recep->key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(started.messages.messages().empty());
  EXPECT_EQ(recep->text(1, 1), "Shed");
}

// Checking Actual over an "N/A" actual Lmax is refused: the case is not
// changed, and Undo still undoes the distance typed before.
TEST_F(WindowAsUsed, ARefusedSpecOrActualClickChangesNothing) {
  recep->type(1, 1, "House");
  recep->choose(2, 1, 0);
  recep->type(3, 1, "55");
  recep->type(4, 1, "50");
  recep->type(5, 1, "45");
  recep->click(1, 1);
  equip->choose(2, 1, 5);  // Bar Bender: actual Lmax N/A
  equip->type(9, 1, "100");
  std::shared_ptr<cEquipmentRecord> bender;
  ASSERT_TRUE(study().getEquipment(bender, 1));
  ASSERT_TRUE(isValueNA(bender->actual_lmax));
  study().setCaseChanged(false);

  equip->click(7, 1);
  EXPECT_FALSE(window().equipmentSheet().grid()->isChecked(7, 1));
  EXPECT_FALSE(study().caseChanged());

  started.choose("mEdit_3");
  EXPECT_EQ(equip->text(9, 1), "0.0") << "Undo takes back the distance, not the refused click";
}

// A row typed far down leaves blank receptors before it. An export of all
// receptors stops on the first of them, selects it and shows its empty
// description cell, with the one message.
TEST_F(WindowAsUsed, AnExportStoppedByAReceptorShowsItsInputAtFault) {
  open(kBridge);
  recep->type(1, 6, "Shed");
  recep->click(1, 1);
  ASSERT_TRUE(study().caseProcessed);
  started.messages.clear();

  frmReport dialog(study(), started.program->prompt, &window());
  dialog.SetFile(2);
  dialog.setShowInputAtFault([this] { started.events().showInputAtFault(); });
  dialog.show();
  dialog.findChild<QRadioButton*>("optResuts1")->click();
  dialog.findChild<QPushButton*>("cmdClose0")->click();
  QApplication::processEvents();

  ASSERT_EQ(started.messages.messages().size(), 1u);
  EXPECT_EQ(started.messages.messages()[0].text, "No case results to report.");
  EXPECT_EQ(study().receptorID(), 4);
  EXPECT_EQ(window().receptorLabel(0), "Receptor #4: ");
  cSheetGrid* grid = window().receptors().grid();
  EXPECT_EQ(grid->activeCol(), 1);
  EXPECT_EQ(grid->activeRow(), 4);
  EXPECT_TRUE(window().command(3)->isVisibleTo(&window()));
}

TEST_F(WindowAsUsed, FileNewLeavesNothingSelected) {
  open(kBridge);
  recep->selectRows(1, 2);
  equip->click(6, 3);
  equip->shiftClick(8, 5);
  ASSERT_FALSE(window().equipmentSheet().grid()->table()->selectionModel()->selectedIndexes().isEmpty());
  study().setCaseChanged(false);
  started.choose("mFile_0");
  for (cSheetGrid* grid : {window().receptors().grid(), window().equipmentSheet().grid(), window().results().grid()}) {
    EXPECT_TRUE(grid->table()->selectionModel()->selectedIndexes().isEmpty()) << grid->objectName().toStdString();
  }
}

// Whole equipment rows chosen by their headings and the Delete key: the
// rows go, as Edit > Delete takes them, in one undoable step. (Clearing
// their cells would leave records with a usage and an Lmax but no
// description, and the results empty.)
TEST_F(WindowAsUsed, TheDeleteKeyOverWholeEquipmentRowsDeletesThem) {
  open(kBridge);
  ASSERT_EQ(study().colEquipment.size(), 7u);
  equip->selectRows(2, 3);
  ASSERT_TRUE(started.item("mEdit_2")->isEnabled());
  equip->key(Qt::Key_Delete);
  ASSERT_EQ(study().colEquipment.size(), 5u);
  EXPECT_EQ(study().colEquipment[1]->description, "Crane, Mobile");
  EXPECT_EQ(equip->text(2, 2), "Crane, Mobile");
  EXPECT_EQ(started.item("mEdit_3")->text(), "Undo Delete");
  EXPECT_TRUE(study().caseChanged());
}

// Over cells, the key clears what the user may change, as before. Known
// fault: with the example's site plan open, the key after a row deletion does
// not reach the sheet (its usage stays); left disabled until it is mended.
TEST_F(WindowAsUsed, TheDeleteKeyOverCellsStillClearsThem) {
  open(kBridge);
  equip->selectRows(2, 3);
  equip->key(Qt::Key_Delete);
  ASSERT_EQ(study().colEquipment.size(), 5u);
  // The list columns stay locked and the plan locks the distances, so the
  // cell cleared is a typed shielding.
  cSheetGrid* grid = window().equipmentSheet().grid();
  int row = 0;
  for (int r = 1; r <= 5 && row == 0; ++r)
    if (grid->userMayEdit(10, r) && !grid->isEmpty(10, r)) row = r;
  ASSERT_GT(row, 0);
  const std::string typed = equip->text(10, row);
  equip->click(10, row);
  equip->key(Qt::Key_Delete);
  std::shared_ptr<cLinkRecord> link;
  ASSERT_TRUE(study().getLink(link, study().receptorID(), row));
  EXPECT_EQ(link->sheilding, 0.0f) << "was " << typed;
  EXPECT_EQ(study().colEquipment.size(), 5u);
  // A locked cell keeps its value under the key.
  equip->click(4, 1);
  const std::string usage = equip->text(4, 1);
  equip->key(Qt::Key_Delete);
  EXPECT_EQ(equip->text(4, 1), usage);
}

TEST_F(WindowAsUsed, NumbersStandRightInEveryNumericColumn) {
  open(kBridge);
  auto alignment = [](cSheetGrid* grid, int col, int row) {
    return Qt::Alignment(grid->table()->item(row - 1, col - 1)->textAlignment()) & Qt::AlignHorizontal_Mask;
  };
  for (int col = 2; col <= 15; ++col) EXPECT_EQ(alignment(&results(), col, 1), Qt::AlignRight) << col;
  EXPECT_EQ(alignment(&results(), 1, 2), Qt::AlignLeft);
  cSheetGrid* e = window().equipmentSheet().grid();
  for (int col : {4, 6, 8, 9, 10}) EXPECT_EQ(alignment(e, col, 1), Qt::AlignRight) << col;
  for (int col : {3, 4, 5}) EXPECT_EQ(alignment(window().receptors().grid(), col, 1), Qt::AlignRight) << col;
}

}  // namespace
