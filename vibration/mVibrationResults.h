#pragma once
// The vibration at one receptor: for each active piece of equipment that is
// a vibration source, its PPV and Lv at the link's distance, the receptor's
// limits, the exceedances and the minimum working distances, and the worst
// piece; with the texts the tab and the batch tool show for them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vibration/cVibrationSettings.h"

class cReceptorRecord;
class cStudy;

namespace mVibrationResults {

struct Piece {
  std::int32_t equipID = 0;
  std::string description;
  int row = 0;            // reference table row
  float distance = 0.0f;  // as the link holds it, in the case's units
  // Nothing when the distance is not above 0 (not entered yet).
  std::optional<double> ppv, lv;
  std::optional<double> ppvExceedance, lvExceedance;
  double minDistancePPV = 0.0, minDistanceLv = 0.0;  // in the case's units
};

struct Receptor {
  std::int32_t receptorID = 0;
  cVibrationSettings::Criteria criteria;
  std::vector<Piece> pieces;
  // Indexes into pieces of the highest PPV and Lv; nothing without levels.
  std::optional<std::size_t> worstPPV, worstLv;
};

// Pieces in the order of the equipment, active ones with a link and a row.
Receptor compute(const cStudy& study, const cVibrationSettings& settings, const cReceptorRecord& receptor);

// in/s "0.000"; VdB and distances "0.0"; a value that is not there, empty.
std::string ppvText(const std::optional<double>& v);
std::string levelText(const std::optional<double>& v);
// A piece's exceedances: "None" where not exceeded, empty without levels.
std::string ppvExceedanceText(const Piece& p);
std::string lvExceedanceText(const Piece& p);
// "feet" or "meters".
std::string unitsName(std::int32_t units);

}  // namespace mVibrationResults
