#include "vibration/mVibrationTable.h"

#include <array>

namespace {

constexpr std::array<mVibrationTable::Row, 14> kRows{{
    {"Impact pile driver (upper range)", 1.518, 112.0},
    {"Impact pile driver (typical)", 0.644, 104.0},
    {"Sonic pile driver (upper range)", 0.734, 105.0},
    {"Sonic pile driver (typical)", 0.170, 93.0},
    {"Clam shovel drop", 0.202, 94.0},
    {"Hydromill in soil", 0.008, 66.0},
    {"Hydromill in rock", 0.017, 75.0},
    {"Vibratory roller", 0.210, 94.0},
    {"Hoe ram", 0.089, 87.0},
    {"Large bulldozer", 0.089, 87.0},
    {"Caisson drilling", 0.089, 87.0},
    {"Loaded trucks", 0.076, 86.0},
    {"Jackhammer", 0.035, 79.0},
    {"Small bulldozer", 0.003, 58.0},
}};

}  // namespace

namespace mVibrationTable {

std::size_t rowCount() { return kRows.size(); }

const Row& row(std::size_t i) { return kRows.at(i); }

int find(const std::string& name) {
  for (std::size_t i = 0; i < kRows.size(); ++i)
    if (name == kRows[i].name) return static_cast<int>(i);
  return -1;
}

}  // namespace mVibrationTable
