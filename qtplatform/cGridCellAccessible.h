#pragma once
// One cell of a sheet as assistive technology reads it: a data cell (its
// text; a check box named "<heading>, row <n>" and checkable; a locked cell
// read-only), a column heading or a row heading. Made by cGridAccessible.

#include <QAccessibleInterface>
#include <QPointer>

class cGridTable;
class cGridAccessible;

class cGridCellAccessible : public QAccessibleInterface,
                            public QAccessibleTableCellInterface,
                            public QAccessibleActionInterface {
public:
  // row -1: a column heading; column -1: a row heading (0-based otherwise).
  cGridCellAccessible(cGridTable* table, int row, int column);

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  bool isSelected() const override;
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override;
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override;

  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& actionName) const override;

private:
  bool isData() const { return row_ >= 0 && column_ >= 0; }
  bool isCheckBox() const;
  cGridAccessible* tableInterface() const;

  QPointer<cGridTable> table_;
  int row_;
  int column_;
};
