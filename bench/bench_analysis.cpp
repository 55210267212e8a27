// The analyses at the sheets' full size, 100 receptors by 20 pieces of
// equipment, every pair linked. The overview of every receptor, each with its
// own baselines, is meant to take under 50 ms; the remedies and explanations
// of one receptor are asked for while the user looks at it.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/FullSizeCase.h"
#include "compute/mAsItStands.h"
#include "compute/mExplain.h"
#include "compute/mMitigation.h"
#include "compute/mOverview.h"
#include "compute/mProcess.h"
#include "study/cStudy.h"

namespace {

// Limits low enough that most cells exceed: the remedies have work to do.
void buildCase(cStudy& s) {
  buildFullSizeCase(s, 1, 60, 55);
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
