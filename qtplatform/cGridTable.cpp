#include "qtplatform/cGridTable.h"

#include <algorithm>

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

#include "qtplatform/cGridDelegate.h"
#include "qtplatform/cSheetGrid.h"
#include "qtplatform/mCodePage.h"

cGridTable::cGridTable(cSheetGrid* grid) : QTableWidget(grid), grid_(grid), delegate_(new cGridDelegate(grid, this)) {
  setItemDelegate(delegate_);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

int cGridTable::characterCode(const QKeyEvent* event) {
  const int key = event->key();
  if ((event->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
    return key - Qt::Key_A + 1;
  }
  if (key == Qt::Key_Delete) return 0;
  const QString text = event->text();
  if (text.isEmpty()) return 0;
  const std::string bytes = mCodePage::fromQString(text.left(1));
  return bytes.empty() ? 0 : static_cast<unsigned char>(bytes.front());
}

void cGridTable::moveCurrent(int rowStep, int colStep) {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  const int row = std::clamp(current.row() + rowStep, 0, rowCount() - 1);
  const int col = std::clamp(current.column() + colStep, 0, columnCount() - 1);
  setCurrentIndex(model()->index(row, col));
}

bool cGridTable::toggleAsUser(int col, int row) { return grid_->userToggle(col, row); }

void cGridTable::moveAfterEnter() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  // Down, as in a spreadsheet; from the last column a row is done, and the
  // next one starts at its first column.
  if (current.column() == columnCount() - 1 && current.row() < rowCount() - 1) {
    setCurrentIndex(model()->index(current.row() + 1, 0));
    return;
  }
  moveCurrent(1, 0);
}

void cGridTable::openListEditor(const QModelIndex& index) {
  if (!index.isValid() || !(index.flags() & Qt::ItemIsEditable)) return;
  setCurrentIndex(index);
  delegate_->openListPopupNext(true);
  if (!edit(index, QAbstractItemView::AllEditTriggers, nullptr)) delegate_->openListPopupNext(false);
}

bool cGridTable::commitOpenEditor() {
  if (state() != QAbstractItemView::EditingState) return false;
  QWidget* editor = indexWidget(currentIndex());
  if (!editor) return false;
  commitData(editor);
  QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
  return true;
}

QSize cGridTable::sizeHint() const {
  QSize size = QTableWidget::sizeHint();
  if (grid_->stretchRows() && grid_->visibleRows() > 0) size.setHeight(grid_->heightForRows(grid_->visibleRows()));
  return size;
}

void cGridTable::keyPressEvent(QKeyEvent* event) {
  // Tab moves from cell to cell; Ctrl+Tab leaves the sheet for the next
  // control, so the keyboard alone can go from sheet to sheet.
  if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && (event->modifiers() & Qt::ControlModifier)) {
    commitOpenEditor();
    const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    QWidget::focusNextPrevChild(!back);
    event->accept();
    return;
  }
  // Keys that reach here from an open editor were already reported by it.
  if (state() == QAbstractItemView::EditingState) {
    QTableWidget::keyPressEvent(event);
    return;
  }
  const int code = characterCode(event);
  if (code == 3 || code == 22) {
    emit grid_->keyTyped(code);
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Delete) {
    if (!grid_->deleteKeyTaken || !grid_->deleteKeyTaken()) grid_->userDeleteSelection();
    event->accept();
    return;
  }
  if (code > 0) emit grid_->keyTyped(code);

  const QModelIndex current = currentIndex();
  const int col = current.column() + 1;
  const int row = current.row() + 1;
  const GridCellKind kind = current.isValid() ? grid_->cellKind(col, row) : GridCellKind::Static;
  const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain;
  if (enter && grid_->returnToWindow()) {
    event->ignore();
    return;
  }
  if (current.isValid() && grid_->activateOnKeys() && plain &&
      (enter || event->key() == Qt::Key_Space || event->key() == Qt::Key_F2)) {
    emit grid_->cellActivated(col, row);
    event->accept();
    return;
  }
  if (enter) {
    moveAfterEnter();
    event->accept();
    return;
  }
  if (!current.isValid()) {
    QTableWidget::keyPressEvent(event);
    return;
  }
  if (code >= 32 && kind != GridCellKind::CheckBox && !grid_->userMayEdit(col, row)) {
    // Nothing would take the keys; the window says why.
    emit grid_->lockedCellTyped(col, row);
    event->accept();
    return;
  }
  if (kind == GridCellKind::CheckBox && (event->key() == Qt::Key_Space || code >= 32)) {
    if (event->key() == Qt::Key_Space && !grid_->userToggle(col, row)) emit grid_->lockedCellTyped(col, row);
    event->accept();
    return;
  }
  if (kind == GridCellKind::List &&
      (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)))) {
    openListEditor(current);
    event->accept();
    return;
  }
  forwardingKey_ = true;
  QTableWidget::keyPressEvent(event);
  forwardingKey_ = false;
}

void cGridTable::mousePressEvent(QMouseEvent* event) {
  pressed_ = indexAt(event->position().toPoint());
  QTableWidget::mousePressEvent(event);
}

void cGridTable::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);
  const QPoint pos = event->position().toPoint();
  const QModelIndex index = indexAt(pos);
  const bool click = index.isValid() && index == pressed_ && event->button() == Qt::LeftButton &&
                     !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
  pressed_ = QPersistentModelIndex();
  if (!click) return;
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  const GridCellKind kind = grid_->cellKind(col, row);
  if (kind == GridCellKind::CheckBox && cGridDelegate::checkBoxRect(visualRect(index), this).contains(pos)) {
    grid_->userToggle(col, row);
  } else if (kind == GridCellKind::List && grid_->userMayEdit(col, row)) {
    openListEditor(index);
  }
  emit grid_->cellClicked(col, row);
}

void cGridTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Committing moves on as in a spreadsheet: Enter down, Tab right,
  // Shift+Tab left, without opening the next cell.
  switch (hint) {
    case QAbstractItemDelegate::SubmitModelCache: {
      // A choice made in a drop-down with Enter is the whole action.
      const bool list = qobject_cast<QComboBox*>(editor) != nullptr;
      QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
      if (!list) moveAfterEnter();
      break;
    }
    case QAbstractItemDelegate::EditNextItem:
      QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
      setCurrentIndex(moveCursor(QAbstractItemView::MoveNext, Qt::NoModifier));
      break;
    case QAbstractItemDelegate::EditPreviousItem:
      QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
      setCurrentIndex(moveCursor(QAbstractItemView::MovePrevious, Qt::NoModifier));
      break;
    default:
      QTableWidget::closeEditor(editor, hint);
  }
}

void cGridTable::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableWidget::currentChanged(current, previous);
  if (current.isValid()) {
    grid_->onCurrentChanged(current.column() + 1, current.row() + 1,
                            previous.isValid() ? previous.column() + 1 : 0,
                            previous.isValid() ? previous.row() + 1 : 0);
  }
}

void cGridTable::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QTableWidget::selectionChanged(selected, deselected);
  grid_->onSelectionChanged();
}

void cGridTable::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  // A wider table may no longer need its horizontal scroll bar, which the
  // heights it asks for include.
  if (grid_->stretchRows()) grid_->updateHeight();
}

void cGridTable::paintEvent(QPaintEvent* event) {
  QTableWidget::paintEvent(event);
  const std::vector<cGridBlock> borders = grid_->borders();
  if (borders.empty()) return;
  QPainter painter(viewport());
  for (std::size_t i = 0; i < borders.size(); ++i) {
    const cGridBlock& b = borders[i];
    if (b.row2 > rowCount() || b.col2 > columnCount()) continue;
    const QRect first = visualRect(model()->index(b.row1 - 1, b.col1 - 1));
    const QRect last = visualRect(model()->index(b.row2 - 1, b.col2 - 1));
    painter.setPen(QPen(grid_->borderColors_[i], 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(first.united(last).adjusted(1, 1, -1, -1));
  }
}
