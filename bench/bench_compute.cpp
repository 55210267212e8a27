// A case at the sheets' full size, 100 receptors by 20 pieces of equipment,
// every pair linked: the pass made when a case is opened. processAllReceptors
// once, then each receptor made current and processed in turn.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/FullSizeCase.h"
#include "compute/mCompute.h"
#include "compute/mProcess.h"
#include "study/IResultsSheetView.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

namespace {

void buildCase(cStudy& s) {
  buildFullSizeCase(s, 2, 70, 65);
}

// A results sheet that takes the texts and keeps none, so the cost of making
// them is measured without a window.
class DiscardingResults : public IResultsSheetView {
public:
  void clear() override {}
  void setCellText(std::int32_t, std::int32_t, const std::string& text) override {
    benchmark::DoNotOptimize(text.data());
  }
};

void openCasePass(cStudy& s) {
  mProcess::processAllReceptors(s);
  for (int i = 1; i <= kReceptors; ++i) {
    s.setReceptorID(i);
    mProcess::processReceptor(s);
  }
}

void BM_OpenCasePass(benchmark::State& state) {
  cStudy s;
  buildCase(s);
  for (auto _ : state) openCasePass(s);
  state.SetItemsProcessed(state.iterations() * kReceptors);  // receptors per second
}
BENCHMARK(BM_OpenCasePass)->Unit(benchmark::kMicrosecond);

void BM_OpenCasePassWithResultsSheet(benchmark::State& state) {
  cStudy s;
  DiscardingResults results;
  s.attachViews(nullptr, nullptr, nullptr, &results, nullptr);
  buildCase(s);
  for (auto _ : state) openCasePass(s);
}
BENCHMARK(BM_OpenCasePassWithResultsSheet)->Unit(benchmark::kMicrosecond);

void BM_ProcessReceptor(benchmark::State& state) {
  cStudy s;
  buildCase(s);
  s.setReceptorID(50);
  for (auto _ : state) mProcess::processReceptor(s);
}
BENCHMARK(BM_ProcessReceptor)->Unit(benchmark::kMicrosecond);

void BM_ComputeReceptorLinks(benchmark::State& state) {
  cStudy s;
  buildCase(s);
  s.setReceptorID(50);
  auto r = s.colReceptors[49];
  for (auto _ : state) mCompute::computeReceptorLinks(s, *r, false);
}
BENCHMARK(BM_ComputeReceptorLinks)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
