#include "qtplatform/cGridAccessible.h"

#include <algorithm>

#include <QHeaderView>
#include <QItemSelectionModel>

#include "qtplatform/cGridCellAccessible.h"
#include "qtplatform/cGridTable.h"
#include "qtplatform/cSheetGrid.h"

cGridAccessible::cGridAccessible(cGridTable* table) : QAccessibleWidget(table, QAccessible::Table) {}

cGridAccessible::~cGridAccessible() { forgetCells(); }

QAccessibleInterface* cGridAccessible::factory(const QString&, QObject* object) {
  if (auto* table = dynamic_cast<cGridTable*>(object)) return new cGridAccessible(table);
  return nullptr;
}

void* cGridAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

cGridTable* cGridAccessible::gridTable() const { return static_cast<cGridTable*>(object()); }

cSheetGrid* cGridAccessible::grid() const { return gridTable()->grid(); }

QString cGridAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) {
    // The caption a user reads above the sheet, set on the table or on the sheet.
    if (!gridTable()->accessibleName().isEmpty()) return gridTable()->accessibleName();
    return grid()->accessibleName();
  }
  if (t == QAccessible::Description) {
    if (!gridTable()->accessibleDescription().isEmpty()) return gridTable()->accessibleDescription();
    return grid()->accessibleDescription();
  }
  return QAccessibleWidget::text(t);
}

int cGridAccessible::headingRows() const { return gridTable()->horizontalHeader()->isHidden() ? 0 : 1; }
int cGridAccessible::headingCols() const { return gridTable()->verticalHeader()->isHidden() ? 0 : 1; }

int cGridAccessible::columnCount() const { return gridTable()->columnCount(); }
int cGridAccessible::rowCount() const { return gridTable()->rowCount(); }

int cGridAccessible::childCount() const { return (rowCount() + headingRows()) * (columnCount() + headingCols()); }

QAccessibleInterface* cGridAccessible::child(int index) const {
  const int width = columnCount() + headingCols();
  if (index < 0 || width == 0 || index >= childCount()) return nullptr;
  return cellInterface(index / width - headingRows(), index % width - headingCols());
}

int cGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (!child) return -1;
  const auto* cell = dynamic_cast<const cGridCellAccessible*>(child);
  if (!cell) return -1;
  const int row = cell->rowIndex() + headingRows();
  const int col = cell->columnIndex() + headingCols();
  if (row < 0 || col < 0) return -1;
  return row * (columnCount() + headingCols()) + col;
}

QAccessibleInterface* cGridAccessible::childAt(int x, int y) const {
  QWidget* viewport = gridTable()->viewport();
  const QModelIndex index = gridTable()->indexAt(viewport->mapFromGlobal(QPoint(x, y)));
  return index.isValid() ? cellInterface(index.row(), index.column()) : nullptr;
}

QAccessibleInterface* cGridAccessible::cellInterface(int row, int column) const {
  if (row < -1 || column < -1 || row >= rowCount() || column >= columnCount()) return nullptr;
  const auto key = std::make_pair(row, column);
  if (const auto found = cells_.find(key); found != cells_.end()) {
    if (QAccessibleInterface* known = QAccessible::accessibleInterface(found->second)) return known;
    cells_.erase(found);
  }
  auto* cell = new cGridCellAccessible(gridTable(), row, column);
  cells_[key] = QAccessible::registerAccessibleInterface(cell);
  return cell;
}

void cGridAccessible::forgetCells() {
  for (const auto& [key, id] : cells_) QAccessible::deleteAccessibleInterface(id);
  cells_.clear();
}

QAccessibleInterface* cGridAccessible::cellAt(int row, int column) const {
  if (row < 0 || column < 0) return nullptr;
  return cellInterface(row, column);
}

QString cGridAccessible::columnHeading(int column) const { return grid()->accessibleColumnName(column + 1); }

QString cGridAccessible::columnDescription(int column) const { return columnHeading(column); }

QString cGridAccessible::rowDescription(int row) const {
  return QString::fromStdString(grid()->rowHeading(row + 1)).trimmed();
}

QList<QAccessibleInterface*> cGridAccessible::selectedCells() const {
  QList<QAccessibleInterface*> cells;
  for (const QModelIndex& index : gridTable()->selectionModel()->selectedIndexes())
    cells << cellInterface(index.row(), index.column());
  return cells;
}

int cGridAccessible::selectedCellCount() const { return static_cast<int>(gridTable()->selectionModel()->selectedIndexes().size()); }

QList<int> cGridAccessible::selectedColumns() const {
  QList<int> columns;
  for (int c = 0; c < columnCount(); ++c)
    if (isColumnSelected(c)) columns << c;
  return columns;
}

QList<int> cGridAccessible::selectedRows() const {
  QList<int> rows;
  for (int r = 0; r < rowCount(); ++r)
    if (isRowSelected(r)) rows << r;
  return rows;
}

int cGridAccessible::selectedColumnCount() const { return static_cast<int>(selectedColumns().size()); }
int cGridAccessible::selectedRowCount() const { return static_cast<int>(selectedRows().size()); }

bool cGridAccessible::isColumnSelected(int column) const {
  return gridTable()->selectionModel()->isColumnSelected(column, QModelIndex());
}

bool cGridAccessible::isRowSelected(int row) const {
  return gridTable()->selectionModel()->isRowSelected(row, QModelIndex());
}

bool cGridAccessible::selectRow(int row) {
  if (row < 0 || row >= rowCount()) return false;
  grid()->selectRows(row + 1, row + 1);
  return true;
}

bool cGridAccessible::selectColumn(int column) {
  if (column < 0 || column >= columnCount()) return false;
  grid()->selectBlock(column + 1, 1, column + 1, rowCount());
  return true;
}

bool cGridAccessible::unselectRow(int row) {
  if (!isRowSelected(row)) return false;
  grid()->clearSelection();
  return true;
}

bool cGridAccessible::unselectColumn(int column) {
  if (!isColumnSelected(column)) return false;
  grid()->clearSelection();
  return true;
}

void cGridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
  // Rows or columns came or went: cells are made again as they are asked for.
  forgetCells();
}
