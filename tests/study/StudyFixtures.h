#pragma once
// Small studies for tests: valid receptors and equipment, every pair linked,
// and criteria set to fixed values.

#include <string>

#include "criteria/cNoiseLimits.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

inline std::shared_ptr<cReceptorRecord> addValidReceptor(cStudy& s, const std::string& description,
                                                         float day = 55, float eve = 50, float nite = 45) {
  auto r = s.addReceptor(static_cast<std::int32_t>(s.colReceptors.size() + 1));
  r->description = description;
  r->setLandUseTxt("Residential");
  r->dayBase = day;
  r->eveBase = eve;
  r->niteBase = nite;
  return r;
}

inline std::shared_ptr<cEquipmentRecord> addValidEquipment(cStudy& s, const std::string& description,
                                                           float specLmax = 85, float usage = 40,
                                                           std::int32_t impactDevice = 1) {
  auto e = s.addEquipment(static_cast<std::int32_t>(s.colEquipment.size() + 1));
  e->description = description;
  e->active = true;
  e->impactDevice = impactDevice;
  e->usage = usage;
  e->spec_select = true;
  e->spec_lmax = specLmax;
  e->actual_lmax = valueNA;
  return e;
}

// Every criterion of the three metric tables: a fixed value.
inline void setAllCriteriaValue(cStudy& s, float value) {
  for (std::int32_t code = 0; code < 3; ++code)
    for (std::int16_t row = 1; row <= 3; ++row)
      for (std::int16_t col = 1; col <= 6; ++col) {
        auto eq = s.NoiseLimits.getCriteria(code, row, col);
        eq->setValueText("Value");
        eq->value = value;
      }
}

// Links every pair at the given distance.
inline void linkAll(cStudy& s, float distance) {
  s.updateLinks();
  for (auto& r : s.colReceptors)
    for (auto& l : r->colLinks) l->distance = distance;
}
