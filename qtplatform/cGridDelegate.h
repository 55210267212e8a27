#pragma once
// Draws and edits the cells of a cSheetGrid by their kind: a line editor for
// text, numbers and percentages, a drop-down for lists, a centred box for
// check boxes. What the user commits goes back to the grid as a user edit.

#include <QStyledItemDelegate>

class cSheetGrid;

class cGridDelegate : public QStyledItemDelegate {
public:
  cGridDelegate(cSheetGrid* grid, QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // The cell's tip, or its whole text when the column clips it.
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

  // The next list editor opens with its item list shown.
  void openListPopupNext(bool open) { popupNext_ = open; }
  // Where a check box cell draws its box.
  static QRect checkBoxRect(const QRect& cell, const QWidget* widget);

protected:
  bool eventFilter(QObject* object, QEvent* event) override;

private:
  cSheetGrid* grid_;
  mutable bool popupNext_ = false;
};
