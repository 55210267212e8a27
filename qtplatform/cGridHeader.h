#pragma once
// The column headings of a sheet: several rows of heading cells above the
// data, each cell with one or more lines of text, and cells that span
// neighbouring columns.

#include <map>
#include <vector>

#include <QHeaderView>
#include <QString>

class cGridHeader : public QHeaderView {
public:
  explicit cGridHeader(QWidget* parent = nullptr);

  void setRowCount(int rows);
  int rowCount() const { return static_cast<int>(texts_.size()); }
  void setColumnCount(int cols);
  // Rows and columns 0-based here.
  void setText(int row, int col, const QString& text);
  QString text(int row, int col) const;
  void setSpan(int row, int col, int count);
  // How many columns the cell starting at col covers (1 when not spanned).
  int spanAt(int row, int col) const;

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  static constexpr int textMargin = 2;
  static constexpr int textFlags = Qt::AlignCenter | Qt::TextWordWrap;
  int rowHeight(int row) const;
  int spanWidth(int col, int span) const;

  int cols_ = 0;
  std::vector<std::vector<QString>> texts_;
  std::vector<std::map<int, int>> spans_;
};
