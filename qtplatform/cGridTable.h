#pragma once
// The table inside a cSheetGrid: spreadsheet keys and clicks (Enter and the
// arrows move, Tab moves right, typing over a cell edits it, a drop-down
// opens on click or F4, the space bar toggles a check box, Delete clears),
// and the borders drawn around ranges of cells.

#include <QPersistentModelIndex>
#include <QTableWidget>

class QKeyEvent;
class cGridDelegate;
class cSheetGrid;

class cGridTable : public QTableWidget {
public:
  explicit cGridTable(cSheetGrid* grid);

  // The character code of a key as typed (Ctrl+letter gives 1 to 26), or 0
  // for a key that types no character.
  static int characterCode(const QKeyEvent* event);

  cGridDelegate* gridDelegate() const { return delegate_; }
  cSheetGrid* grid() const { return grid_; }
  // A check box toggled as the user toggles it (for assistive technology).
  bool toggleAsUser(int col, int row);
  void relayout() { updateGeometries(); }
  void openListEditor(const QModelIndex& index);
  // True while a key that opened an editor is handed on to it.
  bool forwardingKey() const { return forwardingKey_; }
  // Commits and closes an open editor where it is; false when none is open.
  bool commitOpenEditor();
  // A stretching sheet asks for the height of its visible rows.
  QSize sizeHint() const override;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void moveCurrent(int rowStep, int colStep);
  void moveAfterEnter();

  cSheetGrid* grid_;
  cGridDelegate* delegate_;
  QPersistentModelIndex pressed_;
  bool forwardingKey_ = false;
};
