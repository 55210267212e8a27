#pragma once
// The full-size case the benchmarks share: 100 receptors by 20 pieces of
// equipment, every kind of criterion, links with distances and shieldings.

#include <cstdint>
#include <string>

#include "study/cStudy.h"

constexpr int kReceptors = 100;
constexpr int kEquipment = 20;

inline void buildFullSizeCase(cStudy& s, std::int32_t metric, float limit, float maxCompare) {
  s.NoiseMetric = metric;
  const char* types[] = {"Value", "Maximum", "Baseline+", "Conditional", "N/A", "Exempt"};
  for (std::int32_t t = 0; t < 3; ++t)
    for (std::int16_t row = 1; row <= 3; ++row)
      for (std::int16_t col = 1; col <= 6; ++col) {
        auto eq = s.NoiseLimits.getCriteria(t, row, col);
        eq->setValueText(types[(row + col + t) % 6]);
        eq->value = limit;
        eq->maxCompare = maxCompare;
        eq->basePlus = 5;
        eq->condLessThan = 60;
        eq->condThenPlus = 5;
        eq->condElsePlus = 3;
      }
  for (int i = 1; i <= kEquipment; ++i) {
    auto e = s.addEquipment(i);
    e->description = "Equipment " + std::to_string(i);
    e->active = i % 7 != 0;
    e->impactDevice = i % 3 == 0 ? 0 : 1;
    e->usage = static_cast<float>(10 + i * 4);
    e->spec_select = i % 2 == 0;
    e->spec_lmax = static_cast<float>(75 + i);
    e->actual_lmax = static_cast<float>(74 + i);
  }
  for (int i = 1; i <= kReceptors; ++i) {
    auto r = s.addReceptor(i);
    r->description = "Receptor " + std::to_string(i);
    r->setLandUseTxt(i % 3 == 0 ? "Industrial" : i % 3 == 1 ? "Residential" : "Commercial");
    r->dayBase = static_cast<float>(50 + i % 10);
    r->eveBase = static_cast<float>(48 + i % 10);
    r->niteBase = static_cast<float>(44 + i % 10);
  }
  s.updateLinks();
  for (auto& r : s.colReceptors)
    for (auto& l : r->colLinks) {
      l->distance = static_cast<float>(40 + r->rowID * 3 + l->equipID * 7);
      l->sheilding = static_cast<float>(l->equipID % 4);
    }
}
