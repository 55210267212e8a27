// A construction programme at full size: 26 weeks by three periods, 1,000
// receptors shared by 10 phases of 20 pieces of equipment each, every piece
// linked to every receptor. The computation reads each link once, then
// combines the energies of the phases working week by week.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "programme/cPhaseCases.h"
#include "programme/cProgramme.h"
#include "programme/mProgrammeCompute.h"
#include "programme/mProgrammeReport.h"
#include "study/cStudy.h"

namespace {

constexpr int kWeeks = 26;
constexpr int kPhases = 10;
constexpr int kPieces = 20;
constexpr int kProgrammeReceptors = 1000;

void setCriteria(cStudy& s) {
  const char* types[] = {"Value", "Maximum", "Baseline+", "Conditional", "N/A", "Exempt"};
  for (std::int32_t t = 0; t < 3; ++t)
    for (std::int16_t row = 1; row <= 3; ++row)
      for (std::int16_t col = 1; col <= 6; ++col) {
        auto eq = s.NoiseLimits.getCriteria(t, row, col);
        eq->setValueText(types[(row + col + t) % 6]);
        eq->value = 70;
        eq->maxCompare = 65;
        eq->basePlus = 5;
        eq->condLessThan = 60;
        eq->condThenPlus = 5;
        eq->condElsePlus = 3;
      }
}

std::unique_ptr<cStudy> phaseCase(int phase) {
  auto s = std::make_unique<cStudy>();
  s->NoiseMetric = 1;
  setCriteria(*s);
  for (int i = 1; i <= kPieces; ++i) {
    auto e = s->addEquipment(i);
    e->description = "Phase " + std::to_string(phase) + " piece " + std::to_string(i);
    e->active = i % 7 != 0;
    e->impactDevice = (i + phase) % 4 == 0 ? 0 : 1;
    e->usage = static_cast<float>(10 + i * 4);
    e->spec_select = true;
    e->spec_lmax = static_cast<float>(75 + (i + phase) % 15);
  }
  for (int i = 1; i <= kProgrammeReceptors; ++i) {
    auto r = s->addReceptor(i);
    r->description = "Receptor " + std::to_string(i);
    r->setLandUseTxt(i % 3 == 0 ? "Industrial" : i % 3 == 1 ? "Residential" : "Commercial");
    r->dayBase = static_cast<float>(50 + i % 10);
    r->eveBase = static_cast<float>(48 + i % 10);
    r->niteBase = static_cast<float>(44 + i % 10);
  }
  s->updateLinks();
  for (auto& r : s->colReceptors)
    for (auto& l : r->colLinks) {
      l->distance = static_cast<float>(40 + (r->rowID * 7 + phase * 13) % 400 + l->equipID * 5);
      l->sheilding = static_cast<float>((l->equipID + phase) % 4);
    }
  return s;
}

// Phases of five to eight weeks, one after another with overlaps, by day,
// some also by evening, every fourth by night only.
cProgramme programme() {
  cProgramme p;
  p.description = "Full-size programme";
  for (int k = 0; k < kPhases; ++k) {
    cProgrammePhase phase;
    phase.name = "Phase " + std::to_string(k + 1);
    phase.firstWeek = 1 + (k * (kWeeks - 6)) / (kPhases - 1);
    phase.lastWeek = std::min(kWeeks, phase.firstWeek + 4 + k % 4);
    phase.periods[0] = k % 4 != 3;
    phase.periods[1] = k % 2 == 0;
    phase.periods[2] = k % 4 == 3;
    p.addPhase(phase);
  }
  return p;
}

struct Programme {
  cProgramme programme = ::programme();
  cPhaseCases cases;
  Programme() {
    std::vector<std::unique_ptr<cStudy>> studies;
    for (int k = 0; k < kPhases; ++k) studies.push_back(phaseCase(k + 1));
    cases.setPhases(programme, std::move(studies));
  }
};

void BM_ProgrammeCompute(benchmark::State& state) {
  Programme p;
  for (auto _ : state) {
    auto results = mProgrammeCompute::compute(p.programme, p.cases);
    benchmark::DoNotOptimize(results.cells.data());
  }
  state.SetItemsProcessed(state.iterations() * kProgrammeReceptors * kWeeks * 3);  // receptor-week-periods
}
BENCHMARK(BM_ProgrammeCompute)->Unit(benchmark::kMillisecond);

void BM_ProgrammeCommaTable(benchmark::State& state) {
  Programme p;
  const auto results = mProgrammeCompute::compute(p.programme, p.cases);
  for (auto _ : state) {
    auto lines = mProgrammeReport::tableLines(p.programme, results, true);
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_ProgrammeCommaTable)->Unit(benchmark::kMillisecond);

void BM_ProgrammeWorstWeeks(benchmark::State& state) {
  Programme p;
  const auto results = mProgrammeCompute::compute(p.programme, p.cases);
  for (auto _ : state) {
    auto lines = mProgrammeReport::worstLines(p.programme, results, true);
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_ProgrammeWorstWeeks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
