#pragma once
// Where the cells of a noise map lie: a north-up rectangle of columns x rows
// square cells. Row 0 is the northern (top) row, as a raster file stores it;
// the centre of cell (col, row) is (xmin + (col + 0.5) cell, ymax - (row + 0.5) cell).

#include <cstddef>
#include <cstdint>

struct cGridFrame {
  double xmin = 0, ymax = 0;
  double cell = 1;
  std::int32_t columns = 0, rows = 0;

  double xmax() const { return xmin + cell * columns; }
  double ymin() const { return ymax - cell * rows; }
  double centreX(std::int32_t col) const { return xmin + (col + 0.5) * cell; }
  double centreY(std::int32_t row) const { return ymax - (row + 0.5) * cell; }
  std::size_t cellCount() const { return static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows); }
  bool empty() const { return columns <= 0 || rows <= 0; }

  // The cells over a rectangle at the given cell size: the rectangle grows
  // to whole cells around its centre. A cell size of 0 or less takes the
  // longer side over defaultCellsOnLongerSide cells.
  static cGridFrame covering(double xmin, double ymin, double xmax, double ymax, double cell);
  static constexpr std::int32_t defaultCellsOnLongerSide = 500;
  // Grids beyond this many cells are refused (about 64 million: a quarter of
  // a gigabyte per layer).
  static constexpr std::size_t maxCells = std::size_t{1} << 26;
};
