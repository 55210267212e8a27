#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <sstream>

#include <gdal.h>
#include <ogr_api.h>

#include "casefile/cCaseFile.h"
#include "cli/mBatch.h"
#include "cli/mBatchMap.h"
#include "site/cGridJob.h"
#include "site/gdal/cGeoPackageSiteFile.h"
#include "site/mNoiseMap.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kBin = std::string(VORN_BIN_DIR) + "/";
const std::string kExamples = std::string(VORN_SOURCE_DIR) + "/examples/";
const std::string kCase = kExamples + "Bridge Demolition.cas";

struct BatchRun {
  int status;
  std::string out, err;
};

BatchRun batch(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = mBatch::main(args, kBin, out, err);
  return {status, out.str(), err.str()};
}

std::vector<float> readTiff(const std::string& path, int& columns, int& rows) {
  GDALAllRegister();
  GDALDatasetH ds = GDALOpen(path.c_str(), GA_ReadOnly);
  EXPECT_NE(ds, nullptr);
  if (!ds) return {};
  columns = GDALGetRasterXSize(ds);
  rows = GDALGetRasterYSize(ds);
  std::vector<float> v(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
  EXPECT_EQ(GDALRasterIO(GDALGetRasterBand(ds, 1), GF_Read, 0, 0, columns, rows, v.data(), columns, rows,
                         GDT_Float32, 0, 0),
            CE_None);
  GDALClose(ds);
  return v;
}

}  // namespace

// The batch tool's GeoTIFF is the grid the core computes for the example
// case with its site plan, bit for bit, at the cell size asked for.
TEST(BatchMap, GeoTiffOfTheExampleIsTheCoresGrid) {
  TempDir dir;
  const std::string out = dir.file("bridge.tif");
  const BatchRun run = batch({"--map", out, "--cell", "2", "--metric", "lmax", kCase});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  int columns = 0, rows = 0;
  const auto values = readTiff(out, columns, rows);

  cStudy study;
  cScriptedMessageService messages;
  study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
  cGeoPackageSiteFile store;
  study.caseFile.attachSiteFile(&store);
  ASSERT_TRUE(study.caseFile.openCaseAt(kExamples, "Bridge Demolition.cas"));
  const cGridFrame frame = mNoiseMap::defaultFrame(study, 2);
  ASSERT_EQ(columns, frame.columns);
  ASSERT_EQ(rows, frame.rows);
  auto job = mNoiseMap::job(study, frame);
  ASSERT_EQ(job->run(), cGridJob::Outcome::done);
  ASSERT_EQ(values.size(), job->grid().lmax.size());
  for (std::size_t i = 0; i < values.size(); ++i)
    ASSERT_EQ(std::bit_cast<std::uint32_t>(values[i]), std::bit_cast<std::uint32_t>(job->grid().lmax[i])) << i;
}

TEST(BatchMap, BandsAndExceedanceAsPolygons) {
  TempDir dir;
  const std::string out = dir.file("bands.geojson");
  ASSERT_EQ(batch({"--map", out, kCase}).status, 0);
  GDALAllRegister();
  GDALDatasetH ds = GDALOpenEx(out.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  ASSERT_NE(ds, nullptr);
  OGRLayerH layer = GDALDatasetGetLayer(ds, 0);
  EXPECT_GT(OGR_L_GetFeatureCount(layer, TRUE), 0);
  while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
    const std::string band = OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "band"));
    EXPECT_NE(band.find(" dB"), std::string::npos) << band;
    OGR_F_Destroy(f);
  }
  GDALClose(ds);
  // Exceedances of a fixed limit need no baseline.
  const std::string over = dir.file("over.gpkg");
  const BatchRun run = batch({"--map", over, "--exceed", "Residential,night", "--cell", "4", kCase});
  if (run.status == 0) {
    ds = GDALOpenEx(over.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
    ASSERT_NE(ds, nullptr);
    layer = GDALDatasetGetLayer(ds, 0);
    while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
      const std::string band = OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "band"));
      EXPECT_EQ(band.rfind("over by", 0), 0u) << band;
      OGR_F_Destroy(f);
    }
    GDALClose(ds);
  } else {
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("baseline"), std::string::npos) << run.err;
  }
}

TEST(BatchMap, WrongOptionsAndCasesWithoutAPlan) {
  TempDir dir;
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"--map", dir.file("m.tif"), "--cell", "0", kCase}, 2, "--cell needs a cell size above 0"},
      {{"--map", dir.file("m.tif"), "--metric", "lden", kCase}, 2, "--metric must be lmax, leq or l10"},
      {{"--cell", "3", kCase}, 2, "--cell, --metric and --exceed go with --map"},
      {{"--map", dir.file("m.tif"), "--exceed", "Farm,day", kCase}, 2, "--exceed needs LANDUSE,PERIOD"},
      {{"--map", dir.file("m.png"), kCase}, 2, "GeoTIFF (.tif), GeoJSON (.geojson)"},
      {{"--map", dir.file("m.tif"), kExamples + "Night Paving.cas"}, 1, "no site plan to map"},
  };
  for (const auto& c : cases) {
    const BatchRun run = batch(c.args);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("m.tif")));
}
