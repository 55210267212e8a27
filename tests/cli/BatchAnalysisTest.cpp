// vorn-batch --summary, --mitigate and --explain on a case worked out by hand
// (data/analysis.cas). Its levels, from the computation's formulas:
//   House, 12 Elm (100 ft): Backhoe Lmax 81 - 20 log10(2) = 74.98, Leq 74.98 + 10 log10(0.3) = 69.75;
//     Ram (200 ft, 5 dB shielding) Lmax 89 - 12.04 - 5 = 71.96, Leq 71.96 + 10 log10(0.2) = 64.97;
//     Total Lmax 74.98, Leq 10 log10(10^6.975 + 10^6.497) = 71.00.
//   Shop (50 ft / 400 ft): Backhoe Lmax 81.00, Leq 75.77; Ram Lmax 70.94, Leq 63.95; Total Leq 76.05.
//   The Pump is inactive; Lot has a distance of 0 and is not computed.
// Remedies: shielding = the exceedance rounded up to 0.1 dB; usage = 100 x 10^((limit - Lmax) / 10) rounded
// down to 1 %; distance = distance x 10^(exceedance / 20) rounded up to 0.1 ft. For example House Backhoe
// day Leq: non-impact limit Maximum of 65 or (60 + 5) = 65, exceedance 4.75
// -> 4.8 dB, 100 x 10^((65 - 74.98) / 10) = 10.05 -> 10 %, 100 x 10^(4.75 / 20) = 172.79 -> 172.8 ft.

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/mBatch.h"
#include "../support/TempDir.h"

namespace {

const std::string kData = VORN_TEST_DATA;
const std::string kCase = kData + "/analysis.cas";
const std::string kBin = std::string(VORN_BIN_DIR) + "/";

struct AnalysisRun {
  int status;
  std::string out;
  std::string err;
};

AnalysisRun analysis(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = mBatch::main(args, kBin, out, err);
  return {status, out.str(), err.str()};
}

const char* const kLotNotComputed =
    "Receptor #3 not computed.\nPlease set the distance greater than zero for Equipment #1.\n";

// Each expected line appears, whole, after the one before it.
void expectLinesInOrder(const std::string& text, const std::vector<std::string>& expected) {
  std::size_t at = 0;
  for (const auto& line : expected) {
    const std::size_t found = text.find("\r\n" + line + "\r\n", at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line;
    at = found + line.size();
  }
}

}  // namespace

TEST(BatchAnalysis, SummaryListsEachReceptorsWorstExceedancePerPeriod) {
  const AnalysisRun r = analysis({"--summary", "--format", "csv", kCase});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, TempDir::read(kData + "/analysis-summary.csv"));
  EXPECT_EQ(r.err, kLotNotComputed);
}

TEST(BatchAnalysis, MitigateListsTheRemediesOfEveryExceededLimit) {
  const AnalysisRun r = analysis({"--mitigate", "--format=csv", kCase});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, TempDir::read(kData + "/analysis-mitigate.csv"));
  EXPECT_EQ(r.err, kLotNotComputed);
}

TEST(BatchAnalysis, ExplainTellsHowEachNumberCameAbout) {
  const AnalysisRun r = analysis({"--explain", kCase});
  EXPECT_EQ(r.status, 0);
  expectLinesInOrder(r.out, {
      "Receptor #1: House, 12 Elm (Residential); baselines day 60.0, evening 55.0, night 50.0 dBA",
      "Backhoe (not an impact device)",
      "Lmax 75.0 dBA = spec Lmax at 50 ft 81.0 dBA + distance term -6.0 dB - shielding 0.0 dB",
      "  distance term = -20 log10(100.0 ft / 50 ft) = -6.0 dB",
      "Leq 69.8 dBA = Lmax 75.0 dBA + usage term -5.2 dB",
      "  usage term = 10 log10(30 % / 100) = -5.2 dB",
      "Day Leq limit 65.0 dBA (Residential, non-impact criteria): Maximum of 65 dBA or (Baseline + 5 dBA)",
      "  with the daytime baseline 60.0 dBA",
      "Day Leq exceedance 4.8 dB = Leq 69.8 dBA - limit 65.0 dBA",
      "Night Lmax limit 70.0 dBA (Residential, non-impact criteria): Value = Baseline + 20 dBA",
      "Ram, hoe-mounted (impact device)",
      "Lmax 72.0 dBA = spec Lmax at 50 ft 89.0 dBA + distance term -12.0 dB - shielding 5.0 dB",
      "Night Lmax limit Exempt (Residential, impact device criteria): Value = Exempt",
      "Night Lmax exceedance Exempt: the receptor is exempt from this limit",
      "Night Leq exceedance N/A: no limit applies",
      "Pump, trash (not an impact device; inactive: not part of the Total)",
      "Total (non-impact criteria: not every linked piece is an impact device)",
      "Total Lmax 75.0 dBA = the loudest active piece, Backhoe (not a sum)",
      "Total Leq 71.0 dBA = 10 log10(sum of 10^(Leq / 10)) over the active pieces:",
      "  Backhoe 69.8 dBA",
      "  Ram, hoe-mounted 65.0 dBA",
      "Day Lmax exceedance None: Lmax 75.0 dBA is within the limit 80.0 dBA",
      "Receptor #2: Shop (Commercial); baselines day 65.0, evening 60.0, night 55.0 dBA",
      "Day Leq exceedance 5.8 dB = Leq 75.8 dBA - limit 70.0 dBA",
      "Receptor #3: Lot (Industrial); baselines day 70.0, evening 65.0, night 60.0 dBA",
      "  Not computed: the input is incomplete.",
  });
}

TEST(BatchAnalysis, OneReceptorOnlyWithReceptorOption) {
  const AnalysisRun r = analysis({"--summary", "--format", "csv", "--receptor", "2", kCase});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "Receptor,Description,Land Use,Period,Lmax,Lmax Limit,Lmax Exceedance,Metric,Metric Level,Metric Limit,"
            "Metric Exceedance\r\n"
            "2,Shop,Commercial,Day,81.0,85.0,None,Leq,76.0,70.0,6.0\r\n"
            "2,Shop,Commercial,Evening,81.0,,,Leq,76.0,65.0,11.0\r\n"
            "2,Shop,Commercial,Night,81.0,,,Leq,76.0,60.0,16.0\r\n");
  EXPECT_EQ(r.err, "");
}

TEST(BatchAnalysis, NothingToAnalyseGivesTheProgramsMessageAndStatus1) {
  AnalysisRun r = analysis({"--mitigate", "--receptor", "9", kCase});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Please select a Receptor.\n");
  r = analysis({"--summary", kData + "/no-receptors.cas"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "No case results to report.\n");
  EXPECT_EQ(r.out, "");
}

TEST(BatchAnalysis, ConflictingModesAreRefused) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"--explain", "--format", "csv", "a.cas"},
                                                                 {"--summary", "--mitigate", "a.cas"}}) {
    mBatch::Options o;
    std::string error;
    EXPECT_FALSE(mBatch::parseArguments(args, o, error)) << args[1];
    EXPECT_FALSE(error.empty());
  }
}
