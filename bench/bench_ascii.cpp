// Reading a large comma file with quoted fields through SF_DataASCII, beside
// Python's csv module reading the same file.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/resource.h>

#include "SF_DataASCII.h"

namespace {

const std::string& sampleFile() {
  static const std::string name = [] {
    const auto path = std::filesystem::temp_directory_path() / "vorn-bench-50mb.csv";
    if (!std::filesystem::exists(path) || std::filesystem::file_size(path) < (50u << 20)) {
      std::ofstream out(path, std::ios::binary);
      std::mt19937 rng(7);
      std::uniform_real_distribution<double> level(40.0, 110.0);
      const char* names[] = {"Dozer, large", "Concrete Saw", "Pile Driver, impact", "Backhoe", "Crane, mobile"};
      std::size_t written = 0;
      char buf[256];
      for (long row = 0; written < (50u << 20); ++row) {
        int n;
        if (row % 4 == 0)
          n = std::snprintf(buf, sizeof buf, "%ld,\"%s\",%.1f,%.1f,%.1f,\"Receptor %ld, north\",%d,%.3f\r\n", row,
                            names[row % 5], level(rng), level(rng), level(rng), row % 100, int(row % 7), level(rng));
        else
          n = std::snprintf(buf, sizeof buf, "%ld,%s,%.1f,%.1f,%.1f,R%ld,%d,%.3f\r\n", row, "Backhoe", level(rng),
                            level(rng), level(rng), row % 100, int(row % 7), level(rng));
        out.write(buf, n);
        written += static_cast<std::size_t>(n);
      }
    }
    return path.string();
  }();
  return name;
}

void BM_ReadFieldsQuoted50MB(benchmark::State& state) {
  const std::string& name = sampleFile();
  const double bytes = static_cast<double>(std::filesystem::file_size(name));
  std::size_t records = 0;
  for (auto _ : state) {
    SF_DataASCII a;
    a.CommentFields(true);
    if (a.readFields(name) != SF_DATA_OK) state.SkipWithError("read failed");
    records = a.Fields().size();
    benchmark::DoNotOptimize(records);
  }
  struct rusage ru {};
  getrusage(RUSAGE_SELF, &ru);
  state.counters["records"] = static_cast<double>(records);
  state.counters["MB/s"] = benchmark::Counter(bytes * state.iterations() / 1e6, benchmark::Counter::kIsRate);
  state.counters["peakRSS/file"] = static_cast<double>(ru.ru_maxrss) * 1024.0 / bytes;
}
BENCHMARK(BM_ReadFieldsQuoted50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// Python's csv module on the same file, timed inside Python (start-up excluded).
void BM_PythonCsv50MB(benchmark::State& state) {
  const std::string& name = sampleFile();
  const double bytes = static_cast<double>(std::filesystem::file_size(name));
  const std::string script =
      "import csv,time,sys\n"
      "t=time.perf_counter()\n"
      "with open(sys.argv[1], newline='', encoding='latin-1') as f: rows=list(csv.reader(f))\n"
      "print(time.perf_counter()-t)\n";
  const auto scriptPath = std::filesystem::temp_directory_path() / "vorn-bench-csv.py";
  std::ofstream(scriptPath) << script;
  double seconds = 0;
  for (auto _ : state) {
    const std::string cmd = "python3 " + scriptPath.string() + " " + name;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p || std::fscanf(p, "%lf", &seconds) != 1) state.SkipWithError("python3 failed");
    if (p) pclose(p);
    state.SetIterationTime(seconds);
  }
  state.counters["MB/s"] = bytes / seconds / 1e6;
}
BENCHMARK(BM_PythonCsv50MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
