// A case at the sheets' full size, 100 receptors by 20 pieces of equipment,
// every pair linked: the pass made when a case is opened. processAllReceptors
// once, then each receptor made current and processed in turn.

#include <benchmark/benchmark.h>

#include <string>

#include "compute/mCompute.h"
#include "compute/mProcess.h"
#include "study/IResultsSheetView.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

namespace {

constexpr int kReceptors = 100;
constexpr int kEquipment = 20;

void buildCase(cStudy& s) {
  s.NoiseMetric = 2;
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
