#include "vibration/mVibrationCriteria.h"

#include <array>

namespace {

constexpr std::array<mVibrationCriteria::BuildingCategory, mVibrationCriteria::categoryCount> kCategories{{
    {"Reinforced concrete, steel or timber", 0.5},
    {"Engineered concrete and masonry", 0.3},
    {"Non-engineered timber and masonry", 0.2},
    {"Extremely susceptible to damage", 0.12},
}};

}  // namespace

namespace mVibrationCriteria {

bool isCategory(std::int32_t code) { return code >= 1 && code <= static_cast<std::int32_t>(categoryCount); }

const BuildingCategory& category(std::int32_t code) {
  return kCategories[static_cast<std::size_t>(isCategory(code) ? code : defaultCategory) - 1];
}

double defaultAnnoyanceLimit(std::int32_t landUse) {
  return landUse == 1 || landUse == 2 ? institutionalLimit : residentialLimit;
}

}  // namespace mVibrationCriteria
