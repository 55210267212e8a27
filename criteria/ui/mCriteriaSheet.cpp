#include "criteria/ui/mCriteriaSheet.h"

#include <QFont>

#include "qtplatform/cSheetGrid.h"
#include "qtplatform/mCodePage.h"

namespace mCriteriaSheet {

void layOut(cSheetGrid& sheet, const std::string& accessibleName) {
  sheet.setFont(QFont(QStringLiteral("Arial"), 9));
  sheet.setSize(cols, rows);
  sheet.setHeadingRows(2);
  const char* periods[] = {"Day", "Evening", "Night"};
  for (int p = 0; p < 3; ++p) {
    sheet.setColumnHeading(2 * p + 1, periods[p], 1);
    sheet.spanColumnHeading(1, 2 * p + 1, 2);
  }
  for (int col = 1; col <= cols; ++col) {
    sheet.setColumnHeading(col, col % 2 == 1 ? "Impact" : "Non-Impact", 2);
    sheet.setColumnWidth(col, 10);
  }
  const char* uses[] = {"Residential", "Commercial", "Industrial"};
  for (int row = 1; row <= rows; ++row) sheet.setRowHeading(row, uses[row - 1]);
  sheet.setLocked(1, 1, cols, rows, true);
  sheet.setAlignment(1, 1, cols, rows, Qt::AlignCenter);
  sheet.setVisibleRows(rows);
  sheet.fitWidthToColumns();
  sheet.setAccessibleName(mCodePage::toQString(accessibleName));
}

void setTip(cSheetGrid& sheet, int col, int row, const std::string& equationText) {
  std::string tip;
  tip.reserve(equationText.size());
  for (std::size_t i = 0; i < equationText.size(); ++i) {
    if (equationText[i] == '\r' && i + 1 < equationText.size() && equationText[i + 1] == '\n') continue;
    tip += equationText[i];
  }
  sheet.setCellToolTip(col, row, tip);
}

}  // namespace mCriteriaSheet
