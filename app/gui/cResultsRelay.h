#pragma once
// What the study writes to the results sheet, passed on to the sheet and to
// the views drawn from the same results: the chart is emptied with the
// sheet and drawn again once a display is complete, and listeners learn
// that the results changed.

#include <cstdint>
#include <functional>
#include <string>

#include "study/IResultsSheetView.h"

class cResults;
class cResultsChart;

class cResultsRelay : public IResultsSheetView {
public:
  cResultsRelay(cResults& sheet, cResultsChart& chart);

  // Called after every clear and every complete display.
  std::function<void()> resultsChanged;

  void clear() override;
  void setCellText(std::int32_t col, std::int32_t row, const std::string& text) override;
  void displayed() override;

private:
  cResults& sheet_;
  cResultsChart& chart_;
};
