#pragma once
// What the dialog tests share: a study that computes (two receptors, two
// active pieces of equipment at set distances, every criterion set), its
// scripted message service, and the directory of the shipped default files.

#include <string>
#include <vector>

#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"
#include "tests/app/QtTestSupport.h"

inline std::string shippedDir() { return std::string(VORN_BIN_DIR) + "/"; }

// Criteria of every kind in the Lmax, Leq and L10 tables, so that the case
// computes and the three tables can be told apart.
inline void setTestCriteria(cStudy& study) {
  for (std::int32_t table = 0; table <= 2; ++table) {
    for (std::int16_t row = 1; row <= 3; ++row) {
      for (std::int16_t col = 1; col <= 6; ++col) {
        auto eq = study.NoiseLimits.getCriteria(table, row, col);
        eq->setValueText("Value");
        eq->value = static_cast<float>(50 + 10 * table + row);
      }
    }
  }
  auto plus = study.NoiseLimits.getCriteria(0, 1, 2);
  plus->setValueText("Baseline+");
  plus->basePlus = 5.0f;
  study.NoiseLimits.getCriteria(2, 3, 6)->setValueText("Exempt");
}

inline void buildTestCase(cStudy& study) {
  study.NoiseMetric = 2;
  study.caseDescription = "Pier 4, night work";
  const char* receptors[] = {"Harbor Apartments", "Dock Office"};
  const float bases[][3] = {{62.5f, 58.0f, 51.2f}, {66.0f, 64.0f, 60.0f}};
  for (int i = 0; i < 2; ++i) {
    auto r = study.addReceptor(i + 1);
    r->description = receptors[i];
    r->setLandUseTxt(i == 0 ? "Residential" : "Commercial");
    r->dayBase = bases[i][0];
    r->eveBase = bases[i][1];
    r->niteBase = bases[i][2];
  }
  struct Piece {
    const char* description;
    std::int32_t impact;
    float usage, spec, actual;
    bool specSelect;
  };
  const Piece pieces[] = {{"Backhoe", 1, 40.0f, 80.0f, 77.6f, false}, {"Impact Pile Driver", 0, 20.0f, 95.0f, valueNA, true}};
  for (int i = 0; i < 2; ++i) {
    auto e = study.addEquipment(i + 1);
    e->active = true;
    e->numUnits = 1;
    e->description = pieces[i].description;
    e->impactDevice = pieces[i].impact;
    e->usage = pieces[i].usage;
    e->spec_lmax = pieces[i].spec;
    e->actual_lmax = pieces[i].actual;
    e->spec_select = pieces[i].specSelect;
  }
  study.updateLinks();
  const float distances[][2] = {{100.0f, 250.0f}, {75.5f, 400.0f}};
  for (int r = 0; r < 2; ++r)
    for (int e = 0; e < 2; ++e) {
      study.colReceptors[r]->colLinks[e]->distance = distances[r][e];
      study.colReceptors[r]->colLinks[e]->sheilding = r == 1 && e == 0 ? 5.0f : 0.0f;
    }
  setTestCriteria(study);
  study.setReceptorID(1);
}

inline std::vector<std::string> messageTexts(const cScriptedMessageService& messages) {
  std::vector<std::string> out;
  for (const auto& m : messages.messages()) out.push_back(m.text);
  return out;
}
