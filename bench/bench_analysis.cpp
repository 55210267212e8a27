// The analyses at the sheets' full size, 100 receptors by 20 pieces of
// equipment, every pair linked. The overview of every receptor, each with its
// own baselines, is meant to take under 50 ms; the remedies and explanations
// of one receptor are asked for while the user looks at it.

#include <benchmark/benchmark.h>

#include <string>

#include "compute/mAsItStands.h"
#include "compute/mExplain.h"
#include "compute/mMitigation.h"
#include "compute/mOverview.h"
#include "compute/mProcess.h"
#include "study/cStudy.h"

namespace {

constexpr int kReceptors = 100;
constexpr int kEquipment = 20;

// Limits low enough that most cells exceed: the remedies have work to do.
void buildCase(cStudy& s) {
  s.NoiseMetric = 1;
  const char* types[] = {"Value", "Maximum", "Baseline+", "Conditional", "N/A", "Exempt"};
  for (std::int32_t t = 0; t < 3; ++t)
    for (std::int16_t row = 1; row <= 3; ++row)
      for (std::int16_t col = 1; col <= 6; ++col) {
        auto eq = s.NoiseLimits.getCriteria(t, row, col);
        eq->setValueText(types[(row + col + t) % 6]);
        eq->value = 60;
        eq->maxCompare = 55;
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
  s.setReceptorID(1);
  mProcess::processReceptor(s);
}

void BM_OverviewOfEveryReceptor(benchmark::State& state) {
  cStudy s;
  buildCase(s);
  for (auto _ : state) benchmark::DoNotOptimize(mOverview::overview(s).data());
  state.SetItemsProcessed(state.iterations() * kReceptors);  // receptors per second
}
BENCHMARK(BM_OverviewOfEveryReceptor)->Unit(benchmark::kMillisecond);

void BM_RemediesOfTheSelectedReceptor(benchmark::State& state) {
  cStudy s;
  buildCase(s);
  for (auto _ : state) benchmark::DoNotOptimize(mMitigation::needs(s, *s.colReceptors[0], 1).data());
  state.counters["needs"] = static_cast<double>(mMitigation::needs(s, *s.colReceptors[0], 1).size());
}
BENCHMARK(BM_RemediesOfTheSelectedReceptor)->Unit(benchmark::kMillisecond);

void BM_RemediesOfEveryReceptor(benchmark::State& state) {
  cStudy s;
  buildCase(s);
  for (auto _ : state) {
    const auto receptors = mAsItStands::computeAll(s);
    for (std::size_t i = 0; i < receptors.size(); ++i)
      benchmark::DoNotOptimize(mMitigation::needs(s, *receptors[i], static_cast<std::int32_t>(i + 1)).data());
  }
}
BENCHMARK(BM_RemediesOfEveryReceptor)->Unit(benchmark::kMillisecond);

void BM_ExplainEveryCellOfTheSelectedReceptor(benchmark::State& state) {
  cStudy s;
  buildCase(s);
  for (auto _ : state)
    for (std::int32_t id = 0; id <= kEquipment; ++id)
      for (std::int32_t col = 2; col <= 15; ++col) benchmark::DoNotOptimize(mExplain::explainCell(s, 1, id, col));
}
BENCHMARK(BM_ExplainEveryCellOfTheSelectedReceptor)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
