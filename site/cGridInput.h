#pragma once
// What the noise map is computed from, as plain numbers: every piece of
// equipment that takes part (active, placed, with a level and a usage), the
// case's units and L10 adjustment, and the height of the receiver above
// ground. Positions and heights are in the case's units.

#include <cstdint>
#include <vector>

struct sGridPiece {
  double x = 0, y = 0, height = 0;
  float lref = 0;   // Lmax at the reference distance of 50 feet, dBA
  float usage = 0;  // percent of the time in use
};

class cGridInput {
public:
  std::vector<sGridPiece> pieces;
  std::int32_t units = 0;         // 0 feet, otherwise meters
  float adjustmentFactor = 3.0f;  // the L10 adjustment, dB
  double receiverHeight = 5.0;    // above ground, in the case's units

  // The default receiver height: 5 ft, or 1.5 m.
  static double defaultReceiverHeight(std::int32_t units) { return units == 0 ? 5.0 : 1.5; }
  // The shortest distance a level is computed for: 1 ft, or 0.3 m. A cell
  // nearer to a piece than that (one at the piece's own position) takes the
  // level at this distance.
  static double minimumDistance(std::int32_t units) { return units == 0 ? 1.0 : 0.3; }
};
