#include "qtplatform/cGridDelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QHelpEvent>
#include <QToolTip>

#include "qtplatform/cGridTable.h"
#include "qtplatform/cSheetGrid.h"
#include "qtplatform/mCodePage.h"
#include "qtplatform/mGridRoles.h"

namespace {

// Set on a drop-down while its list has been shown and no key has reached
// the closed box since; on its list, the box it belongs to.
constexpr const char* kFromList = "vornChoiceFromList";
constexpr const char* kOwnerCombo = "vornOwnerCombo";

GridCellKind kindOf(const QModelIndex& index) {
  return static_cast<GridCellKind>(index.data(mGridRoles::Kind).toInt());
}

}  // namespace

cGridDelegate::cGridDelegate(cSheetGrid* grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

QWidget* cGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  const GridCellKind kind = kindOf(index);
  if (kind == GridCellKind::List) {
    auto* combo = new QComboBox(parent);
    combo->addItems(index.data(mGridRoles::ListItems).toStringList());
    combo->setMaxVisibleItems(20);
    if (index.data(mGridRoles::ListNarrows).toBool()) {
      // Typing narrows the list to the items holding what was typed,
      // anywhere in the name; only an item of the list can be chosen.
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      combo->completer()->setCompletionMode(QCompleter::PopupCompletion);
      combo->completer()->setFilterMode(Qt::MatchContains);
      combo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    }
    combo->setAccessibleName(grid_->accessibleColumnName(index.column() + 1));
    auto* self = const_cast<cGridDelegate*>(this);
    // A choice made in the open list is final at once, as in a spreadsheet's
    // drop-down. One made on the closed box (a typed letter, the arrows) is
    // taken too, and the box stays open for the next key: Enter or Tab ends
    // it, and Enter then leaves the cell where it is.
    combo->view()->window()->installEventFilter(self);
    combo->view()->window()->setProperty(kOwnerCombo, QVariant::fromValue<QObject*>(combo));
    connect(combo, &QComboBox::activated, self, [self, combo](int) {
      emit self->commitData(combo);
      if (combo->property(kFromList).toBool()) emit self->closeEditor(combo);
      combo->setProperty(kFromList, false);
    });
    if (popupNext_) {
      popupNext_ = false;
      QTimer::singleShot(0, combo, [combo] { combo->showPopup(); });
    }
    return combo;
  }
  popupNext_ = false;
  auto* edit = new QLineEdit(parent);
  edit->setFrame(false);
  if (kind == GridCellKind::Number) {
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]*\\.?[0-9]*$"));
    edit->setValidator(new QRegularExpressionValidator(number, edit));
  } else if (kind == GridCellKind::Percent) {
    static const QRegularExpression percent(QStringLiteral("^[+-]?[0-9]*\\.?[0-9]*%?$"));
    edit->setValidator(new QRegularExpressionValidator(percent, edit));
  }
  if (kind != GridCellKind::Text) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return edit;
}

void cGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    combo->setCurrentIndex(index.data(mGridRoles::ListIndex).toInt());
    // What the user types replaces the choice shown.
    if (combo->lineEdit()) combo->lineEdit()->selectAll();
    return;
  }
  auto* edit = qobject_cast<QLineEdit*>(editor);
  if (!edit) return;
  const GridCellKind kind = kindOf(index);
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  if (kind == GridCellKind::Number || kind == GridCellKind::Percent) {
    // The full value, not the rounded one on show, so that leaving the cell
    // without typing changes nothing.
    QString text = QString::fromStdString(grid_->blockText({col, row, col, row}));
    while (text.endsWith('\n') || text.endsWith('\r')) text.chop(1);
    if (text.endsWith('%')) text.chop(1);
    edit->setText(text);
  } else {
    edit->setText(index.data(Qt::DisplayRole).toString());
  }
}

void cGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    if (combo->currentIndex() >= 0) grid_->userChooseListItem(col, row, combo->currentIndex());
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) grid_->userSetText(col, row, edit->text());
}

QRect cGridDelegate::checkBoxRect(const QRect& cell, const QWidget* widget) {
  const QStyle* style = widget ? widget->style() : QApplication::style();
  const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
  const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
  return {cell.x() + (cell.width() - w) / 2, cell.y() + (cell.height() - h) / 2, w, h};
}

void cGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const GridCellKind kind = kindOf(index);
  if (kind != GridCellKind::CheckBox && kind != GridCellKind::List) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem item(option);
  initStyleOption(&item, index);
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  if (kind == GridCellKind::List) {
    const bool showArrow = (option.state & QStyle::State_HasFocus) && !index.data(mGridRoles::Locked).toBool();
    if (showArrow) item.rect.setRight(item.rect.right() - 14);
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    if (showArrow) {
      QStyleOption arrow(option);
      arrow.rect = QRect(option.rect.right() - 13, option.rect.y() + (option.rect.height() - 10) / 2, 10, 10);
      style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, widget);
    }
    return;
  }
  item.text.clear();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
  QStyleOptionButton box;
  box.rect = checkBoxRect(option.rect, widget);
  box.state = QStyle::State_Enabled;
  box.state |= index.data(mGridRoles::Checked).toBool() ? QStyle::State_On : QStyle::State_Off;
  style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
}

bool cGridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                              const QModelIndex& index) {
  if (!event || event->type() != QEvent::ToolTip || !index.isValid())
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  const QString tip = mCodePage::toQString(grid_->toolTipAt(index.column() + 1, index.row() + 1));
  if (tip.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(event->globalPos(), tip, view, view->visualRect(index));
  }
  return true;
}

bool cGridDelegate::eventFilter(QObject* object, QEvent* event) {
  if (const QVariant owner = object->property(kOwnerCombo); owner.isValid()) {
    // A drop-down's list, not an editor.
    if (event->type() == QEvent::Show) {
      if (auto* combo = qobject_cast<QComboBox*>(owner.value<QObject*>())) combo->setProperty(kFromList, true);
    }
    return false;
  }
  if (event->type() == QEvent::KeyPress && qobject_cast<QComboBox*>(object)) object->setProperty(kFromList, false);
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Enter on a part of a name takes the first item holding it, as the
    // narrowed list shows it first.
    auto* combo = qobject_cast<QComboBox*>(object);
    if (combo && combo->lineEdit() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      const QString typed = combo->lineEdit()->text();
      if (!typed.isEmpty() && combo->findText(typed, Qt::MatchFixedString) < 0 && combo->completer() &&
          combo->completer()->completionCount() > 0) {
        const int index = combo->findText(combo->completer()->currentCompletion(), Qt::MatchFixedString);
        if (index >= 0) combo->setCurrentIndex(index);
      } else if (const int index = combo->findText(typed, Qt::MatchFixedString); index >= 0) {
        combo->setCurrentIndex(index);
      }
    }
    const int code = cGridTable::characterCode(key);
    // Inside an editor the editor's own copy and paste serve the user.
    if (code > 0 && code != 3 && code != 22 && !grid_->table_->forwardingKey()) emit grid_->keyTyped(code);
  }
  return QStyledItemDelegate::eventFilter(object, event);
}
