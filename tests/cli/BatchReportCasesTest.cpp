// Whole runs of the batch tool on cases whose reports were worked out by hand
// from the computation and report rules, byte for byte.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/mBatch.h"
#include "../support/TempDir.h"

namespace {

const std::string kData = VORN_TEST_DATA;
const std::string kBin = std::string(VORN_BIN_DIR) + "/";

std::string run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = mBatch::main(args, kBin, out, err);
  EXPECT_EQ(status, 0) << err.str();
  EXPECT_EQ(err.str(), "");
  return out.str();
}

}  // namespace

// L10 in meters; every equation type (Exempt, N/A, Value, Maximum, Baseline+,
// Conditional and a "Null" cell giving 0); an impact device beside a
// non-impact one; an inactive piece whose long description still sets the
// widths; a 7-character receptor description and one of 13; a receptor with no
// links; limits of -1000 and -9999 wider than their fields, the last one cut
// at the end of the line; descriptions with commas.
TEST(BatchReports, MixedCaseInMetersWithL10) {
  const std::string cas = kData + "/mixed.cas";
  EXPECT_EQ(run({"--date", "05/06/2024", cas}), TempDir::read(kData + "/mixed.txt"));
  EXPECT_EQ(run({"--format", "csv", "--date", "05/06/2024", cas}), TempDir::read(kData + "/mixed.csv"));
  EXPECT_EQ(run({"--receptor", "2", "--date", "05/06/2024", cas}), TempDir::read(kData + "/mixed-receptor2.txt"));
}

// Leq in feet; only impact devices active, so an inactive non-impact piece
// puts the totals on the non-impact limits; usage 12.6 ("13" in the text
// report). Receptor 2 has a link at distance 0: opening the case computes it
// once with the tables' baselines of no receptor (0) and keeps its never
// computed Lmax (shown blank); its own computation then fails validation, so
// those results are the ones reported, while receptor 1 passes and the case
// counts as processed.
TEST(BatchReports, ReceptorWithAZeroDistanceKeepsWhatOpeningComputed) {
  const std::string cas = kData + "/zero.cas";
  EXPECT_EQ(run({"--date", "12/31/1999", cas}), TempDir::read(kData + "/zero.txt"));
  EXPECT_EQ(run({"--format", "csv", "--date", "12/31/1999", cas}), TempDir::read(kData + "/zero.csv"));
}
