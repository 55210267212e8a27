#pragma once
// The exceedance map: the noise map as level minus the limit the case's
// criteria give for one land use, period and kind of equipment. A
// criterion built on the baseline (Maximum, Baseline+, Conditional) takes
// the baseline the user types for the map; a fixed value needs none.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class cStudy;

namespace mExceedanceMap {

struct sChoice {
  std::int32_t metric = 0;      // 0 Lmax, 1 Leq, 2 L10
  std::int32_t landUse = 0;     // 0 Residential, 1 Commercial, 2 Industrial
  std::int32_t period = 0;      // 0 daytime, 1 evening, 2 nighttime
  std::int32_t impactType = 1;  // 0 impact devices, 1 other equipment
  std::optional<float> baseline;  // dBA, for criteria built on the baseline
};

struct sLimit {
  bool usable = false;  // a level to compare with
  float limit = 0;
  // Why there is no map when not usable, as a sentence for the user.
  std::string problem;
};

// Whether the criterion of the choice is built on the baseline.
bool needsBaseline(const cStudy& study, const sChoice& choice);
// The limit of the choice, from the case's criteria as they stand.
sLimit limitFor(const cStudy& study, const sChoice& choice);
// Each level minus the limit (noData stays noData), in the precision a
// receptor's exceedance is worked out in.
std::vector<float> exceedance(const std::vector<float>& levels, float limit);

// "Lmax over the Residential daytime limit for non-impact equipment (65 dBA)".
std::string describe(const sChoice& choice, float limit);

// Parses "LANDUSE,PERIOD" for the batch tool: a land use (Residential,
// Commercial, Industrial) and a period (day, evening, night), in any case,
// optionally ",impact" and ",baseline=55". False on anything else.
bool parseChoice(const std::string& text, sChoice& choice);

}  // namespace mExceedanceMap
