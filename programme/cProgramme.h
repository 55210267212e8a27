#pragma once
// A construction programme: phases that follow and overlap over the weeks,
// each a case of its own, assessed together at the receptors they share.
// The criteria are those of a criteria file the programme names, or else
// those of its first phase; so is the metric beside Lmax.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "programme/cProgrammePhase.h"

class cProgramme {
public:
  std::string description;
  std::string criteriaPath;      // full path (UTF-8); empty: the first phase's criteria
  std::int32_t noiseMetric = 0;  // 1 Leq, 2 L10; 0: the first phase's
  std::vector<cProgrammePhase> phases;

  // The last week of any phase, 0 without phases: the table runs from week 1 to it.
  std::int32_t weekCount() const;

  // The window's edits. Positions are 0-based; a position out of range does
  // nothing and returns false.
  void addPhase(cProgrammePhase phase);
  bool removePhase(std::size_t index);
  // Swaps the phase with its neighbour above (-1) or below (+1).
  bool movePhase(std::size_t index, int direction);
};
