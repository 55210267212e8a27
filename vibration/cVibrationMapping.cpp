#include "vibration/cVibrationMapping.h"

#include <algorithm>

#include "vibration/mVibrationTable.h"

namespace {

struct Default {
  const char* description;
  const char* row;
};

// The shipped equipment list's vibration sources. Impact and vibratory pile
// drivers take the upper range: a screening should not start optimistic.
constexpr Default kDefaults[] = {
    {"Pile Driver, Impact (Diesel)", "Impact pile driver (upper range)"},
    {"Pile Driver, Vibratory", "Sonic pile driver (upper range)"},
    {"Clamshell Bucket, Dropping", "Clam shovel drop"},
    {"Diaphragm Wall Hydromill", "Hydromill in soil"},
    {"Roller, Vibratory", "Vibratory roller"},
    {"Hoe Ram (Hydraulic Breaker)", "Hoe ram"},
    {"Bulldozer, Large", "Large bulldozer"},
    {"Auger Drill Rig", "Caisson drilling"},
    {"Dump Truck", "Loaded trucks"},
    {"Articulated Dump Truck", "Loaded trucks"},
    {"Concrete Mixer Truck", "Loaded trucks"},
    {"Tractor-Trailer Truck", "Loaded trucks"},
    {"Water Truck", "Loaded trucks"},
    {"Jackhammer", "Jackhammer"},
    {"Bulldozer, Small", "Small bulldozer"},
};

std::vector<cVibrationMapping::Entry> buildDefaults() {
  std::vector<cVibrationMapping::Entry> out;
  for (const auto& d : kDefaults) out.push_back({d.description, mVibrationTable::find(d.row)});
  return out;
}

}  // namespace

std::string cVibrationMapping::key(const std::string& description) {
  const auto first = description.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = description.find_last_not_of(" \t");
  std::string k = description.substr(first, last - first + 1);
  std::transform(k.begin(), k.end(), k.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
  return k;
}

const std::vector<cVibrationMapping::Entry>& cVibrationMapping::defaultEntries() {
  static const std::vector<Entry> entries = buildDefaults();
  return entries;
}

int cVibrationMapping::defaultRowFor(const std::string& description) {
  const std::string k = key(description);
  for (const auto& e : defaultEntries())
    if (key(e.description) == k) return e.row;
  return noSource;
}

int cVibrationMapping::rowFor(const std::string& description) const {
  const std::string k = key(description);
  for (const auto& e : user_)
    if (key(e.description) == k) return e.row;
  return defaultRowFor(description);
}

void cVibrationMapping::set(const std::string& description, int row) {
  const std::string k = key(description);
  if (k.empty()) return;
  if (row < noSource || row >= static_cast<int>(mVibrationTable::rowCount())) return;
  std::erase_if(user_, [&k](const Entry& e) { return key(e.description) == k; });
  if (row != defaultRowFor(description)) user_.push_back({description, row});
}
