// A day-long measurement: 24 hours of 0.5 s records over bands 10 to 43
// (172,800 records) in a spectral time history file, read, A-weighted and
// summarised into day, evening and night. Reports the time per run and the
// peak resident memory against the file's size.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <sys/resource.h>

#include "SF_FileText.h"
#include "SF_PeriodLevels.h"
#include "SF_Time.h"

namespace {

constexpr long kRecords = 172800;
constexpr int kLowBand = 10;
constexpr int kHighBand = 43;

double peakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;  // kilobytes on Linux
}

// Written line by line, as the library's writer lays the file out, so that
// making it adds nothing to the memory the benchmark measures.
const std::string& dayFile() {
  static const std::string name = [] {
    const std::string path = (std::filesystem::temp_directory_path() / "vorn-bench-day.sth").string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return std::string();
    std::string line = "FileType**,Spectral Time-History\r\nFileName**,vorn-bench-day.sth\r\n"
                       "FileDateTime**,10/01/2005,13:04:05\r\nProjectName**,Bench\r\nMicrophoneID**,M1\r\n"
                       "AveragingMethod**,LINEAR\r\nTimeStampType**,START\r\nAdjustmentCode**,\r\n"
                       "StartTime**,00:00:00\r\nReferenceTime**,00:00:00\r\nReferenceTimeType**,START\r\n"
                       "NumberOfSpectrum**,172800\r\nRecordNumbers**,1,172800\r\nBands**,10, 43\r\n"
                       "GeneratedBy**,bench\r\nGenerationFile**,\r\nGenerationFileDateTime**,\r\nOtherRecords**,0\r\n"
                       "NumberOfCommentLines**,0\r\nRec#,TOD,RelTime";
    for (int b = 17; b <= 40; ++b) {
      line += ',';
      line += SF_FileText::bandLabel(b);
    }
    line += "\r\n";
    std::fputs(line.c_str(), f);
    std::mt19937 rng(15);
    std::uniform_real_distribution<double> level(20.0, 95.0);
    SF_Time t;
    for (long r = 1; r <= kRecords; ++r) {
      const double seconds = 0.5 * static_cast<double>(r - 1);
      t.TODseconds(seconds);
      line = std::to_string(r) + "," + t.TODstring() + ",";
      SF_FileText::appendShortest(line, seconds);
      for (int b = kLowBand; b <= kHighBand; ++b) {
        line += ',';
        SF_FileText::appendLevel(line, level(rng));
      }
      line += "\r\n";
      std::fputs(line.c_str(), f);
    }
    std::fclose(f);
    return path;
  }();
  return name;
}

void BM_DayIntoPeriods(benchmark::State& state) {
  const std::string& path = dayFile();
  if (path.empty()) {
    state.SkipWithError("cannot write the file");
    return;
  }
  const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
  const double before = peakResidentBytes();
  for (auto _ : state) {
    SF_PeriodLevels levels(SF_WEIGHTING_A, SF_Periods::Default());
    if (!levels.compute(path) || levels.Records() != kRecords) state.SkipWithError(levels.Error().c_str());
    double leq = 0;
    for (std::size_t p = 0; p < 3; ++p) leq += levels.Statistics(p).Leq() + levels.Statistics(p).Ln(90);
    benchmark::DoNotOptimize(leq);
  }
  const double peak = peakResidentBytes();
  state.counters["file_MB"] = fileBytes / 1e6;
  state.counters["peak_RSS_MB"] = peak / 1e6;
  state.counters["peak_over_file"] = peak / fileBytes;
  state.counters["added_RSS_MB"] = (peak - before) / 1e6;
}

}  // namespace

BENCHMARK(BM_DayIntoPeriods)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
