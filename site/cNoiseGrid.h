#pragma once
// The levels of a noise map: Lmax (the loudest piece) and the case's metric
// (Leq, or L10 with the L10 adjustment) in every cell, row by row from the
// north, as 32-bit floats. A grid without any piece taking part holds
// noData in every cell.

#include <cstdint>
#include <limits>
#include <vector>

#include "site/cGridFrame.h"

class cNoiseGrid {
public:
  static constexpr float noData = -9999.0f;

  cGridFrame frame;
  std::int32_t metric = 1;  // the metric layer's: 1 Leq, 2 L10
  std::vector<float> lmax;
  std::vector<float> level;  // the metric's

  // Both layers sized for frame, every cell noData.
  void reset(const cGridFrame& f, std::int32_t metricCode);
  // The layer of a metric code (0 Lmax, otherwise the metric layer).
  const std::vector<float>& layer(std::int32_t metricCode) const { return metricCode == 0 ? lmax : level; }
  // The cell holding (x, y), or false outside the grid.
  bool cellAt(double x, double y, std::int32_t& col, std::int32_t& row) const;
  float at(const std::vector<float>& values, std::int32_t col, std::int32_t row) const {
    return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(frame.columns) +
                  static_cast<std::size_t>(col)];
  }
};
