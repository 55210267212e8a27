#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <gtest/gtest.h>

#include "cli/mBatch.h"
#include "../support/TempDir.h"

namespace {

const std::string kData = VORN_TEST_DATA;
const std::string kBin = std::string(VORN_BIN_DIR) + "/";
const std::string kBridge = std::string(VORN_SOURCE_DIR) + "/examples/Bridge Demolition.cas";

struct BatchRun {
  int status;
  std::string out;
  std::string err;
};

BatchRun batch(const std::vector<std::string>& args, const std::string& programDir = kBin) {
  std::ostringstream out, err;
  const int status = mBatch::main(args, programDir, out, err);
  return {status, out.str(), err.str()};
}

[[maybe_unused]] std::string quoted(const std::string& s) { return "'" + s + "'"; }

}  // namespace

TEST(BatchArguments, OptionsInBothSpellingsAndDefaults) {
  mBatch::Options o;
  std::string error;
  ASSERT_TRUE(mBatch::parseArguments({"case.cas"}, o, error));
  EXPECT_FALSE(o.comma);
  EXPECT_EQ(o.receptor, 0);
  EXPECT_EQ(o.date, "");
  EXPECT_EQ(o.output, "");
  EXPECT_EQ(o.casePath, "case.cas");
  ASSERT_TRUE(mBatch::parseArguments(
      {"--format=csv", "--receptor", "3", "--date", "02/29/2024", "--output=r.csv", "--", "-odd.cas"}, o, error));
  EXPECT_TRUE(o.comma);
  EXPECT_EQ(o.receptor, 3);
  EXPECT_EQ(o.date, "02/29/2024");
  EXPECT_EQ(o.output, "r.csv");
  EXPECT_EQ(o.casePath, "-odd.cas");
}

TEST(BatchArguments, WrongArgumentsAreRefusedWithAReason) {
  mBatch::Options o;
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"a.cas", "b.cas"},
      {"--format", "pdf", "a.cas"},
      {"--receptor", "0", "a.cas"},
      {"--receptor", "two", "a.cas"},
      {"--date", "2024-02-29", "a.cas"},
      {"--date", "13/01/2024", "a.cas"},
      {"--verbose", "a.cas"},
      {"a.cas", "--output"},
  };
  for (const auto& args : wrong) {
    std::string error;
    EXPECT_FALSE(mBatch::parseArguments(args, o, error)) << (args.empty() ? "" : args[0]);
    EXPECT_FALSE(error.empty());
  }
}

TEST(Batch, HelpPrintsUsageAndSucceeds) {
  const BatchRun r = batch({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("Usage: vorn-batch [--format txt|csv] [--receptor N] [--date MM/DD/YYYY] [--output FILE] CASE", 0),
            0u);
  EXPECT_EQ(r.err, "");
}

TEST(Batch, WrongArgumentsGiveUsageOnStandardErrorAndStatus2) {
  const BatchRun r = batch({"--format", "pdf", "x.cas"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("Usage: vorn-batch"), std::string::npos);
}

TEST(Batch, CommaReportOfOneBackhoeWorkedByHand) {
  const BatchRun r = batch({"--format", "csv", "--date", "03/04/2025", kData + "/one.cas"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, TempDir::read(kData + "/one.csv"));
}

TEST(Batch, OutputFileHoldsExactlyTheBytesOfStandardOutput) {
  TempDir dir;
  const BatchRun toStdout = batch({"--date", "01/02/2025", kBridge});
  const BatchRun toFile = batch({"--date", "01/02/2025", "--output", dir.file("r.txt"), kBridge});
  ASSERT_EQ(toStdout.status, 0) << toStdout.err;
  ASSERT_EQ(toFile.status, 0) << toFile.err;
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(TempDir::read(dir.file("r.txt")), toStdout.out);
  EXPECT_NE(toStdout.out.find("**** Receptor #3 ****"), std::string::npos);
  EXPECT_NE(toStdout.out.find("\r\n"), std::string::npos);
}

TEST(Batch, SelectedReceptorIsReportedUnderItsNumber) {
  const BatchRun r = batch({"--receptor", "2", "--format", "csv", kBridge});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(",,,,---- Receptor #2 ----"), std::string::npos);
  EXPECT_EQ(r.out.find(",,,,---- Receptor #1 ----"), std::string::npos);
}

TEST(Batch, NothingToReportGivesTheProgramsMessageAndStatus1) {
  BatchRun r = batch({kData + "/no-receptors.cas"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "No case results to report.\n");
  EXPECT_EQ(r.out, "");
  r = batch({"--receptor", "2", kData + "/second-unplaced.cas"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Case must be Processed.\n");
  r = batch({"--receptor", "7", kData + "/one.cas"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Please select a Receptor.\n");
}

TEST(Batch, UnreadableCaseGivesStatus2) {
  TempDir dir;
  BatchRun r = batch({dir.file("missing.cas")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Problem reading case file.\n");
  TempDir::write(dir.file("bad.cas"), "Vornhall - Version 1.0\r\nx\r\n3,Leq,feet\r\nEquipment...\r\n");
  r = batch({dir.file("bad.cas")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Problem reading case file.\n");
}

TEST(Batch, MissingEquipmentListEndsTheRunAsAtStartup) {
  TempDir dir;
  const BatchRun r = batch({kBridge}, dir.path().string() + "/");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Could not open: '\\VORN Equipment List.equ'!\n");
}

TEST(Batch, ReportWriteFailureGivesStatus2AndKeepsNothingHalfWritten) {
  TempDir dir;
  const BatchRun r = batch({"--output", dir.file("no/such/dir/r.txt"), kBridge});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Problem writing report file.\n");
}

// Through the POSIX shell; on Windows the CI compares the reports of vorn-batch.exe instead.
#ifndef _WIN32
TEST(BatchExecutable, RunsBesideItsDataFromAnyDirectory) {
  TempDir dir;
  const std::string cmd = "cd " + quoted(dir.path().string()) + " && " + quoted(kBin + "vorn-batch") +
                          " --date 01/02/2025 " + quoted(kBridge) + " >out.txt 2>err.txt";
  const int raw = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 0);
  EXPECT_EQ(TempDir::read(dir.file("err.txt")), "");
  EXPECT_EQ(TempDir::read(dir.file("out.txt")), batch({"--date", "01/02/2025", kBridge}).out);

  const std::string bad = quoted(kBin + "vorn-batch") + " --receptor x y 2>" + quoted(dir.file("e2.txt")) + " >/dev/null";
  const int raw2 = std::system(bad.c_str());
  ASSERT_TRUE(WIFEXITED(raw2));
  EXPECT_EQ(WEXITSTATUS(raw2), 2);
  EXPECT_NE(TempDir::read(dir.file("e2.txt")).find("Usage:"), std::string::npos);
}
#endif
