// The noise map: a 1,000 x 1,000 grid from 20 active pieces, Lmax and the
// metric, on both cores and on one; the same formula with numpy, run from
// here so that both are timed in one run on the same machine; and the grid
// with 10 barriers.
//
// Each is run five times and reported with its best ("_min"), as the numpy
// script reports its best of five, and with the processor time all its
// threads took per map ("cpu_ms"): on a machine shared with other work the
// time on the clock depends on how much of the cores the others leave, the
// processor time much less.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "site/cBarrierShielding.h"
#include "site/cGridJob.h"
#include "site/mGridKernel.h"

namespace {

constexpr std::int32_t kSide = 1000;

// 20 pieces spread over the grid (the numpy script lays them out alike).
cGridInput benchPieces() {
  cGridInput in;
  for (int i = 0; i < 20; ++i) {
    sGridPiece p;
    p.x = 50.0 + (i * 137) % 900;
    p.y = -50.0 - (i * 251) % 900;
    p.height = 0;
    p.lref = static_cast<float>(75 + i);
    p.usage = static_cast<float>(10 + 4 * i);
    in.pieces.push_back(p);
  }
  return in;
}

const cGridFrame kFrame{0, 0, 1, kSide, kSide};

// The processor time of every thread of the process so far, in ms.
double processCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Measures the processor time of a benchmark's iterations.
class cCpuClock {
public:
  explicit cCpuClock(benchmark::State& state) : state_(state), start_(processCpuMs()) {}
  ~cCpuClock() {
    state_.counters["cpu_ms"] = benchmark::Counter(processCpuMs() - start_, benchmark::Counter::kAvgIterations);
  }

private:
  benchmark::State& state_;
  double start_;
};

double best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// Five runs, reported as their mean, median and best.
void fiveRuns(benchmark::internal::Benchmark* b) {
  b->Repetitions(5)->ComputeStatistics("min", best)->ReportAggregatesOnly(true);
}

void BM_NoiseMap_1000x1000_20Pieces(benchmark::State& state) {
  const cGridInput in = benchPieces();
  const unsigned threads = static_cast<unsigned>(state.range(0));
  cCpuClock cpu(state);
  for (auto _ : state) {
    cGridJob job(in, kFrame, 2);
    job.run({}, threads);
    benchmark::DoNotOptimize(job.grid().level.data());
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_NoiseMap_1000x1000_20Pieces)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(fiveRuns);

// As the window redraws after an edit: the earlier grid's memory is filled
// again, so no page of it is new to the system.
void BM_NoiseMap_1000x1000_20Pieces_Redraw(benchmark::State& state) {
  const cGridInput in = benchPieces();
  cNoiseGrid previous;
  cCpuClock cpu(state);
  for (auto _ : state) {
    cGridJob job(in, kFrame, 2);
    job.recycle(std::move(previous));
    job.run({}, 2);
    previous = job.takeGrid();
    benchmark::DoNotOptimize(previous.level.data());
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_NoiseMap_1000x1000_20Pieces_Redraw)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(fiveRuns);

// The same formula in numpy, timed by the script itself (its best of five
// runs, without Python's start-up), reported as this benchmark's time.
void BM_NoiseMap_1000x1000_20Pieces_Numpy(benchmark::State& state) {
  // Debian's own python3, where numpy is installed, before any other on the path.
  const char* python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
  const std::string command = std::string(python) + " \"" + VORN_SOURCE_DIR + "/bench/noisemap_numpy.py\" 5";
  for (auto _ : state) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    char line[64] = {};
    if (!pipe || !std::fgets(line, sizeof line, pipe.get())) {
      state.SkipWithError("python3 with numpy is not there (tools/run-bench.sh installs it)");
      return;
    }
    state.SetIterationTime(std::stod(line) / 1000.0);
  }
}
BENCHMARK(BM_NoiseMap_1000x1000_20Pieces_Numpy)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Ten barriers across the site, each of two segments, 10 ft high.
void BM_NoiseMap_1000x1000_20Pieces_10Barriers(benchmark::State& state) {
  const cGridInput in = benchPieces();
  std::vector<cBarrier> barriers;
  for (int i = 0; i < 10; ++i) {
    const double x = 80.0 + (i * 311) % 800, y = -80.0 - (i * 173) % 800;
    barriers.push_back({"Barrier " + std::to_string(i + 1), {{x, y}, {x + 120, y - 40}, {x + 150, y - 160}}, 10});
  }
  std::vector<cSitePosition> placed;
  for (const auto& p : in.pieces) placed.push_back({p.x, p.y, p.height});
  auto shielding = std::make_shared<cBarrierShielding>(barriers, placed, 0);
  cNoiseGrid previous;
  cCpuClock cpu(state);
  for (auto _ : state) {
    cGridJob job(in, kFrame, 2, shielding);
    job.recycle(std::move(previous));
    job.run({}, 2);
    previous = job.takeGrid();
    benchmark::DoNotOptimize(previous.level.data());
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_NoiseMap_1000x1000_20Pieces_10Barriers)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(fiveRuns);

// A 250 x 250 map redrawn after one piece moves.
void BM_NoiseMap_250x250_DragOnePiece(benchmark::State& state) {
  cGridInput in = benchPieces();
  for (auto& p : in.pieces) {
    p.x /= 4;
    p.y /= 4;
  }
  const cGridFrame frame{0, 0, 1, 250, 250};
  cNoiseGrid previous;
  int step = 0;
  cCpuClock cpu(state);
  for (auto _ : state) {
    in.pieces[0].x = 10.0 + (step++ % 200);
    cGridJob job(in, frame, 2);
    job.recycle(std::move(previous));
    job.run({}, 2);
    previous = job.takeGrid();
    benchmark::DoNotOptimize(previous.level.data());
  }
}
BENCHMARK(BM_NoiseMap_250x250_DragOnePiece)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(fiveRuns);

}  // namespace

BENCHMARK_MAIN();
