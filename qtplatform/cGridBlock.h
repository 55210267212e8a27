#pragma once
// A rectangular block of grid cells, 1-based and inclusive. Whole rows are
// blocks that span every column, selected as rows.

struct cGridBlock {
  int col1 = 0;
  int row1 = 0;
  int col2 = 0;
  int row2 = 0;
  bool wholeRows = false;

  bool isEmpty() const { return col1 < 1 || row1 < 1 || col2 < col1 || row2 < row1; }
  int cols() const { return isEmpty() ? 0 : col2 - col1 + 1; }
  int rows() const { return isEmpty() ? 0 : row2 - row1 + 1; }
  bool contains(int col, int row) const { return col >= col1 && col <= col2 && row >= row1 && row <= row2; }
  bool operator==(const cGridBlock&) const = default;
};
