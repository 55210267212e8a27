#pragma once
// The results sheet as the study fills it: static text cells, column 1 the
// equipment, columns 2..15 the values; row 1 the totals, rows 2.. equipment.

#include <cstdint>
#include <string>

class IResultsSheetView {
public:
  virtual ~IResultsSheetView() = default;
  // Empties the values, keeping layout and colours.
  virtual void clear() = 0;
  virtual void setCellText(std::int32_t col, std::int32_t row, const std::string& text) = 0;
  // Every cell of the selected receptor's results has been written, so views
  // drawn from the same results (a chart) can follow.
  virtual void displayed() {}
};
