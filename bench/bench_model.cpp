// A one-hour spectral time history (7,200 records of 0.5 s, bands 10 to 43):
// building it, a deep copy, reading every band across the records and
// stamping the records' times, with the memory the history holds.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdint>
#include <memory>

#include "SF_SpectralTimeHistory.h"

namespace {

constexpr std::int16_t kFirstRecord = 1;
constexpr std::int16_t kLastRecord = 7200;
constexpr std::int16_t kLowBand = 10;
constexpr std::int16_t kHighBand = 43;

std::shared_ptr<SF_SpectralTimeHistory> oneHour() {
  return SF_SpectralTimeHistory().Init(kFirstRecord, kLastRecord, kLowBand, kHighBand);
}

// As a file reader builds it: a spectrum per record, its time and its levels
// band by band.
std::shared_ptr<SF_SpectralTimeHistory> oneHourAsRead() {
  auto h = std::make_shared<SF_SpectralTimeHistory>();
  for (int r = kFirstRecord; r <= kLastRecord; ++r) {
    auto s = std::make_shared<SF_Spectrum>();
    s->Time()->TODseconds(36000.0 + 0.5 * r);
    for (int b = kLowBand; b <= kHighBand; ++b) s->SPL(static_cast<std::int16_t>(b), 40.0 + b * 0.5 + r % 7);
    h->spectrum(static_cast<std::int16_t>(r), s);
  }
  return h;
}

void stamp(SF_SpectralTimeHistory& h) {
  SF_Time start, ref;
  start.CurrentDate(38537.0);
  start.TODseconds(82800.0);  // 23:00:00: the last records fall on the next day
  ref.CurrentDate(38537.0);
  ref.TODseconds(84600.0);
  h.setTimeStamps(start, SF_MIDPT, ref, SF_PMAX);
}

void BM_InitOneHour(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(oneHour());
}

void BM_BuildOneHourRecordByRecord(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(oneHourAsRead());
}

void BM_CopyOneHour(benchmark::State& state) {
  auto h = oneHour();
  stamp(*h);
  for (auto _ : state) benchmark::DoNotOptimize(h->Copy());
}

void BM_ReadEveryBandOneHour(benchmark::State& state) {
  auto h = oneHour();
  for (auto _ : state)
    for (int b = kLowBand; b <= kHighBand; ++b) benchmark::DoNotOptimize(h->Band(static_cast<std::int16_t>(b)));
}

void BM_SetTimeStampsOneHour(benchmark::State& state) {
  auto h = oneHour();
  for (auto _ : state) stamp(*h);
}

// Heap bytes held by one stamped history, and by its deep copy (which also
// carries a metric object per record).
void BM_MemoryOneHour(benchmark::State& state) {
  double stampedBytes = 0, copyBytes = 0;
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    auto h = oneHour();
    stamp(*h);
    const std::size_t withHistory = mallinfo2().uordblks;
    auto c = h->Copy();
    const std::size_t withCopy = mallinfo2().uordblks;
    stampedBytes = static_cast<double>(withHistory - before);
    copyBytes = static_cast<double>(withCopy - withHistory);
  }
  state.counters["history_MB"] = stampedBytes / (1024.0 * 1024.0);
  state.counters["copy_MB"] = copyBytes / (1024.0 * 1024.0);
}

}  // namespace

BENCHMARK(BM_InitOneHour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildOneHourRecordByRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyOneHour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEveryBandOneHour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetTimeStampsOneHour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryOneHour)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
