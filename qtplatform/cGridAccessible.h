#pragma once
// What assistive technology (a screen reader, an accessibility-based test
// tool) reads of a sheet: a table named by the sheet's caption, column
// headings named by their visible text, and cells that say what they hold,
// whether a check box is checked, and whether the user may change them.
//
// Children are numbered as the item views number them in their focus
// events: the heading row first (with the corner when row headings show),
// then each row, led by its row heading.

#include <map>
#include <utility>

#include <QAccessibleWidget>

class cGridTable;
class cSheetGrid;

class cGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
  explicit cGridAccessible(cGridTable* table);
  ~cGridAccessible() override;

  // Installed once by the first sheet; gives every sheet's table this interface.
  static QAccessibleInterface* factory(const QString& key, QObject* object);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override;
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override;
  int selectedRowCount() const override;
  int columnCount() const override;
  int rowCount() const override;
  QList<int> selectedColumns() const override;
  QList<int> selectedRows() const override;
  bool isColumnSelected(int column) const override;
  bool isRowSelected(int row) const override;
  bool selectRow(int row) override;
  bool selectColumn(int column) override;
  bool unselectRow(int row) override;
  bool unselectColumn(int column) override;
  void modelChange(QAccessibleTableModelChangeEvent* event) override;

  cGridTable* gridTable() const;
  cSheetGrid* grid() const;
  // Row -1 is the heading row, column -1 the row headings (0-based data).
  QAccessibleInterface* cellInterface(int row, int column) const;
  // A column's headings, every heading row over it, joined: "Spec Lmax (dBA)",
  // "Noise Limits (dBA), Day, Lmax".
  QString columnHeading(int column) const;

private:
  int headingRows() const;
  int headingCols() const;
  void forgetCells();

  mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};
