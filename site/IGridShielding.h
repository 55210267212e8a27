#pragma once
// Shielding between a piece of equipment and the cells of a noise map, for
// the grid's computation. The grid asks first, for a whole rectangle of
// cells, what may shield any line from the piece into it, so that
// unshielded cells (most of them) keep the fast arithmetic and shielded
// ones look only at the obstacles that can matter there. Both are called
// from several threads at once and must not change the object.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "site/cGridFrame.h"

class IGridShielding {
public:
  // What may shield the lines from one piece into one rectangle.
  class cTile {
  public:
    virtual ~cTile() = default;
    // The attenuation in dB from the piece to a receiver at (x, y, height)
    // inside the rectangle.
    virtual double attenuation(double x, double y, double height) const = 0;
    // What the piece's energy is multiplied by at the centres of cells
    // [firstColumn, lastColumn) of one row of the frame, receivers at the
    // given height: mBarrierFactor::energyFactor of each cell's attenuation,
    // which is what this does by default. A tile may work it out faster, to
    // the same bits.
    virtual void factors(const cGridFrame& frame, std::int32_t row, std::int32_t firstColumn, std::int32_t lastColumn,
                         double height, float* out) const;
  };

  virtual ~IGridShielding() = default;
  // Null only when nothing can shield a line from the piece to any point of
  // the rectangle (bounds included).
  virtual std::unique_ptr<cTile> tile(std::size_t piece, double xmin, double ymin, double xmax,
                                      double ymax) const = 0;
  // The attenuation to one receiver anywhere.
  virtual double attenuation(std::size_t piece, double x, double y, double height) const = 0;
};
