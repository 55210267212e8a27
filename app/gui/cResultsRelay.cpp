#include "app/gui/cResultsRelay.h"

#include "compute/ui/cResultsChart.h"
#include "study/ui/cResults.h"

cResultsRelay::cResultsRelay(cResults& sheet, cResultsChart& chart) : sheet_(sheet), chart_(chart) {}

void cResultsRelay::clear() {
  sheet_.clear();
  chart_.clearSoon();
  if (resultsChanged) resultsChanged();
}

void cResultsRelay::setCellText(std::int32_t col, std::int32_t row, const std::string& text) {
  sheet_.setCellText(col, row, text);
}

void cResultsRelay::displayed() {
  sheet_.displayed();
  chart_.refresh();
  if (resultsChanged) resultsChanged();
}
