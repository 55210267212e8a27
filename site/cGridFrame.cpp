#include "site/cGridFrame.h"

#include <algorithm>
#include <cmath>

cGridFrame cGridFrame::covering(double xmin, double ymin, double xmax, double ymax, double cell) {
  if (xmax < xmin) std::swap(xmin, xmax);
  if (ymax < ymin) std::swap(ymin, ymax);
  const double width = xmax - xmin, height = ymax - ymin;
  const double longer = std::max(width, height);
  if (!(cell > 0) || !std::isfinite(cell)) cell = longer > 0 ? longer / defaultCellsOnLongerSide : 1.0;
  cGridFrame f;
  f.cell = cell;
  const double cols = std::max(1.0, std::ceil(width / cell - 1e-9));
  const double rows = std::max(1.0, std::ceil(height / cell - 1e-9));
  // A size no grid may take is left empty for the caller to refuse.
  if (!std::isfinite(cols) || !std::isfinite(rows) || cols * rows > static_cast<double>(maxCells)) return f;
  f.columns = static_cast<std::int32_t>(cols);
  f.rows = static_cast<std::int32_t>(rows);
  const double cx = 0.5 * (xmin + xmax), cy = 0.5 * (ymin + ymax);
  f.xmin = cx - 0.5 * cell * f.columns;
  f.ymax = cy + 0.5 * cell * f.rows;
  return f;
}
