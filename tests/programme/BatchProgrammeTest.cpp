#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/mBatch.h"
#include "programme/cProgramme.h"
#include "programme/mProgrammeFile.h"
#include "../support/TempDir.h"

namespace {

const std::string kData = VORN_TEST_DATA;
const std::string kProgramme = kData + "/Hand Worked.vpg";

struct BatchRun {
  int status;
  std::string out;
  std::string err;
};

BatchRun batch(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = mBatch::main(args, std::string(VORN_BIN_DIR) + "/", out, err);
  return {status, out.str(), err.str()};
}

}  // namespace

TEST(BatchProgramme, CommaTableIsTheHandWorkedBytes) {
  const auto r = batch({"--programme", kProgramme, "--format", "csv"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, TempDir::read(kData + "/Hand Worked.csv"));
}

TEST(BatchProgramme, WorstWeeksAreTheHandWorkedBytes) {
  const auto r = batch({"--worst", "--format=csv", "--programme=" + kProgramme});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, TempDir::read(kData + "/Hand Worked worst.csv"));
}

TEST(BatchProgramme, TextTableAndOutputFile) {
  TempDir dir;
  const auto r = batch({"--programme", kProgramme, "--output", dir.file("out.txt")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const std::string text = TempDir::read(dir.file("out.txt"));
  EXPECT_EQ(text.rfind("Programme: Hand-worked programme\r\nWeeks 1 to 8, 3 phases;", 0), 0u);
  EXPECT_NE(text.find("Receptor #2: Shop B (Commercial)\r\n"), std::string::npos);
  EXPECT_NE(text.find("  Week  Period   Lmax    Limit   Exceedance  Leq     Limit   Exceedance  Phases\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("  3     Day      83.0    85.0    None        79.5    75.0    4.5         Demolition+Piling\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n  6     Night\r\n"), std::string::npos);
  const auto worst = batch({"--programme", kProgramme, "--worst"});
  EXPECT_NE(worst.out.find("  Day      3      89.0    85.0    4.0         82.1    80.0    2.1         2"),
            std::string::npos)
      << worst.out;
}

TEST(BatchProgramme, UnavailablePhaseIsNamedAndTheRestIsStillWritten) {
  TempDir dir;
  cProgramme p;
  ASSERT_TRUE(mProgrammeFile::read(kProgramme, p));
  p.phases[1].casePath = dir.file("Gone.cas");
  ASSERT_EQ(mProgrammeFile::write(p, dir.file("p.vpg")), SF_DATA_OK);
  const auto r = batch({"--programme", dir.file("p.vpg"), "--format", "csv"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Phase 2 \"Piling\": the case file \"" + dir.file("Gone.cas") + "\" was not found.\n");
  EXPECT_NE(r.out.find("\r\n1,House A,1,Day,80.0,85.0,None,Leq,77.0,75.0,2.0,Demolition\r\n"), std::string::npos);
  EXPECT_NE(r.out.find("\r\n1,House A,3,Day,,,,Leq,,,,Demolition+Piling\r\n"), std::string::npos);
}

TEST(BatchProgramme, WrongArgumentsAndFiles) {
  const std::vector<std::vector<std::string>> wrong = {
      {"--programme"},
      {"--programme", kProgramme, "--format", "pdf"},
      {"--programme", kProgramme, "--receptor", "2"},
      {"--programme", kProgramme, kProgramme},
      {"--programme", kProgramme, "--programme", kProgramme},
      {"--programme", kProgramme, "--output="},
  };
  for (const auto& args : wrong) {
    const auto r = batch(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Usage: vorn-batch --programme"), std::string::npos) << args.back();
  }
  const auto missing = batch({"--programme", kData + "/none.vpg"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "Problem reading programme file.\n");
  TempDir dir;
  cProgramme empty;
  ASSERT_EQ(mProgrammeFile::write(empty, dir.file("empty.vpg")), SF_DATA_OK);
  const auto nothing = batch({"--programme", dir.file("empty.vpg")});
  EXPECT_EQ(nothing.status, 1);
  EXPECT_EQ(nothing.err, "No programme results to report.\n");
}
