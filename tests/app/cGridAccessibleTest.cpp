// A sheet as assistive technology reads it, and as a user at the keyboard
// drives it: names, roles and states through Qt's accessibility interfaces,
// the keys that move, activate and pass Return on, and what a cell too
// narrow for its text shows.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QScrollBar>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "qtplatform/cSheetGrid.h"
#include "tests/app/QtTestSupport.h"

namespace {

using Kind = GridCellKind;

class GridAccess : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    auto* layout = new QVBoxLayout(&window);
    grid = new cSheetGrid(&window);
    layout->addWidget(grid);
    grid->setAccessibleName(QStringLiteral("Equipment"));
    grid->setHeadingRows(2);
    grid->setSize(4, 5);
    grid->setColumnHeading(1, "Active");
    grid->setColumnHeading(2, "Description");
    grid->setColumnHeading(3, "Spec\nLmax\n(dBA)");
    grid->setColumnHeading(4, "Distance to\nReceptor\n(feet)");
    grid->setColumnHeading(3, "Levels", 1);
    grid->spanColumnHeading(1, 3, 2);
    grid->setColumnKind(1, Kind::CheckBox);
    grid->setColumnKind(2, Kind::List);
    grid->setListNarrowing(2, 1, 2, 5, true);
    grid->setListItems(2, 1, 2, 5, "Air Compressor\tConcrete Saw\tDump Truck\tSaw, Hand Held");
    grid->setColumnKind(4, Kind::Number);
    grid->setLocked(3, 1, 3, 5, true);
    grid->setVisibleRows(4);
    window.resize(700, 300);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    table = grid->table();
    table->setFocus();
    sheet = QAccessible::queryAccessibleInterface(table);
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(sheet->tableInterface(), nullptr);
  }
  QAccessibleInterface* cell(int col, int row) { return sheet->tableInterface()->cellAt(row - 1, col - 1); }
  QWidget* focus() const { return QApplication::focusWidget() ? QApplication::focusWidget() : table; }
  void key(Qt::Key k) {
    QTest::keyClick(focus(), k);
    QApplication::processEvents();
  }

  QApplication& app = qtTestApp();
  QWidget window;
  cSheetGrid* grid = nullptr;
  QTableWidget* table = nullptr;
  QAccessibleInterface* sheet = nullptr;
};

TEST_F(GridAccess, TheSheetAndItsHeadingsAreNamedAsTheUserReadsThem) {
  EXPECT_EQ(sheet->role(), QAccessible::Table);
  EXPECT_EQ(sheet->text(QAccessible::Name), "Equipment");
  QAccessibleTableInterface* t = sheet->tableInterface();
  EXPECT_EQ(t->columnCount(), 4);
  EXPECT_EQ(t->rowCount(), 5);
  const char* headings[] = {"Active", "Description", "Levels, Spec Lmax (dBA)",
                            "Levels, Distance to Receptor (feet)"};
  for (int col = 1; col <= 4; ++col) {
    auto* c = cell(col, 2)->tableCellInterface();
    ASSERT_NE(c, nullptr);
    const QList<QAccessibleInterface*> heads = c->columnHeaderCells();
    ASSERT_EQ(heads.size(), 1);
    EXPECT_EQ(heads[0]->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(heads[0]->text(QAccessible::Name).toStdString(), headings[col - 1]);
    EXPECT_EQ(t->columnDescription(col - 1).toStdString(), headings[col - 1]);
    EXPECT_EQ(c->rowIndex(), 1);
    EXPECT_EQ(c->columnIndex(), col - 1);
  }
  // The children are numbered as the table's focus events number them:
  // the heading row, then each row after its row heading.
  QAccessibleInterface* first = sheet->child(5 + 1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->tableCellInterface()->rowIndex(), 0);
  EXPECT_EQ(first->tableCellInterface()->columnIndex(), 0);
  EXPECT_EQ(sheet->indexOfChild(cell(2, 3)), 3 * 5 + 2);
  EXPECT_EQ(sheet->child(5)->role(), QAccessible::RowHeader);
  EXPECT_EQ(sheet->child(5)->text(QAccessible::Name), "1");
}

TEST_F(GridAccess, CellsSayWhatTheyHoldAndWhetherTheyMayChange) {
  grid->setText(2, 3, "Dump Truck");
  grid->setText(3, 3, "84.0");
  grid->setNumber(4, 3, 120);
  QAccessibleInterface* box = cell(1, 3);
  EXPECT_EQ(box->role(), QAccessible::Cell);
  EXPECT_EQ(box->text(QAccessible::Name), "Active, row 3");
  EXPECT_TRUE(box->state().checkable);
  EXPECT_FALSE(box->state().checked);
  EXPECT_FALSE(box->state().readOnly);
  grid->setChecked(1, 3, true);
  EXPECT_TRUE(box->state().checked);

  EXPECT_EQ(cell(2, 3)->text(QAccessible::Name), "Dump Truck");
  EXPECT_TRUE(cell(2, 3)->state().editable);
  EXPECT_EQ(cell(4, 3)->text(QAccessible::Value), "120.0");
  QAccessibleInterface* locked = cell(3, 3);
  EXPECT_EQ(locked->text(QAccessible::Name), "84.0");
  EXPECT_TRUE(locked->state().readOnly);
  EXPECT_FALSE(locked->state().editable);
  grid->setLocked(1, 4, 1, 4, true);
  EXPECT_TRUE(cell(1, 4)->state().readOnly);

  // Toggled by assistive technology, the box changes as a click changes it.
  QSignalSpy clicked(grid, &cSheetGrid::checkBoxClicked);
  ASSERT_NE(box->actionInterface(), nullptr);
  EXPECT_TRUE(box->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_FALSE(grid->isChecked(1, 3));
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked[0], (QList<QVariant>{1, 3, false}));
  EXPECT_FALSE(cell(1, 4)->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));

  grid->setActiveCell(2, 3);
  EXPECT_TRUE(cell(2, 3)->state().focused);
  EXPECT_EQ(cell(2, 3)->rect().center(), table->viewport()->mapToGlobal(table->visualRect(table->model()->index(2, 1)).center()));
}

// Tab along the row, Enter down, and from the last column to the first
// column of the next row; a drop-down choice with Enter stays in its cell.
TEST_F(GridAccess, TheKeysMoveAlongARowAndEnterWrapsAtItsEnd) {
  grid->setActiveCell(2, 1);
  key(Qt::Key_Tab);
  EXPECT_EQ(grid->activeCol(), 3);
  QTest::keyClick(focus(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(grid->activeCol(), 2);

  grid->setActiveCell(4, 1);
  for (const char c : std::string("250")) QTest::keyClick(focus(), c);
  key(Qt::Key_Return);
  EXPECT_DOUBLE_EQ(grid->value(4, 1), 250.0);
  EXPECT_EQ(grid->activeRow(), 2);
  EXPECT_EQ(grid->activeCol(), 1);
  grid->setActiveCell(4, 2);
  key(Qt::Key_Return);
  EXPECT_EQ(grid->activeRow(), 3);
  EXPECT_EQ(grid->activeCol(), 1);
  grid->setActiveCell(2, 2);
  key(Qt::Key_Return);
  EXPECT_EQ(grid->activeRow(), 3) << "Enter elsewhere moves down";
  EXPECT_EQ(grid->activeCol(), 2);

  // Typed, the list narrows to the items holding the text anywhere; Enter
  // takes the one chosen and the cell stays where it is.
  QSignalSpy chosen(grid, &cSheetGrid::listItemChosen);
  grid->setActiveCell(2, 4);
  QTest::keyClick(focus(), 's');
  QTest::keyClicks(focus(), QStringLiteral("aw"));
  QApplication::processEvents();
  QComboBox* combo = table->viewport()->findChild<QComboBox*>();
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->accessibleName(), "Description");
  QCompleter* completer = combo->completer();
  ASSERT_NE(completer, nullptr);
  EXPECT_EQ(completer->completionCount(), 2) << "Concrete Saw and Saw, Hand Held";
  QAbstractItemView* popup = completer->popup();
  ASSERT_TRUE(popup->isVisible());
  QTest::keyClick(popup, Qt::Key_Down);
  QTest::keyClick(popup, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(grid->text(2, 4), "Concrete Saw");
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][2].toInt(), 1);
  EXPECT_EQ(grid->activeRow(), 4);
}

// An item chosen in an open drop-down with the arrows and Enter is the whole
// action: the cell stays active, it does not move down.
TEST_F(GridAccess, AChoiceMadeWithEnterStaysInItsCell) {
  grid->setListNarrowing(2, 1, 2, 5, false);
  QSignalSpy chosen(grid, &cSheetGrid::listItemChosen);
  grid->setActiveCell(2, 2);
  key(Qt::Key_F4);
  QComboBox* combo = table->viewport()->findChild<QComboBox*>();
  ASSERT_NE(combo, nullptr);
  QTest::keyClick(combo->view(), Qt::Key_Escape);
  QApplication::processEvents();
  QTest::keyClick(combo, Qt::Key_Down);
  QTest::keyClick(combo, Qt::Key_Down);
  QTest::keyClick(combo, Qt::Key_Return);
  QApplication::processEvents();
  // Each arrow on the closed box takes its item, as the box shows it.
  ASSERT_EQ(chosen.count(), 2);
  EXPECT_EQ(chosen[1][2].toInt(), 1);
  EXPECT_EQ(grid->text(2, 2), "Concrete Saw");
  QComboBox* still = table->viewport()->findChild<QComboBox*>();
  EXPECT_TRUE(!still || !still->isVisible()) << "Enter ended the choice";
  EXPECT_EQ(grid->activeRow(), 2);
  EXPECT_EQ(grid->activeCol(), 2);
}

TEST_F(GridAccess, TypingOverALockedCellIsReportedNotSwallowed) {
  QSignalSpy typed(grid, &cSheetGrid::lockedCellTyped);
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  grid->setActiveCell(3, 2);
  QTest::keyClick(focus(), '9');
  ASSERT_EQ(typed.count(), 1);
  EXPECT_EQ(typed[0], (QList<QVariant>{3, 2}));
  EXPECT_EQ(changed.count(), 0);
  grid->setLocked(1, 2, 1, 2, true);
  grid->setActiveCell(1, 2);
  key(Qt::Key_Space);
  EXPECT_EQ(typed.count(), 2);
  EXPECT_FALSE(grid->isChecked(1, 2));
}

// A sheet whose cells open a dialog takes Return, Space and F2 as a double
// click; a sheet that only shows leaves Return to its dialog.
TEST_F(GridAccess, ReturnSpaceAndF2ActivateOrReturnGoesToTheDialog) {
  grid->setActivateOnKeys(true);
  QSignalSpy activated(grid, &cSheetGrid::cellActivated);
  grid->setActiveCell(3, 2);
  for (Qt::Key k : {Qt::Key_Return, Qt::Key_Space, Qt::Key_F2}) key(k);
  ASSERT_EQ(activated.count(), 3);
  EXPECT_EQ(activated[2], (QList<QVariant>{3, 2}));
  EXPECT_EQ(grid->activeRow(), 2);
  grid->setActivateOnKeys(false);

  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* shows = new cSheetGrid(&dialog);
  shows->setSize(2, 2);
  shows->setLocked(1, 1, 2, 2, true);
  shows->setReturnToWindow(true);
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setDefault(true);
  layout->addWidget(shows);
  layout->addWidget(ok);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  dialog.show();
  shows->table()->setFocus();
  shows->setActiveCell(1, 1);
  QTest::keyClick(shows->table(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(GridAccess, AClippedTextShowsWholeInItsTip) {
  grid->setColumnWidth(2, 6);
  grid->setText(2, 1, "Saw, Hand Held");
  grid->setText(2, 2, "Saw");
  EXPECT_TRUE(grid->textClipped(2, 1));
  EXPECT_EQ(grid->toolTipAt(2, 1), "Saw, Hand Held");
  EXPECT_EQ(grid->toolTipAt(2, 2), "");
  grid->setCellToolTip(2, 2, "chosen from the list");
  EXPECT_EQ(grid->toolTipAt(2, 2), "chosen from the list");
  EXPECT_EQ(cell(2, 1)->text(QAccessible::Description), "Saw, Hand Held");
}

// Stretching, the sheet asks for its visible rows, shrinks to its minimum
// and scrolls, and grows no taller than all its rows.
TEST_F(GridAccess, AStretchingSheetTakesTheHeightItIsGiven) {
  grid->setStretchRows(true, 2);
  QApplication::processEvents();
  EXPECT_EQ(table->sizeHint().height(), grid->heightForRows(4));
  EXPECT_EQ(table->minimumHeight(), grid->heightForRows(2));
  EXPECT_EQ(table->maximumHeight(), grid->heightForRows(5));
  window.resize(700, grid->heightForRows(2) + 20);
  QApplication::processEvents();
  EXPECT_LT(table->height(), grid->heightForRows(4));
  EXPECT_TRUE(table->verticalScrollBar()->isVisible());
  window.resize(700, 1000);
  QApplication::processEvents();
  EXPECT_EQ(table->height(), grid->heightForRows(5)) << "no taller than all its rows";
  grid->setStretchRows(false);
  QApplication::processEvents();
  EXPECT_EQ(table->height(), grid->heightForRows(4));
}

}  // namespace
