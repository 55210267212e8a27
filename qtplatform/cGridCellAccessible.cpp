#include "qtplatform/cGridCellAccessible.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QWidget>
#include <QWindow>

#include "qtplatform/cGridAccessible.h"
#include "qtplatform/cGridTable.h"
#include "qtplatform/cSheetGrid.h"
#include "qtplatform/mCodePage.h"

cGridCellAccessible::cGridCellAccessible(cGridTable* table, int row, int column)
    : table_(table), row_(row), column_(column) {}

bool cGridCellAccessible::isValid() const {
  return table_ && row_ >= -1 && column_ >= -1 && row_ < table_->rowCount() && column_ < table_->columnCount();
}

QWindow* cGridCellAccessible::window() const {
  return table_ && table_->window() ? table_->window()->windowHandle() : nullptr;
}

cGridAccessible* cGridCellAccessible::tableInterface() const {
  return table_ ? dynamic_cast<cGridAccessible*>(QAccessible::queryAccessibleInterface(table_.data())) : nullptr;
}

QAccessibleInterface* cGridCellAccessible::parent() const { return tableInterface(); }
QAccessibleInterface* cGridCellAccessible::table() const { return tableInterface(); }

bool cGridCellAccessible::isCheckBox() const {
  return isData() && table_->grid()->cellKind(column_ + 1, row_ + 1) == GridCellKind::CheckBox;
}

QString cGridCellAccessible::text(QAccessible::Text t) const {
  if (!isValid()) return {};
  cSheetGrid* grid = table_->grid();
  cGridAccessible* owner = tableInterface();
  if (row_ == -1) {
    if (column_ == -1 || !owner) return {};
    return t == QAccessible::Name ? owner->columnHeading(column_) : QString();
  }
  if (column_ == -1) return t == QAccessible::Name && owner ? owner->rowDescription(row_) : QString();
  const int col = column_ + 1;
  const int row = row_ + 1;
  switch (t) {
    case QAccessible::Name:
      // A box has no text of its own: it is named by what it answers.
      if (isCheckBox() && owner) return QStringLiteral("%1, row %2").arg(owner->columnHeading(column_)).arg(row);
      return mCodePage::toQString(grid->text(col, row));
    case QAccessible::Value:
      return isCheckBox() ? QString() : mCodePage::toQString(grid->text(col, row));
    case QAccessible::Description: return mCodePage::toQString(grid->toolTipAt(col, row));
    default: return {};
  }
}

QRect cGridCellAccessible::rect() const {
  if (!isValid()) return {};
  if (row_ == -1) {
    QHeaderView* header = table_->horizontalHeader();
    if (column_ == -1) return {};
    const QRect r(header->sectionViewportPosition(column_), 0, header->sectionSize(column_), header->height());
    return QRect(header->viewport()->mapToGlobal(r.topLeft()), r.size());
  }
  if (column_ == -1) {
    QHeaderView* header = table_->verticalHeader();
    const QRect r(0, header->sectionViewportPosition(row_), header->width(), header->sectionSize(row_));
    return QRect(header->viewport()->mapToGlobal(r.topLeft()), r.size());
  }
  const QRect r = table_->visualRect(table_->model()->index(row_, column_));
  return QRect(table_->viewport()->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::Role cGridCellAccessible::role() const {
  if (row_ == -1) return QAccessible::ColumnHeader;
  if (column_ == -1) return QAccessible::RowHeader;
  return QAccessible::Cell;
}

QAccessible::State cGridCellAccessible::state() const {
  QAccessible::State st;
  if (!isValid()) {
    st.invalid = true;
    return st;
  }
  if (!isData()) return st;
  const QModelIndex index = table_->model()->index(row_, column_);
  const QRect shown = table_->visualRect(index);
  if (!table_->viewport()->rect().intersects(shown)) st.offscreen = true;
  st.focusable = true;
  st.selectable = true;
  st.extSelectable = true;
  if (table_->selectionModel()->isSelected(index)) st.selected = true;
  if (table_->currentIndex() == index && table_->hasFocus()) st.focused = true;
  cSheetGrid* grid = table_->grid();
  const bool mayEdit = grid->userMayEdit(column_ + 1, row_ + 1);
  if (isCheckBox()) {
    st.checkable = true;
    st.checked = grid->isChecked(column_ + 1, row_ + 1);
  } else if (mayEdit) {
    st.editable = true;
  }
  if (!mayEdit) st.readOnly = true;
  return st;
}

void* cGridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
  if (type == QAccessible::ActionInterface && isData()) return static_cast<QAccessibleActionInterface*>(this);
  return nullptr;
}

bool cGridCellAccessible::isSelected() const {
  return isData() && table_ && table_->selectionModel()->isSelected(table_->model()->index(row_, column_));
}

QList<QAccessibleInterface*> cGridCellAccessible::columnHeaderCells() const {
  cGridAccessible* owner = tableInterface();
  if (!owner || column_ < 0) return {};
  return {owner->cellInterface(-1, column_)};
}

QList<QAccessibleInterface*> cGridCellAccessible::rowHeaderCells() const {
  cGridAccessible* owner = tableInterface();
  if (!owner || row_ < 0 || table_->verticalHeader()->isHidden()) return {};
  return {owner->cellInterface(row_, -1)};
}

QStringList cGridCellAccessible::actionNames() const {
  if (!isValid() || !isData()) return {};
  if (isCheckBox() && table_->grid()->userMayEdit(column_ + 1, row_ + 1)) return {toggleAction(), setFocusAction()};
  return {setFocusAction()};
}

void cGridCellAccessible::doAction(const QString& actionName) {
  if (!isValid() || !isData()) return;
  if (actionName == setFocusAction()) {
    // As the user moves there: the sheet hears the cell entered.
    table_->setFocus();
    table_->setCurrentIndex(table_->model()->index(row_, column_));
  } else if (actionName == toggleAction() && isCheckBox()) {
    table_->toggleAsUser(column_ + 1, row_ + 1);
  }
}

QStringList cGridCellAccessible::keyBindingsForAction(const QString& actionName) const {
  if (actionName == toggleAction()) return {QStringLiteral("Space")};
  return {};
}
