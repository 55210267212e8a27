// A one-hour spectral time history (7,200 records of 0.5 s, bands 10 to 43)
// written and read back through the keyword-header spectral file and through
// the fixed-column spectral file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "SF_DataSPC.h"
#include "SF_DataSTH.h"

namespace {

constexpr int kRecords = 7200;
constexpr int kLowBand = 10;
constexpr int kHighBand = 43;

std::shared_ptr<SF_SpectralTimeHistory> oneHour() {
  static const auto history = [] {
    auto sth = std::make_shared<SF_SpectralTimeHistory>();
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> level(20.0, 95.0);
    for (int r = 1; r <= kRecords; ++r) {
      auto s = std::make_shared<SF_Spectrum>();
      for (int b = kLowBand; b <= kHighBand; ++b) s->SPL(static_cast<std::int16_t>(b), level(rng));
      s->Level(level(rng));
      sth->spectrum(static_cast<std::int16_t>(r), s);
    }
    SF_Time start;
    start.TODseconds(8 * 3600);
    sth->setTimeStamps(start, SF_MIDPT, start, SF_START_REF);
    return sth;
  }();
  return history;
}

std::string benchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void BM_STH_Write(benchmark::State& state) {
  const auto history = oneHour();
  const std::string name = benchFile("vorn-bench-hour.sth");
  SF_DataSTH sth;
  for (auto _ : state) {
    if (sth.writeFile(name, std::make_shared<SF_HeaderSTH>(), *history) != SF_DATA_OK)
      state.SkipWithError("write failed");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(name));
}

void BM_STH_Read(benchmark::State& state) {
  const std::string name = benchFile("vorn-bench-hour.sth");
  SF_DataSTH().writeFile(name, std::make_shared<SF_HeaderSTH>(), *oneHour());
  SF_DataSTH sth;
  for (auto _ : state) {
    std::shared_ptr<SF_HeaderSTH> h;
    std::shared_ptr<SF_SpectralTimeHistory> th;
    if (sth.readFile(name, h, th) != SF_DATA_OK || th->Count() != kRecords) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(th);
  }
}

void BM_SPC_Write(benchmark::State& state) {
  const auto history = oneHour();
  const std::string name = benchFile("vorn-bench-hour.spc");
  SF_DataSPC spc;
  spc.setHeader("E", 0.5, *history->startTime(), 1, kRecords);
  for (auto _ : state) {
    if (spc.writeFile(name, *history) != SF_DATA_OK) state.SkipWithError("write failed");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(name));
}

void BM_SPC_Read(benchmark::State& state) {
  const auto history = oneHour();
  const std::string name = benchFile("vorn-bench-hour.spc");
  SF_DataSPC writer;
  writer.setHeader("E", 0.5, *history->startTime(), 1, kRecords);
  writer.writeFile(name, *history);
  SF_DataSPC spc;
  spc.BandLow(kLowBand);
  spc.BandHigh(kHighBand);
  for (auto _ : state) {
    std::shared_ptr<SF_SpectralTimeHistory> th;
    if (spc.readFile(name, th) != SF_DATA_OK || th->Count() != kRecords) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(th);
  }
}

}  // namespace

BENCHMARK(BM_STH_Write)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_STH_Read)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SPC_Write)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SPC_Read)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
