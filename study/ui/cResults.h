#pragma once
// The results sheet of the main window: for the selected receptor, each
// piece of equipment and the totals with the calculated levels, the day,
// evening and night limits and their exceedances. Display only; the study
// fills it (displayResults).

#include <cstdint>
#include <string>

#include <QPointer>

#include "qtplatform/cSheetGrid.h"
#include "study/IResultsSheetView.h"

class QWidget;
class cSheetGrid;
class cStudy;

class cResults : public IResultsSheetView {
public:
  explicit cResults(cStudy& study, QWidget* parent = nullptr);
  ~cResults() override;
  cResults(const cResults&) = delete;
  cResults& operator=(const cResults&) = delete;

  cSheetGrid* grid() const { return grid_; }
  // The main window's gSoftwareButton, raised while display() writes; may be null.
  void setSoftwareButtonFlag(bool* flag) { softwareButton_ = flag; }

  // Builds the layout (15 columns, three heading rows, the yellow totals
  // row and 20 equipment rows), labels the metric L10 and shows 6 rows.
  void initialize();
  // Labels the metric columns: 1 Leq, 2 L10 (the study's NoiseMetric).
  void metricLable(int metric);
  void height(int rows);
  // The sheet as wide as its 15 columns.
  void fitWidth();
  // Leaves no cell selected and paints the totals row again.
  void clearSelection();
  // The study's results for the selected receptor (displayResults).
  void display();
  // Edit > Copy on this sheet: the selected cells (every filled row when
  // none is selected) as tab-separated text and, beside it, as an HTML table
  // headed by each column's headings. False when there is nothing to copy.
  bool copyTable() const;

  // IResultsSheetView
  void clear() override;
  // A write past the last row grows the sheet, so no equipment is hidden.
  void setCellText(std::int32_t col, std::int32_t row, const std::string& text) override;

private:
  void layoutRows(int firstRow, int lastRow);
  void paintTotalsRow();

  cStudy& study_;
  QPointer<cSheetGrid> grid_;
  bool* softwareButton_ = nullptr;
};
