#pragma once
// Shielding between a piece of equipment and the cells of a noise map, for
// the grid's computation. The grid asks first, for a whole rectangle of
// cells, whether any line from the piece into it may be shielded, so that
// unshielded cells (most of them) keep the fast arithmetic; it asks for the
// attenuation only where the answer is yes. Both are called from several
// threads at once and must not change the object.

#include <cstddef>

class IGridShielding {
public:
  virtual ~IGridShielding() = default;
  // False only when no line from the piece to a point of the rectangle
  // (bounds included) can be shielded.
  virtual bool mayShield(std::size_t piece, double xmin, double ymin, double xmax, double ymax) const = 0;
  // The attenuation in dB from the piece to a receiver at (x, y, height).
  virtual double attenuation(std::size_t piece, double x, double y, double height) const = 0;
};
