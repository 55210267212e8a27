// The main window for keyboard and screen-reader users: the standard
// shortcuts, Return in the small dialogs, what the sheets and the chart say
// to assistive technology, why a locked cell takes no typing, and a whole
// case entered by keys alone.
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "app/gui/frmAbout.h"
#include "compute/ui/cResultsChart.h"
#include "criteria/ui/frmLimits.h"
#include "study/mMarkers.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

const std::string kBridge = std::string(VORN_SOURCE_DIR) + "/examples/Bridge Demolition.cas";

struct Keyboard : ::testing::Test {
  cStartedProgram started;
  void SetUp() override { ASSERT_TRUE(started.start()); }
  frmMain& window() { return started.window(); }
  cStudy& study() { return started.study(); }
  void open(const std::string& path) {
    started.dialog.chooseFile(path);
    started.choose("mFile_1");
  }
  static QWidget* focus() { return QApplication::focusWidget(); }
  static void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(focus(), key, mods);
    QApplication::processEvents();
  }
  static void typeText(const char* text) {
    for (const char* c = text; *c; ++c) QTest::keyClick(focus(), *c);
    QApplication::processEvents();
  }
  QAccessibleInterface* sheet(cSheetGrid* grid) { return QAccessible::queryAccessibleInterface(grid->table()); }
  QAccessibleInterface* cell(cSheetGrid* grid, int col, int row) {
    return sheet(grid)->tableInterface()->cellAt(row - 1, col - 1);
  }
};

TEST_F(Keyboard, TheMenusShowTheStandardShortcuts) {
  const std::pair<const char*, QKeySequence> keys[] = {
      {"mFile_0", QKeySequence(Qt::CTRL | Qt::Key_N)},  {"mFile_1", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"mFile_2", QKeySequence(Qt::CTRL | Qt::Key_S)},  {"mFile_3", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {"mEdit_0", QKeySequence(Qt::CTRL | Qt::Key_C)},  {"mEdit_1", QKeySequence(Qt::CTRL | Qt::Key_V)},
      {"mEdit_2", QKeySequence(Qt::Key_Delete)},        {"mEdit_3", QKeySequence(Qt::CTRL | Qt::Key_Z)},
      {"mHelp_0", QKeySequence(Qt::Key_F1)},
  };
  for (const auto& [name, key] : keys) EXPECT_EQ(started.item(name)->shortcut(), key) << name;
  // The captions stay as they are; the menu shows the key beside them.
  EXPECT_EQ(started.item("mEdit_3")->text(), "Undo");
}

TEST_F(Keyboard, ReturnClosesTheAboutBoxAndTheNoiseLimits) {
  frmAbout about(&window());
  about.show();
  QTest::keyClick(&about, Qt::Key_Return);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);

  open(kBridge);
  frmLimits limits(study(), &window());
  limits.show();
  limits.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&limits));
  cSheetGrid* first = limits.findChild<cSheetGrid*>("sheetLimits0");
  ASSERT_NE(first, nullptr);
  first->table()->setFocus();
  first->setActiveCell(1, 1);
  QTest::keyClick(first->table(), Qt::Key_Return);
  EXPECT_FALSE(limits.isVisible());
  EXPECT_EQ(limits.result(), QDialog::Accepted);
  EXPECT_EQ(sheet(first)->text(QAccessible::Name), "Lmax (dBA)");
  EXPECT_TRUE(cell(first, 1, 1)->state().readOnly);
  EXPECT_EQ(sheet(first)->tableInterface()->columnDescription(0), "Day, Impact");
}

TEST_F(Keyboard, TheSheetsAndTheirCellsSpeak) {
  open(kBridge);
  cSheetGrid* recep = window().receptors().grid();
  cSheetGrid* equip = window().equipmentSheet().grid();
  cSheetGrid* results = window().results().grid();
  EXPECT_EQ(sheet(recep)->text(QAccessible::Name), "Receptors");
  EXPECT_EQ(sheet(equip)->text(QAccessible::Name), "Equipment");
  EXPECT_EQ(sheet(results)->text(QAccessible::Name), "Results");
  EXPECT_EQ(sheet(recep)->tableInterface()->columnDescription(2), "Daytime Baseline (dBA)");
  EXPECT_EQ(sheet(equip)->tableInterface()->columnDescription(5), "Spec Lmax (dBA)");
  EXPECT_EQ(sheet(equip)->tableInterface()->columnDescription(8), "Distance to Receptor (feet)");
  EXPECT_EQ(sheet(results)->tableInterface()->columnDescription(5).toStdString(), "Noise Limits (dBA), Evening, Lmax");

  QAccessibleInterface* active = cell(equip, 1, 3);
  EXPECT_EQ(active->text(QAccessible::Name), "Active, row 3");
  EXPECT_TRUE(active->state().checkable);
  EXPECT_TRUE(active->state().checked);
  EXPECT_FALSE(cell(equip, 1, 6)->state().checked) << "the shears are not active";
  EXPECT_EQ(cell(equip, 3, 1)->text(QAccessible::Name), "Impact Device, row 1");
  EXPECT_TRUE(cell(equip, 3, 1)->state().readOnly) << "filled from the equipment list";
  EXPECT_EQ(cell(equip, 2, 1)->text(QAccessible::Name), "Hoe Ram (Hydraulic Breaker)");
  EXPECT_TRUE(cell(equip, 2, 1)->state().editable);
  EXPECT_TRUE(cell(results, 2, 1)->state().readOnly);
  EXPECT_EQ(cell(results, 1, 1)->text(QAccessible::Name), "Total");
}

TEST_F(Keyboard, TheChartSaysWhatItShows) {
  open(kBridge);
  window().resultTabs()->setCurrentIndex(1);
  QApplication::processEvents();
  QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&window().resultsChart());
  ASSERT_NE(chart, nullptr);
  const QString said = chart->text(QAccessible::Description);
  EXPECT_TRUE(said.startsWith("Receptor 1: Apartments, 14 Elm Street.")) << said.toStdString();
  EXPECT_TRUE(said.contains("Total: Lmax " + QString::fromStdString(window().results().grid()->text(2, 1)) + " dBA, Leq " +
                            QString::fromStdString(window().results().grid()->text(3, 1)) + " dBA"))
      << said.toStdString();
  EXPECT_TRUE(said.contains("1: Hoe Ram (Hydraulic Breaker): Lmax")) << said.toStdString();
  EXPECT_TRUE(said.contains("day limit")) << said.toStdString();
  started.choose("mFile_0");
  QApplication::processEvents();
  EXPECT_EQ(chart->text(QAccessible::Description), "No results to show.");
}

// Usage comes from the list, and distances need a receptor: typing there
// says so in the status bar.
TEST_F(Keyboard, TypingIntoALockedCellSaysWhy) {
  // Enter after the last baseline goes on to the next row, which selects
  // that row's (missing) receptor: the distances then belong to none.
  cSheetDriver recep(window().receptors().grid());
  recep.type(1, 1, "House");
  recep.type(5, 1, "45");
  EXPECT_EQ(window().receptors().grid()->activeRow(), 2);
  EXPECT_EQ(window().receptorLabel(0), "No Receptor Selected");
  cSheetDriver equip(window().equipmentSheet().grid());
  equip.click(9, 1);
  press(Qt::Key_5);
  EXPECT_TRUE(window().statusBar()->currentMessage().startsWith("Select a receptor first")) 
      << window().statusBar()->currentMessage().toStdString();
  equip.click(4, 1);
  press(Qt::Key_5);
  EXPECT_TRUE(window().statusBar()->currentMessage().contains("come from the equipment list"));
  EXPECT_EQ(equip.text(4, 1), "");
}

// A receptor and two pieces of equipment, typed from the first key to the
// last with Tab, Enter and typed parts of names: the results come out as
// they do for the same case entered with the mouse.
TEST_F(Keyboard, AWholeCaseIsEnteredByKeysAlone) {
  cSheetGrid* recep = window().receptors().grid();
  cSheetGrid* equip = window().equipmentSheet().grid();
  // From the "Noise Limit Criteria" button to the receptor sheet.
  ASSERT_EQ(focus(), window().command(0));
  for (int i = 0; i < 12 && focus() != recep->table(); ++i) press(Qt::Key_Tab);
  ASSERT_EQ(focus(), recep->table());
  ASSERT_EQ(recep->activeCol(), 1);
  ASSERT_EQ(recep->activeRow(), 1);
  typeText("School");
  press(Qt::Key_Tab);
  typeText("r");  // the first land use starting with it
  EXPECT_EQ(recep->text(2, 1), "Residential");
  EXPECT_EQ(recep->activeCol(), 2);
  press(Qt::Key_Tab);
  typeText("55");
  press(Qt::Key_Tab);
  typeText("50");
  press(Qt::Key_Tab);
  typeText("45");
  press(Qt::Key_Tab);
  // Tab goes on past the last baseline to the next row, as Enter does
  // there; going back up selects receptor 1 again.
  EXPECT_EQ(recep->activeRow(), 2);
  EXPECT_EQ(recep->activeCol(), 1);
  press(Qt::Key_Up);
  EXPECT_EQ(study().receptorID(), 1);

  // On to the equipment sheet (Ctrl+Tab leaves a sheet), row 1, Description.
  press(Qt::Key_Tab, Qt::ControlModifier);
  for (int i = 0; i < 6 && focus() != equip->table(); ++i) press(Qt::Key_Tab);
  ASSERT_EQ(focus(), equip->table());
  press(Qt::Key_Home, Qt::ControlModifier);
  ASSERT_EQ(equip->activeCol(), 1);
  ASSERT_EQ(equip->activeRow(), 1);
  press(Qt::Key_Tab);
  typeText("air comp");
  press(Qt::Key_Return);
  EXPECT_EQ(equip->text(2, 1), "Air Compressor");
  for (int i = 0; i < 7; ++i) press(Qt::Key_Tab);
  ASSERT_EQ(equip->activeCol(), 9);
  typeText("100");
  press(Qt::Key_Tab);
  typeText("0");
  press(Qt::Key_Return);
  EXPECT_EQ(equip->activeRow(), 2);
  EXPECT_EQ(equip->activeCol(), 1) << "Enter at the end of a row starts the next one";
  press(Qt::Key_Tab);
  typeText("backhoe");
  press(Qt::Key_Return);
  for (int i = 0; i < 7; ++i) press(Qt::Key_Tab);
  typeText("50");
  press(Qt::Key_Return);

  EXPECT_EQ(study().receptorID(), 1);
  ASSERT_EQ(study().colEquipment.size(), 2u);
  EXPECT_EQ(study().colEquipment[1]->description, "Backhoe Loader");
  std::shared_ptr<cLinkRecord> link;
  ASSERT_TRUE(study().getLink(link, 1, 2));
  EXPECT_FLOAT_EQ(link->distance, 50.0f);
  EXPECT_TRUE(study().caseProcessed);
  cSheetGrid& results = *window().results().grid();
  EXPECT_EQ(results.text(1, 2), "Air Compressor");
  EXPECT_EQ(results.text(1, 3), "Backhoe Loader");
  // Actual Lmax at 50 ft less 20 log10(d / 50): 77.6 - 6.02 at 100 ft, 77.4
  // at 50 ft; the total Lmax is the louder.
  EXPECT_EQ(results.text(2, 2), "71.6");
  EXPECT_EQ(results.text(2, 3), "77.4");
  EXPECT_EQ(results.text(2, 1), "77.4");
  EXPECT_TRUE(started.messages.messages().empty());
}

}  // namespace
