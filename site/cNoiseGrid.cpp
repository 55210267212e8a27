#include "site/cNoiseGrid.h"

#include <cmath>

void cNoiseGrid::reset(const cGridFrame& f, std::int32_t metricCode) {
  frame = f;
  metric = metricCode;
  lmax.assign(f.cellCount(), noData);
  level.assign(f.cellCount(), noData);
}

bool cNoiseGrid::cellAt(double x, double y, std::int32_t& col, std::int32_t& row) const {
  if (frame.empty()) return false;
  const double c = std::floor((x - frame.xmin) / frame.cell);
  const double r = std::floor((frame.ymax - y) / frame.cell);
  if (!(c >= 0 && c < frame.columns && r >= 0 && r < frame.rows)) return false;
  col = static_cast<std::int32_t>(c);
  row = static_cast<std::int32_t>(r);
  return true;
}
