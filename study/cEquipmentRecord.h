#pragma once
// One piece of equipment of the study, or one entry of the equipment list.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "site/cSitePosition.h"

class cEquipmentRecord {
public:
  std::int16_t rowID = 0;  // 1-based number in the collection and sheet row
  bool active = false;
  std::int16_t numUnits = 0;
  std::string description;
  std::int32_t impactDevice = 0;  // 0 = impact device, 1 = not
  float usage = 0.0f;             // percent, 0 to 100
  bool spec_select = false;       // true: spec_lmax is used, false: actual_lmax
  float spec_lmax = 0.0f;         // dBA at 50 feet, or valueNA
  float actual_lmax = 0.0f;       // dBA at 50 feet, or valueNA
  std::optional<cSitePosition> position;  // on the site plan; none: typed distances

  std::shared_ptr<cEquipmentRecord> copy() const;

  // The blank row of the equipment-list editor: description " ", not an
  // impact device, both Lmax values "N/A".
  static std::shared_ptr<cEquipmentRecord> newRecord();
};
