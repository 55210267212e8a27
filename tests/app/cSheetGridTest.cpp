#include "qtplatform/cSheetGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "tests/app/QtTestSupport.h"

namespace {

using Kind = GridCellKind;

// A window with a sheet laid out as the main window's sheets are: a text
// column, a number column, a percentage, a check box, a land-use list and
// a static column; and a line edit beside it to take the focus away.
class SheetGrid : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApp();
    auto* layout = new QVBoxLayout(&window);
    grid = new cSheetGrid(&window);
    other = new QLineEdit(&window);
    layout->addWidget(grid);
    layout->addWidget(other);
    grid->setSize(6, 10);
    grid->setColumnKind(2, Kind::Number);
    grid->setColumnKind(3, Kind::Percent);
    grid->setColumnKind(4, Kind::CheckBox);
    grid->setColumnKind(5, Kind::List);
    grid->setListItems(5, 1, 5, 10, "Residential\tCommercial\tIndustrial");
    grid->setColumnKind(6, Kind::Static);
    grid->setVisibleRows(6);
    window.resize(800, 400);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->setFocus();
    table = grid->table();
  }

  QWidget* focus() const { return QApplication::focusWidget() ? QApplication::focusWidget() : table; }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focus(), k, m); }
  void type(const QString& text) {
    for (const QChar c : text) QTest::keyClick(focus(), c.toLatin1());
  }
  // Enter in an editor commits through a queued call.
  void enter() {
    key(Qt::Key_Return);
    QApplication::processEvents();
  }
  QPoint centre(int col, int row) const {
    return table->visualRect(table->model()->index(row - 1, col - 1)).center();
  }
  void click(int col, int row) { QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre(col, row)); }
  QComboBox* openCombo() const { return table->viewport()->findChild<QComboBox*>(); }

  QApplication& app = qtTestApp();
  QWidget window;
  cSheetGrid* grid = nullptr;
  QLineEdit* other = nullptr;
  QTableWidget* table = nullptr;
};

TEST_F(SheetGrid, TypingOverATextCellEditsItAndEnterMovesDown) {
  grid->setText(1, 1, "old");
  grid->setActiveCell(1, 1);
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  QSignalSpy keys(grid, &cSheetGrid::keyTyped);
  type("new");
  enter();
  EXPECT_EQ(grid->text(1, 1), "new");
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0], (QList<QVariant>{1, 1}));
  EXPECT_EQ(grid->activeRow(), 2);
  EXPECT_EQ(grid->activeCol(), 1);
  ASSERT_GE(keys.count(), 3);
  EXPECT_EQ(keys[0][0].toInt(), 'n');
  EXPECT_EQ(keys[2][0].toInt(), 'w');
}

TEST_F(SheetGrid, NumberCellTakesDigitsAndShowsOneDecimal) {
  grid->setActiveCell(2, 3);
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  type("55.26");
  enter();
  ASSERT_TRUE(grid->number(2, 3).has_value());
  EXPECT_DOUBLE_EQ(*grid->number(2, 3), 55.26);
  EXPECT_EQ(grid->text(2, 3), "55.3");
  EXPECT_EQ(changed.count(), 1);

  // Letters are refused while typing, so nothing changes.
  grid->setActiveCell(2, 3);
  type("ab");
  enter();
  EXPECT_DOUBLE_EQ(grid->value(2, 3), 55.26);
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(SheetGrid, PercentCellShowsTheStoredFractionAsAPercent) {
  grid->setNumber(3, 1, 0.16);
  EXPECT_EQ(grid->text(3, 1), "16%");
  grid->setActiveCell(3, 2);
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  type("40");
  enter();
  EXPECT_DOUBLE_EQ(grid->value(3, 2), 0.4);
  EXPECT_EQ(grid->text(3, 2), "40%");
  EXPECT_EQ(changed.count(), 1);
  grid->setNumber(3, 3, 0.025);
  EXPECT_EQ(grid->text(3, 3), "2.5%");
}

TEST_F(SheetGrid, CheckBoxTogglesByClickOnTheBoxAndBySpace) {
  QSignalSpy clicked(grid, &cSheetGrid::checkBoxClicked);
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  click(4, 2);
  EXPECT_TRUE(grid->isChecked(4, 2));
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked[0], (QList<QVariant>{4, 2, true}));
  EXPECT_EQ(changed.count(), 0);  // a click raises its one signal only

  key(Qt::Key_Space);
  EXPECT_FALSE(grid->isChecked(4, 2));
  ASSERT_EQ(clicked.count(), 2);
  EXPECT_EQ(clicked[1], (QList<QVariant>{4, 2, false}));

  // A click in the cell but beside the box only selects it.
  const QRect cell = table->visualRect(table->model()->index(1, 3));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 2, cell.center().y()));
  EXPECT_FALSE(grid->isChecked(4, 2));
  EXPECT_EQ(clicked.count(), 2);
}

TEST_F(SheetGrid, DropDownOpensOnClickAndReportsTheChosenItem) {
  QSignalSpy chosen(grid, &cSheetGrid::listItemChosen);
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  click(5, 3);
  QApplication::processEvents();
  QComboBox* combo = openCombo();
  ASSERT_NE(combo, nullptr);
  ASSERT_TRUE(combo->view()->isVisible());
  QTest::keyClick(combo->view(), Qt::Key_Down);
  QTest::keyClick(combo->view(), Qt::Key_Down);
  QTest::keyClick(combo->view(), Qt::Key_Return);
  QApplication::processEvents();
  ASSERT_EQ(chosen.count(), 1);
  const int index = chosen[0][2].toInt();
  EXPECT_EQ(chosen[0][0].toInt(), 5);
  EXPECT_EQ(chosen[0][1].toInt(), 3);
  EXPECT_EQ(grid->listIndex(5, 3), index);
  EXPECT_EQ(grid->text(5, 3), grid->listItems(5, 3)[static_cast<std::size_t>(index)]);
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(SheetGrid, DropDownOpensOnF4AndTypingALetterChooses) {
  grid->setActiveCell(5, 1);
  key(Qt::Key_F4);
  QApplication::processEvents();
  QComboBox* combo = openCombo();
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(combo->view()->isVisible());
  QTest::keyClick(combo->view(), Qt::Key_Escape);
  QApplication::processEvents();
  QTest::keyClick(combo, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(grid->listIndex(5, 1), -1);

  grid->setActiveCell(5, 2);
  grid->setFocus();
  QSignalSpy chosen(grid, &cSheetGrid::listItemChosen);
  type("I");
  QApplication::processEvents();
  EXPECT_EQ(grid->text(5, 2), "Industrial");
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0], (QList<QVariant>{5, 2, 2}));
}

TEST_F(SheetGrid, LockedAndStaticCellsRefuseTheUserButNotTheProgram) {
  grid->setLocked(1, 1, 5, 1, true);
  grid->setText(1, 1, "kept");
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  grid->setActiveCell(1, 1);
  type("x");
  enter();
  EXPECT_EQ(grid->text(1, 1), "kept");

  click(4, 1);
  EXPECT_FALSE(grid->isChecked(4, 1));
  grid->setActiveCell(4, 1);
  key(Qt::Key_Space);
  EXPECT_FALSE(grid->isChecked(4, 1));

  grid->setActiveCell(6, 2);
  type("y");
  enter();
  EXPECT_EQ(grid->text(6, 2), "");

  grid->selectBlock(1, 1, 6, 1);
  key(Qt::Key_Delete);
  EXPECT_EQ(grid->text(1, 1), "kept");
  EXPECT_EQ(changed.count(), 0);

  // The program writes where it likes, and unlocking gives the cell back.
  grid->setChecked(4, 1, true);
  grid->setText(6, 2, "Total");
  EXPECT_TRUE(grid->isChecked(4, 1));
  EXPECT_EQ(grid->text(6, 2), "Total");
  grid->setLocked(1, 1, 1, 1, false);
  grid->setActiveCell(1, 1);
  type("z");
  enter();
  EXPECT_EQ(grid->text(1, 1), "z");
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(SheetGrid, ProgramWritesRaiseNoEvents) {
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  QSignalSpy clicked(grid, &cSheetGrid::checkBoxClicked);
  QSignalSpy chosen(grid, &cSheetGrid::listItemChosen);
  QSignalSpy entered(grid, &cSheetGrid::cellEntered);
  QSignalSpy rows(grid, &cSheetGrid::activeRowChanged);
  QSignalSpy block(grid, &cSheetGrid::blockSelected);
  grid->setText(1, 1, "a");
  grid->setNumber(2, 1, 3);
  grid->setChecked(4, 1, true);
  grid->setListIndex(5, 1, 1);
  grid->setActiveCell(2, 5);
  grid->selectBlock(1, 1, 3, 3);
  grid->selectRows(2, 4);
  grid->clearAllValues();
  EXPECT_EQ(changed.count() + clicked.count() + chosen.count() + entered.count() + rows.count() + block.count(), 0);
}

TEST_F(SheetGrid, CopyGivesTabSeparatedRowsAndPasteRoundTripsRespectingLocks) {
  grid->setText(1, 1, "Home, \"A\"");
  grid->setNumber(2, 1, 55.3f);
  grid->setNumber(3, 1, 0.4f);
  grid->setChecked(4, 1, true);
  grid->setText(5, 1, "commercial");
  grid->setText(1, 2, "Shop");
  grid->setNumber(2, 2, 60);
  grid->selectBlock(1, 1, 5, 2);
  ASSERT_TRUE(grid->copy());
  const QString expected = QString::fromLatin1("Home, \"A\"\t55.3\t40%\t1\tCommercial\nShop\t60\t\t0\t\n");
  EXPECT_EQ(QApplication::clipboard()->text(), expected);

  grid->setLocked(2, 5, 2, 5, true);
  grid->setNumber(2, 5, 1);
  grid->setActiveCell(1, 4);
  grid->clearSelection();
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  ASSERT_TRUE(grid->paste());
  EXPECT_EQ(grid->text(1, 4), "Home, \"A\"");
  EXPECT_EQ(static_cast<float>(grid->value(2, 4)), 55.3f);
  EXPECT_EQ(static_cast<float>(grid->value(3, 4)), 0.4f);
  EXPECT_TRUE(grid->isChecked(4, 4));
  EXPECT_EQ(grid->listIndex(5, 4), 1);
  EXPECT_EQ(grid->text(1, 5), "Shop");
  EXPECT_DOUBLE_EQ(grid->value(2, 5), 1);  // locked: kept
  // Row 4: five cells change; row 5: Shop only (the rest stay empty or locked).
  EXPECT_EQ(changed.count(), 6);

  // Copying the pasted block gives the same text back.
  grid->selectBlock(1, 4, 5, 4);
  EXPECT_EQ(QString::fromStdString(grid->blockText(grid->selection())), expected.section('\n', 0, 0) + '\n');
}

TEST_F(SheetGrid, PasteBeyondTheGridAndIntoStaticCellsIsDropped) {
  grid->setActiveCell(5, 10);
  EXPECT_TRUE(grid->pasteText("Industrial\tX\tY\nZ\n"));
  EXPECT_EQ(grid->text(5, 10), "Industrial");
  EXPECT_EQ(grid->text(6, 10), "");
  EXPECT_FALSE(grid->pasteText(""));
}

TEST_F(SheetGrid, DeleteClearsTheUnlockedCellsOfTheSelectionKeepingKindsAndLocks) {
  grid->setText(1, 1, "a");
  grid->setNumber(2, 1, 5);
  grid->setChecked(4, 1, true);
  grid->setListIndex(5, 1, 2);
  grid->setText(6, 1, "static");
  grid->setText(1, 2, "locked");
  grid->setLocked(1, 2, 1, 2, true);
  grid->setBackColor(1, 1, 6, 1, QColor(255, 255, 1));
  grid->selectBlock(1, 1, 6, 2);
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  key(Qt::Key_Delete);
  EXPECT_EQ(changed.count(), 4);
  EXPECT_TRUE(grid->isEmpty(1, 1));
  EXPECT_TRUE(grid->isEmpty(2, 1));
  EXPECT_FALSE(grid->isChecked(4, 1));
  EXPECT_EQ(grid->listIndex(5, 1), -1);
  EXPECT_EQ(grid->text(6, 1), "static");
  EXPECT_EQ(grid->text(1, 2), "locked");
  EXPECT_EQ(grid->cellKind(2, 1), Kind::Number);
  EXPECT_TRUE(grid->isLocked(1, 2));
  EXPECT_EQ(grid->backColor(3, 1), QColor(255, 255, 1));
  EXPECT_EQ(grid->listItems(5, 1).size(), 3u);
}

TEST_F(SheetGrid, ClipboardKeysAreReportedNotActedOn) {
  grid->setText(1, 1, "a");
  grid->setActiveCell(1, 1);
  QApplication::clipboard()->setText("untouched");
  QSignalSpy keys(grid, &cSheetGrid::keyTyped);
  key(Qt::Key_C, Qt::ControlModifier);
  key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(keys.count(), 2);
  EXPECT_EQ(keys[0][0].toInt(), 3);
  EXPECT_EQ(keys[1][0].toInt(), 22);
  EXPECT_EQ(QApplication::clipboard()->text(), "untouched");
  EXPECT_EQ(grid->text(1, 1), "a");
}

TEST_F(SheetGrid, ArrowsAndTabMoveAndReportTheCellAndRow) {
  grid->setActiveCell(1, 1);
  QSignalSpy entered(grid, &cSheetGrid::cellEntered);
  QSignalSpy rows(grid, &cSheetGrid::activeRowChanged);
  key(Qt::Key_Tab);
  EXPECT_EQ(grid->activeCol(), 2);
  key(Qt::Key_Down);
  EXPECT_EQ(grid->activeRow(), 2);
  key(Qt::Key_Right);
  EXPECT_EQ(grid->activeCol(), 3);
  ASSERT_EQ(entered.count(), 3);
  EXPECT_EQ(entered[2], (QList<QVariant>{3, 2}));
  ASSERT_EQ(rows.count(), 1);
  EXPECT_EQ(rows[0], (QList<QVariant>{2, 1}));

  // Tab also commits an edit and moves right without opening the next cell.
  grid->setActiveCell(1, 3);
  type("x");
  key(Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_EQ(grid->text(1, 3), "x");
  EXPECT_EQ(grid->activeCol(), 2);
  const QLineEdit* editor = table->viewport()->findChild<QLineEdit*>();
  EXPECT_TRUE(editor == nullptr || !editor->isVisible());
}

TEST_F(SheetGrid, BlockAndWholeRowSelectionsAreReported) {
  QSignalSpy block(grid, &cSheetGrid::blockSelected);
  click(1, 2);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(3, 4));
  ASSERT_GE(block.count(), 1);
  EXPECT_EQ(block.last(), (QList<QVariant>{1, 2, 3, 4, false}));
  EXPECT_EQ(grid->selection(), (cGridBlock{1, 2, 3, 4, false}));
  EXPECT_TRUE(grid->hasBlockSelected());

  QHeaderView* rowHeads = table->verticalHeader();
  const auto rowHead = [&](int row) {
    return QPoint(rowHeads->width() / 2, rowHeads->sectionViewportPosition(row - 1) + rowHeads->sectionSize(row - 1) / 2);
  };
  QTest::mouseClick(rowHeads->viewport(), Qt::LeftButton, {}, rowHead(5));
  QTest::mouseClick(rowHeads->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowHead(6));
  EXPECT_EQ(block.last(), (QList<QVariant>{1, 5, 6, 6, true}));
  EXPECT_EQ(grid->selection(), (cGridBlock{1, 5, 6, 6, true}));

  grid->clearSelection();
  EXPECT_FALSE(grid->hasBlockSelected());
}

TEST_F(SheetGrid, FocusLostWhenAnotherControlOfTheWindowTakesIt) {
  grid->setActiveCell(1, 1);
  QSignalSpy lost(grid, &cSheetGrid::focusLost);
  type("a");  // an open editor still counts as the sheet
  EXPECT_EQ(lost.count(), 0);
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(lost.count(), 1);
  EXPECT_EQ(grid->text(1, 1), "a");  // leaving commits the edit
}

TEST_F(SheetGrid, HeadingsTakeLinesAndSpansAndVisibleRowsSetTheHeight) {
  const int oneLine = table->horizontalHeader()->sizeHint().height();
  grid->setColumnHeadings(1, "Active\tDescription\tSpec\nLmax\n(dBA)");
  EXPECT_EQ(grid->columnHeading(3), "Spec\nLmax\n(dBA)");
  EXPECT_EQ(grid->columnHeading(2), "Description");
  const int threeLines = table->horizontalHeader()->sizeHint().height();
  EXPECT_EQ(threeLines - oneLine, 2 * table->fontMetrics().lineSpacing());

  grid->setHeadingRows(3);
  grid->setColumnHeading(2, "Calculated (dBA)", 1);
  grid->spanColumnHeading(1, 2, 2);
  EXPECT_EQ(grid->columnHeading(2, 1), "Calculated (dBA)");
  EXPECT_GT(table->horizontalHeader()->sizeHint().height(), threeLines);

  const int six = table->height();
  grid->setVisibleRows(8);
  EXPECT_EQ(table->height() - six, 2 * table->verticalHeader()->defaultSectionSize());

  grid->setColumnWidth(1, 20);
  grid->setColumnWidth(2, 10);
  EXPECT_EQ(table->columnWidth(0) - table->columnWidth(1), 10 * table->fontMetrics().horizontalAdvance('0'));
  EXPECT_DOUBLE_EQ(grid->columnWidth(1), 20);

  grid->setRowHeading(1, " ");
  EXPECT_EQ(grid->rowHeading(1), " ");
  EXPECT_EQ(grid->rowHeading(2), "2");
}

TEST_F(SheetGrid, CopyValuesMovesRowsUpKeepingTheTargetsKindsAndLocks) {
  for (int row = 1; row <= 4; ++row) {
    grid->setText(1, row, "r" + std::to_string(row));
    grid->setNumber(2, row, row);
    grid->setChecked(4, row, row % 2 == 0);
    grid->setListIndex(5, row, row - 1);
  }
  grid->setLocked(1, 2, 6, 2, true);
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  // Rows 3 and 4 move up over row 2, as after deleting row 2.
  grid->copyValues({1, 3, 6, 4, true}, 1, 2);
  grid->clearValues(1, 4, 6, 4);
  EXPECT_EQ(grid->text(1, 2), "r3");
  EXPECT_DOUBLE_EQ(grid->value(2, 3), 4);
  EXPECT_FALSE(grid->isChecked(4, 2));
  EXPECT_TRUE(grid->isChecked(4, 3));
  EXPECT_EQ(grid->listIndex(5, 2), 2);
  EXPECT_EQ(grid->listIndex(5, 3), -1);  // row 4 had index 3, beyond the list
  EXPECT_TRUE(grid->isEmpty(1, 4));
  EXPECT_TRUE(grid->isLocked(1, 2));
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(SheetGrid, ColumnWidthsAndRowHeightsFollowTheFont) {
  grid->setColumnWidth(1, 20);
  QFont big = grid->font();
  big.setPointSize(big.pointSize() * 2);
  grid->setFont(big);
  const QFontMetrics metrics(big);
  EXPECT_EQ(table->columnWidth(0), qRound(20.0 * metrics.horizontalAdvance('0')) + 8);
  EXPECT_EQ(table->verticalHeader()->defaultSectionSize(), metrics.height() + 6);
}

TEST_F(SheetGrid, BordersColoursAndTextsCrossInTheCodePage) {
  grid->setBorder(1, 3, 5, 3, QColor(0, 0, 128));
  grid->setBorder(1, 4, 5, 4, QColor(0, 0, 128));
  grid->removeBorder(1, 3, 5, 3);
  ASSERT_EQ(grid->borders().size(), 1u);
  EXPECT_EQ(grid->borders()[0], (cGridBlock{1, 4, 5, 4, false}));
  grid->setForeColor(1, 1, 1, 1, Qt::red);
  EXPECT_EQ(grid->foreColor(1, 1), QColor(Qt::red));

  grid->setText(1, 1, "Caf\xe9 \x80");
  EXPECT_EQ(table->item(0, 0)->text(), QString::fromUtf8("Café €"));
  EXPECT_EQ(grid->text(1, 1), "Caf\xe9 \x80");
}

// What the sheets' undo needs: a Delete-key clear and a paste are each one
// user edit, announced around their per-cell changes.
TEST_F(SheetGrid, DeleteKeyAndPasteAreEachOneUserEdit) {
  QStringList events;
  QObject::connect(grid, &cSheetGrid::userEditStarted, [&] { events << "start"; });
  QObject::connect(grid, &cSheetGrid::userEditFinished, [&] { events << "end"; });
  QObject::connect(grid, &cSheetGrid::valueChanged, [&](int col, int row) {
    events << QString("%1,%2%3").arg(col).arg(row).arg(grid->inUserBatch() ? "" : "!");
  });
  grid->setText(1, 1, "a");
  grid->setNumber(2, 1, 5);
  grid->setText(1, 2, "b");
  grid->selectBlock(1, 1, 2, 2);
  key(Qt::Key_Delete);
  EXPECT_EQ(events, (QStringList{"start", "1,1", "2,1", "1,2", "end"}));
  EXPECT_FALSE(grid->inUserBatch());

  events.clear();
  grid->setActiveCell(1, 5);
  grid->clearSelection();
  EXPECT_TRUE(grid->pasteText("x\t7\ny\n"));
  EXPECT_EQ(events, (QStringList{"start", "1,5", "2,5", "1,6", "end"}));

  // Nothing changes: nothing announced. A single typed edit is no batch.
  events.clear();
  grid->selectBlock(3, 8, 3, 9);
  key(Qt::Key_Delete);
  grid->setActiveCell(1, 7);
  type("z");
  enter();
  EXPECT_EQ(events, (QStringList{"1,7!"}));
}

TEST_F(SheetGrid, CommitPendingEditKeepsWhatWasTypedWithoutMoving) {
  grid->setActiveCell(2, 3);
  QSignalSpy changed(grid, &cSheetGrid::valueChanged);
  type("42");
  EXPECT_TRUE(grid->isEmpty(2, 3));  // still in the editor
  EXPECT_TRUE(grid->commitPendingEdit());
  EXPECT_DOUBLE_EQ(grid->value(2, 3), 42);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(grid->activeRow(), 3);
  EXPECT_EQ(grid->activeCol(), 2);
  EXPECT_FALSE(grid->commitPendingEdit());
}

TEST_F(SheetGrid, ListItemsOnlyCellsRefuseOtherTextFromTheUserOnly) {
  grid->setListItemsOnly(5, 1, 5, 10, true);
  EXPECT_TRUE(grid->listItemsOnly(5, 4));
  EXPECT_FALSE(grid->listItemsOnly(1, 4));
  grid->setText(5, 2, "Commercial");
  grid->setActiveCell(5, 2);
  grid->clearSelection();
  EXPECT_FALSE(grid->pasteText("Farmland"));
  EXPECT_EQ(grid->text(5, 2), "Commercial");
  EXPECT_TRUE(grid->pasteText("industrial"));
  EXPECT_EQ(grid->text(5, 2), "Industrial");
  EXPECT_EQ(grid->listIndex(5, 2), 2);
  // What a file holds is still shown.
  grid->setText(5, 3, "Farmland");
  EXPECT_EQ(grid->text(5, 3), "Farmland");
  // Cells without the option take any text, as before.
  grid->setActiveCell(5, 4);
  grid->setListItemsOnly(5, 4, 5, 4, false);
  EXPECT_TRUE(grid->pasteText("Farmland"));
}

TEST_F(SheetGrid, HeadingTargetsShowTheCellsTheyHead) {
  QSignalSpy entered(grid, &cSheetGrid::cellEntered);
  grid->setActiveCell(3, 9);
  grid->setActiveCell(0, 0);
  EXPECT_EQ(grid->activeCol(), 1);
  EXPECT_EQ(grid->activeRow(), 1);
  EXPECT_FALSE(grid->hasBlockSelected());
  grid->setActiveCell(0, 7);
  EXPECT_EQ(grid->activeRow(), 7);
  EXPECT_EQ(grid->selection(), (cGridBlock{1, 7, 6, 7, true}));
  grid->setActiveCell(4, 0);
  EXPECT_EQ(grid->activeCol(), 4);
  EXPECT_EQ(grid->activeRow(), 1);
  grid->setActiveCell(0, 11);  // beyond the sheet: ignored
  EXPECT_EQ(grid->activeRow(), 1);
  EXPECT_EQ(entered.count(), 0);
}

TEST_F(SheetGrid, FocusLostWaitsUntilTheCallThatMovedTheFocusReturns) {
  grid->setActiveCell(1, 1);
  QSignalSpy lost(grid, &cSheetGrid::focusLost);
  other->setFocus();
  EXPECT_EQ(lost.count(), 0);  // not inside the call
  QApplication::processEvents();
  EXPECT_EQ(lost.count(), 1);

  // Out and straight back in before the loop runs: the sheet never lost it.
  grid->setFocus();
  QApplication::processEvents();
  other->setFocus();
  grid->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(lost.count(), 1);
}

}  // namespace
