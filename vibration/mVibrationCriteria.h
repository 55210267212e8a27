#pragma once
// The limits a receptor's vibration is judged by: a building category for
// damage (a PPV limit in in/s) and an annoyance limit in VdB.
//
// The annoyance limit follows the receptor's land use unless the user sets
// one: Residential 72 VdB (residences by day); Commercial and Industrial
// 75 VdB, the institutional value, since neither use is named by the
// guidance and the less stringent of its two daytime values fits buildings
// used by day. The building category starts at non-engineered timber and
// masonry, the class of most houses and the stricter of the two ordinary
// classes, so an unreviewed receptor is not judged leniently.

#include <cstddef>
#include <cstdint>

namespace mVibrationCriteria {

struct BuildingCategory {
  const char* name;
  double ppvLimit;  // in/s
};

inline constexpr std::size_t categoryCount = 4;
// Categories 1 to 4, from the most robust to the most fragile.
const BuildingCategory& category(std::int32_t code);
bool isCategory(std::int32_t code);
inline constexpr std::int32_t defaultCategory = 3;

inline constexpr double residentialLimit = 72.0;
inline constexpr double institutionalLimit = 75.0;
// The annoyance limit for a land use code (0 Residential, 1 Commercial,
// 2 Industrial; any other code reads as Residential, as landUse starts).
double defaultAnnoyanceLimit(std::int32_t landUse);

}  // namespace mVibrationCriteria
