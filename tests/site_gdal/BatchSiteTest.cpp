#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "casefile/cCaseFile.h"
#include "cli/mBatch.h"
#include "site/gdal/cGeoPackageSiteFile.h"
#include "site/mSitePlan.h"
#include "study/cStudy.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kBin = std::string(VORN_BIN_DIR) + "/";
const std::string kExamples = std::string(VORN_SOURCE_DIR) + "/examples/";
const std::string kCase = kExamples + "Bridge Demolition.cas";
const std::string kSite = kExamples + "Bridge Demolition.gpkg";

struct BatchRun {
  int status;
  std::string out, err;
};

BatchRun batch(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = mBatch::main(args, kBin, out, err);
  return {status, out.str(), err.str()};
}

// The case alone in a directory of its own: no site file beside it.
std::string caseAlone(const TempDir& dir) {
  const std::string path = dir.file("Bridge Demolition.cas");
  std::filesystem::copy_file(kCase, path);
  return path;
}

}  // namespace

TEST(BatchSite, PlainRunsIgnoreTheSiteFileBesideTheCase) {
  TempDir dir;
  const BatchRun withPlan = batch({"--date", "01/02/2025", kCase});
  const BatchRun alone = batch({"--date", "01/02/2025", caseAlone(dir)});
  EXPECT_EQ(withPlan.status, 0);
  EXPECT_EQ(withPlan.out, alone.out);
  EXPECT_EQ(withPlan.err, "");
}

TEST(BatchSite, ThePlanThatReproducesTheTypedDistancesReportsTheSame) {
  TempDir dir;
  const std::string path = caseAlone(dir);
  const BatchRun plain = batch({"--format", "csv", "--date", "01/02/2025", path});
  const BatchRun site = batch({"--site", kSite, "--format", "csv", "--date", "01/02/2025", path});
  EXPECT_EQ(site.status, 0) << site.err;
  EXPECT_EQ(site.out, plain.out);
}

TEST(BatchSite, ALayerOfAnotherFormatMovesAPieceAndTheReportFollows) {
  TempDir dir;
  const std::string path = caseAlone(dir);
  // The dump truck 60 feet from the apartments, which stand where the example's plan puts them.
  TempDir::write(dir.file("moves.geojson"), R"({"type":"FeatureCollection","features":[
    {"type":"Feature","properties":{"kind":"receptor","number":1,"height":5},"geometry":{"type":"Point","coordinates":[-50,80]}},
    {"type":"Feature","properties":{"kind":"equipment","description":"Dump Truck","height":5},"geometry":{"type":"Point","coordinates":[-50,20]}}]})");
  const BatchRun site = batch({"--site", dir.file("moves.geojson"), "--receptor", "1", "--date", "01/02/2025", path});
  ASSERT_EQ(site.status, 0) << site.err;
  EXPECT_NE(site.out.find("Dump Truck                     No      40       84.0              60.0 "), std::string::npos)
      << site.out;
  EXPECT_NE(site.out.find("Hoe Ram (Hydraulic Breaker)    Yes     20       90.0              180.0"), std::string::npos);
}

TEST(BatchSite, WriteSiteWritesTheCasesPlanInsteadOfAReport) {
  TempDir dir;
  const std::string out = dir.file("copy.gpkg");
  const BatchRun r = batch({"--write-site", out, kCase});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  cStudy a, b;
  cCaseFile(a).readCaseFile(kCase);
  cCaseFile(b).readCaseFile(kCase);
  std::string problem;
  ASSERT_TRUE(cGeoPackageSiteFile().read(kSite, a, problem)) << problem;
  ASSERT_TRUE(cGeoPackageSiteFile().read(out, b, problem)) << problem;
  EXPECT_EQ(mSitePlan::fingerprint(a), mSitePlan::fingerprint(b));
  EXPECT_TRUE(mSitePlan::hasPlan(b));
}

TEST(BatchSite, AnUnreadableSiteFileStopsTheRunWithItsReason) {
  TempDir dir;
  TempDir::write(dir.file("bad.gpkg"), "not a database");
  const BatchRun r = batch({"--site", dir.file("bad.gpkg"), kCase});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("could not be read"), std::string::npos) << r.err;
  const BatchRun missing = batch({"--site", dir.file("none.gpkg"), kCase});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("the file does not exist"), std::string::npos) << missing.err;
  const BatchRun noName = batch({"--site", "", kCase});
  EXPECT_EQ(noName.status, 2);
  EXPECT_NE(noName.err.find("--site needs a file name"), std::string::npos);
}
