#pragma once
// A spreadsheet grid for the program's sheets: columns and rows counted from
// 1, multi-line column headings with spans, cell kinds (text, number,
// percentage, check box, drop-down list, static text), per-cell locks that
// stop the user but not the program, colours, borders, the active cell, a
// selected block, and clipboard copy and paste of a block as tab-separated
// text.
//
// Texts are Windows-1252 bytes, as everywhere in the core.
//
// Events are the user's: the program's own writes (every setter below) raise
// none, so handlers never mistake them for edits. Editing a cell, choosing
// from a list, the Delete key and paste() raise valueChanged for each cell
// whose value they change. A click on a check box (or the space bar on one)
// raises checkBoxClicked alone, never valueChanged as well: a check-box
// handler listens to checkBoxClicked, and a value handler sees a check box
// only when a paste or the Delete key changes it.
//
// One user edit, one undo step: the Delete key over a block and a paste may
// change many cells. They raise userEditStarted() just before the first
// valueChanged and userEditFinished() after the last one (neither when no
// cell changes), and inUserBatch() is true all the while, so a handler takes
// one snapshot for the whole edit instead of one per cell.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QColor>
#include <QRect>
#include <QWidget>

#include "qtplatform/cGridBlock.h"

class QTableWidget;
class QTableWidgetItem;
class cGridTable;
class cGridHeader;

enum class GridCellKind { Text, Number, Percent, CheckBox, List, Static };

class cSheetGrid : public QWidget {
  Q_OBJECT

public:
  // Asked first when the Delete key reaches the sheet: true when the window
  // took the key itself (Edit > Delete over whole rows), so nothing is cleared.
  std::function<bool()> deleteKeyTaken;
  explicit cSheetGrid(QWidget* parent = nullptr);
  ~cSheetGrid() override;

  // Layout. New cells are empty text cells, unlocked.
  void setSize(int cols, int rows);
  int maxCols() const;
  int maxRows() const;
  void setHeadingRows(int count);
  int headingRows() const;
  // headingRow 0 means the last heading row, the one just above the data.
  // A line break ("\n" or "\r\n") in a heading starts a new line in its cell.
  void setColumnHeading(int col, const std::string& text, int headingRow = 0);
  // One tab-separated text across the headings of consecutive columns.
  void setColumnHeadings(int firstCol, const std::string& tabText, int headingRow = 0);
  std::string columnHeading(int col, int headingRow = 0) const;
  // Every heading row over a column, as one line: "Spec Lmax (dBA)".
  QString accessibleColumnName(int col) const;
  void spanColumnHeading(int headingRow, int firstCol, int colCount);
  int columnHeadingSpan(int headingRow, int col) const;
  void setRowHeading(int row, const std::string& text);
  std::string rowHeading(int row) const;
  void setRowHeadingsVisible(bool visible);
  // Widths in character units: the width of that many digits of the font.
  void setColumnWidth(int col, double chars);
  double columnWidth(int col) const;
  // How many data rows show at once; the grid's height follows.
  void setVisibleRows(int rows);
  int visibleRows() const;
  // A sheet that takes the height its window gives it: visibleRows is the
  // height it asks for, it shrinks to minimumRows (and scrolls) and grows up
  // to all its rows. Off by default: the height then shows visibleRows.
  void setStretchRows(bool stretch, int minimumRows = 1);
  bool stretchRows() const { return stretch_; }
  // The height that shows this many data rows under the headings.
  int heightForRows(int rows) const;
  // Width that shows every column without a horizontal scroll bar.
  int widthForAllColumns() const;
  void fitWidthToColumns();

  // Cell kinds and locks. A range is col1, row1 to col2, row2 inclusive.
  void setCellKind(int col1, int row1, int col2, int row2, GridCellKind kind);
  void setColumnKind(int col, GridCellKind kind);
  GridCellKind cellKind(int col, int row) const;
  // Items joined by tabs; a tab after the last item is allowed.
  void setListItems(int col1, int row1, int col2, int row2, const std::string& tabItems);
  std::vector<std::string> listItems(int col, int row) const;
  // List cells that take from the user (a paste) only one of their items,
  // compared without case; other text is refused and the cell keeps its
  // value. The program may still write any text, as a file may hold it.
  // Choosing the item a cell already shows raises nothing.
  void setListItemsOnly(int col1, int row1, int col2, int row2, bool only);
  bool listItemsOnly(int col, int row) const;
  // List cells whose drop-down narrows, as the user types, to the items that
  // hold the typed text anywhere in them (a long list of names); Enter takes
  // the first. Other lists choose the first item starting with a typed letter.
  void setListNarrowing(int col1, int row1, int col2, int row2, bool narrows);
  // Decimals shown by number cells (fixed, default 1) and percentage cells
  // (at most, default 2).
  void setDecimals(int col1, int row1, int col2, int row2, int decimals);
  void setLocked(int col1, int row1, int col2, int row2, bool locked);
  bool isLocked(int col, int row) const;

  // Values. text() is what the cell shows ("40%" for a percentage, "1"/"0"
  // for a check box). A percentage cell holds the fraction: setNumber(0.4)
  // shows "40%".
  void setText(int col, int row, const std::string& text);
  std::string text(int col, int row) const;
  void setNumber(int col, int row, double value);
  std::optional<double> number(int col, int row) const;
  double value(int col, int row) const;  // 0 when empty
  void setChecked(int col, int row, bool checked);
  bool isChecked(int col, int row) const;
  void setListIndex(int col, int row, int index);  // -1 empties the cell
  int listIndex(int col, int row) const;           // -1 when none
  bool isEmpty(int col, int row) const;
  // Empties values; kinds, lists, locks, colours and borders stay.
  void clearValues(int col1, int row1, int col2, int row2);
  void clearAllValues();
  // Copies the values of a block so that its first cell lands on toCol,
  // toRow, as a manager closes the gap after deleting rows. Kinds, locks
  // and colours of the target stay; overlapping blocks copy correctly.
  void copyValues(const cGridBlock& from, int toCol, int toRow);

  // Look.
  void setBackColor(int col1, int row1, int col2, int row2, const QColor& color);
  QColor backColor(int col, int row) const;
  void setForeColor(int col1, int row1, int col2, int row2, const QColor& color);
  QColor foreColor(int col, int row) const;
  void setAlignment(int col1, int row1, int col2, int row2, Qt::Alignment alignment);
  void setCellToolTip(int col, int row, const std::string& text);
  // What the pointer over a cell shows: the tip set for it, or else the
  // cell's whole text when its column is too narrow for it; empty for none.
  std::string toolTipAt(int col, int row) const;
  bool textClipped(int col, int row) const;
  void setBorder(int col1, int row1, int col2, int row2, const QColor& color);
  void removeBorder(int col1, int row1, int col2, int row2);
  void clearBorders();
  std::vector<cGridBlock> borders() const;

  // Active cell and selection. A heading target shows what it heads: the
  // corner (0, 0) or a column heading (col, 0) scrolls to the top and makes
  // the first data cell of that column active; a row heading (0, row) makes
  // the row's first cell active and selects the whole row.
  void setActiveCell(int col, int row);
  int activeCol() const;
  int activeRow() const;
  void selectBlock(int col1, int row1, int col2, int row2);
  void selectRows(int row1, int row2);
  void clearSelection();
  // The selected block; the active cell alone when nothing is selected, and
  // an empty block when there is no active cell either.
  cGridBlock selection() const;
  bool hasBlockSelected() const;
  // A cell's rectangle in screen coordinates, and the cell under a screen
  // point (col, row; 0, 0 outside the data cells).
  QRect cellScreenRect(int col, int row) const;
  std::pair<int, int> cellAtScreen(const QPoint& globalPos) const;

  // Clipboard. Rows end with a line break, cells within a row are separated
  // by tabs. A paste starts at the selection's first cell; locked and static
  // cells, and cells outside the grid, keep their values.
  std::string blockText(const cGridBlock& block) const;
  bool copy() const;
  bool pasteText(const std::string& text);
  bool paste();

  // Ends an edit the user has open in a cell as if Enter had been pressed,
  // without moving the active cell, so a command from a menu or a button
  // (which does not take the focus) works on what was typed. True when an
  // editor was open.
  bool commitPendingEdit();
  // True during a Delete-key clear or a paste (see userEditStarted).
  bool inUserBatch() const;

  // Keys. With activateOnKeys, Return, Enter, Space and F2 over a data cell
  // raise cellActivated (as a sheet whose cells open a dialog wants) instead
  // of moving or editing. With returnToWindow, Return and Enter are left to
  // the window, whose default button takes them (a sheet that only shows).
  void setActivateOnKeys(bool on) { activateOnKeys_ = on; }
  bool activateOnKeys() const { return activateOnKeys_; }
  void setReturnToWindow(bool on) { returnToWindow_ = on; }
  bool returnToWindow() const { return returnToWindow_; }
  // Whether the user may change the cell: not locked, not static text.
  bool userMayEdit(int col, int row) const;

  // The table inside, for layout and for tests that drive it as a user.
  QTableWidget* table() const;

protected:
  void changeEvent(QEvent* event) override;

signals:
  void valueChanged(int col, int row);
  void userEditStarted();
  void userEditFinished();
  // The one signal of a check-box click; see the top of this file.
  void checkBoxClicked(int col, int row, bool checked);
  void listItemChosen(int col, int row, int index);
  void blockSelected(int col1, int row1, int col2, int row2, bool wholeRows);
  void cellEntered(int col, int row);
  void activeRowChanged(int row, int previousRow);
  // Character codes as typed: Ctrl+C is 3, Ctrl+V is 22.
  void keyTyped(int code);
  void cellClicked(int col, int row);
  // Return, Enter, Space or F2 over a cell, with activateOnKeys.
  void cellActivated(int col, int row);
  // A character was typed over a cell the user may not change, so the
  // window can say why instead of swallowing the keys.
  void lockedCellTyped(int col, int row);
  // Focus moved to another control of the same window. Raised from the event
  // loop once the call that moved the focus has returned (a core operation
  // that gives another sheet the focus finishes before any handler runs),
  // and only if the focus is then still outside the sheet.
  void focusLost();
  // The focus came into the sheet from outside it (a click, Tab, or the
  // program giving it the focus), whether or not the active cell moved:
  // coming back to the cell that was active raises no cellEntered.
  void focusEntered();

private:
  friend class cGridTable;
  friend class cGridDelegate;

  bool inGrid(int col, int row) const;
  bool clampRange(int& col1, int& row1, int& col2, int& row2) const;
  QTableWidgetItem* cell(int col, int row) const;
  QTableWidgetItem* makeCell() const;
  void refreshCell(QTableWidgetItem* item) const;
  void refreshFlags(QTableWidgetItem* item) const;
  int charUnitPixels() const;
  void updateHeight();
  void applyFont();

  // The user's side: each changes a cell as a user does and raises events.
  bool userSetText(int col, int row, const QString& text);
  bool userToggle(int col, int row);
  bool userChooseListItem(int col, int row, int index);
  bool userClear(int col, int row);
  void userDeleteSelection();
  bool writeCellText(int col, int row, const QString& text, bool asTyped);
  void reportUserChange(int col, int row);
  void activateHeading(int col, int row);

  // From the table.
  void onCurrentChanged(int col, int row, int previousCol, int previousRow);
  void onSelectionChanged();
  void onFocusChanged(QWidget* old, QWidget* now);
  bool contains(const QWidget* widget) const;

  cGridTable* table_ = nullptr;
  cGridHeader* header_ = nullptr;
  std::vector<double> widthsInChars_;
  std::vector<cGridBlock> borders_;
  std::vector<QColor> borderColors_;
  int visibleRows_ = 0;
  int programDepth_ = 0;  // > 0 while the program moves the cursor or selection
  int batchDepth_ = 0;    // > 0 during a Delete-key clear or a paste
  bool batchStarted_ = false;
  bool focusLostPending_ = false;
  bool stretch_ = false;
  int minimumRows_ = 1;
  bool activateOnKeys_ = false;
  bool returnToWindow_ = false;
};
