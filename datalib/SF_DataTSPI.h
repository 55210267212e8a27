#pragma once
// Reads tracking data (TSPI): after six header lines, one comma-separated
// line per fix with the time of day, a quality value and the X, Y, Z
// coordinates in fields 9 to 11. Fixes of poorer quality than RT20Limit
// (a higher value) are dropped and counted.

#include <cstdint>
#include <memory>
#include <string>

#include "SF_DataMessage.h"
#include "SF_PositionTimeHistory.h"

class SF_DataTSPI {
public:
  // Positions stored under 1, 2, 3, ... in file order. On failure PTH is
  // left as it was.
  SF_DataMessage readFile(const std::string& sFileName, std::shared_ptr<SF_PositionTimeHistory>& PTH);

  std::uint8_t RT20Limit() const { return rt20Limit_; }
  void RT20Limit(std::uint8_t value) { rt20Limit_ = value; }
  // Positions dropped by the last read for their quality.
  std::int32_t nBadPositions() const { return badPositions_; }

private:
  std::uint8_t rt20Limit_ = 1;
  std::int32_t badPositions_ = 0;
};
