#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <set>

#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include "site/cGridJob.h"
#include "site/cNoiseGrid.h"
#include "site/gdal/mNoiseMapExport.h"

namespace fs = std::filesystem;

namespace {

class MapExport : public ::testing::Test {
protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("vorn_map_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                       "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    GDALAllRegister();
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string file(const char* name) const { return (dir / name).string(); }
  fs::path dir;
};

// One piece in the middle of 200 x 100 cells of 1 ft: levels fall from
// 119 dB at the piece to about 40 at the corners.
cNoiseGrid onePieceGrid() {
  cGridInput in;
  in.pieces.push_back({100.0, -50.0, 5.0, 85.0f, 40.0f});
  cGridJob job(in, cGridFrame{0, 0, 1, 200, 100}, 1);
  EXPECT_EQ(job.run(), cGridJob::Outcome::done);
  cNoiseGrid g = job.grid();
  // A cell without a level stays without one in the file.
  g.level[5] = cNoiseGrid::noData;
  return g;
}

mNoiseMapExport::sMapLayer mapLayer(const cNoiseGrid& g, const std::vector<float>& values, std::int32_t epsg) {
  mNoiseMapExport::sMapLayer layer;
  layer.grid = &g;
  layer.values = &values;
  layer.epsg = epsg;
  return layer;
}

}  // namespace

TEST_F(MapExport, GeoTiffHoldsTheGridBitForBitWithItsFrameAndSystem) {
  const cNoiseGrid g = onePieceGrid();
  mNoiseMapExport::sMapLayer layer = mapLayer(g, g.level, 26915);
  std::string error;
  ASSERT_TRUE(mNoiseMapExport::write(layer, file("map.tif"), error)) << error;
  EXPECT_FALSE(fs::exists(dir / ".map.vorn-new.tif"));
  GDALDatasetH ds = GDALOpen(file("map.tif").c_str(), GA_ReadOnly);
  ASSERT_NE(ds, nullptr);
  EXPECT_EQ(GDALGetRasterXSize(ds), 200);
  EXPECT_EQ(GDALGetRasterYSize(ds), 100);
  double t[6];
  ASSERT_EQ(GDALGetGeoTransform(ds, t), CE_None);
  EXPECT_EQ(t[0], 0.0);
  EXPECT_EQ(t[1], 1.0);
  EXPECT_EQ(t[3], 0.0);
  EXPECT_EQ(t[5], -1.0);
  OGRSpatialReferenceH srs = GDALGetSpatialRef(ds);
  ASSERT_NE(srs, nullptr);
  EXPECT_STREQ(OSRGetAuthorityCode(srs, nullptr), "26915");
  GDALRasterBandH band = GDALGetRasterBand(ds, 1);
  EXPECT_EQ(GDALGetRasterDataType(band), GDT_Float32);
  int has = 0;
  EXPECT_EQ(GDALGetRasterNoDataValue(band, &has), cNoiseGrid::noData);
  EXPECT_TRUE(has);
  std::vector<float> back(g.level.size());
  ASSERT_EQ(GDALRasterIO(band, GF_Read, 0, 0, 200, 100, back.data(), 200, 100, GDT_Float32, 0, 0), CE_None);
  GDALClose(ds);
  for (std::size_t i = 0; i < back.size(); ++i)
    ASSERT_EQ(std::bit_cast<std::uint32_t>(back[i]), std::bit_cast<std::uint32_t>(g.level[i])) << i;
}

TEST_F(MapExport, LocalFrameHasNoSystemAndUnknownCodesAreRefused) {
  const cNoiseGrid g = onePieceGrid();
  std::string error;
  mNoiseMapExport::sMapLayer local = mapLayer(g, g.lmax, 0);
  ASSERT_TRUE(mNoiseMapExport::write(local, file("local.tif"), error)) << error;
  GDALDatasetH ds = GDALOpen(file("local.tif").c_str(), GA_ReadOnly);
  ASSERT_NE(ds, nullptr);
  EXPECT_EQ(GDALGetSpatialRef(ds), nullptr);
  GDALClose(ds);
  mNoiseMapExport::sMapLayer bad = mapLayer(g, g.lmax, 999999);
  EXPECT_FALSE(mNoiseMapExport::write(bad, file("bad.tif"), error));
  EXPECT_EQ(error, "The coordinate system EPSG:999999 is not known.");
  EXPECT_FALSE(fs::exists(dir / "bad.tif"));
  EXPECT_FALSE(mNoiseMapExport::write(local, file("map.png"), error));
  EXPECT_FALSE(mNoiseMapExport::write(local, (dir / "no such dir" / "m.tif").string(), error));
  EXPECT_FALSE(error.empty());
}

namespace {

struct sFeature {
  std::string band;
  double low, high;
  bool highSet;
  OGRGeometryH geometry;
};

// Reads every feature of the file's only (or named) layer.
std::vector<sFeature> readBands(const std::string& path, const char* layerName = nullptr) {
  std::vector<sFeature> out;
  GDALDatasetH ds = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  EXPECT_NE(ds, nullptr);
  if (!ds) return out;
  OGRLayerH layer = layerName ? GDALDatasetGetLayerByName(ds, layerName) : GDALDatasetGetLayer(ds, 0);
  EXPECT_NE(layer, nullptr);
  while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
    const int hi = OGR_F_GetFieldIndex(f, "high_db");
    out.push_back({OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "band")),
                   OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "low_db")), OGR_F_GetFieldAsDouble(f, hi),
                   static_cast<bool>(OGR_F_IsFieldSetAndNotNull(f, hi)), OGR_G_Clone(OGR_F_GetGeometryRef(f))});
    OGR_F_Destroy(f);
  }
  GDALClose(ds);
  return out;
}

bool contains(OGRGeometryH g, double x, double y) {
  OGRGeometryH p = OGR_G_CreateGeometry(wkbPoint);
  OGR_G_SetPoint_2D(p, 0, x, y);
  const bool in = OGR_G_Contains(g, p);
  OGR_G_DestroyGeometry(p);
  return in;
}

}  // namespace

// Distances from the piece where the level crosses a band edge, by hand:
// Leq = 85 - 20 lg(d / 50) - 3.9794 = 81.0206 - 20 lg(d / 50).
// 80 dB at d = 56.2 ft, 75 at 100 ft, 60 at 562 ft (beyond the grid).
TEST_F(MapExport, BandPolygonsCarryTheirBandInEveryFormat) {
  const cNoiseGrid g = onePieceGrid();
  for (const char* name : {"bands.geojson", "bands.shp", "bands.gpkg"}) {
    mNoiseMapExport::sMapLayer layer = mapLayer(g, g.level, 26915);
    std::string error;
    ASSERT_TRUE(mNoiseMapExport::write(layer, file(name), error)) << name << ": " << error;
    const auto features = readBands(file(name));
    std::set<std::string> names;
    for (const auto& f : features) names.insert(f.band);
    EXPECT_EQ(names.size(), features.size()) << "one feature per band";
    // The grid holds 74.1 dB and up (the corners' cells are 111.1 ft away);
    // bands from 70 - 75 to 80+.
    const std::set<std::string> expected = {"70 - 75 dB", "75 - 80 dB", "80 dB and above"};
    EXPECT_EQ(names, expected) << name;
    for (const auto& f : features) {
      if (f.band == "80 dB and above") {
        EXPECT_EQ(f.low, 80.0);
        EXPECT_FALSE(f.highSet);
        EXPECT_TRUE(contains(f.geometry, 100, -50));       // at the piece
        EXPECT_TRUE(contains(f.geometry, 100 + 50, -50));  // 50 ft: 81.0 dB
        EXPECT_FALSE(contains(f.geometry, 100 + 60, -50)); // 60 ft: 79.4 dB
      } else if (f.band == "75 - 80 dB") {
        EXPECT_EQ(f.low, 75.0);
        EXPECT_EQ(f.high, 80.0);
        EXPECT_TRUE(contains(f.geometry, 100 + 70, -50));  // 70 ft: 78.1 dB
        EXPECT_FALSE(contains(f.geometry, 100, -50));
      } else {
        EXPECT_EQ(f.low, 70.0);
        EXPECT_TRUE(contains(f.geometry, 1, -99));      // 110.5 ft: 74.1 dB
        EXPECT_FALSE(contains(f.geometry, 190, -50));  // 90 ft: 75.9 dB
      }
      OGR_G_DestroyGeometry(f.geometry);
    }
  }
}

TEST_F(MapExport, GeoPackageKeepsItsOtherLayersAndReplacesTheMap) {
  const cNoiseGrid g = onePieceGrid();
  std::string error;
  mNoiseMapExport::sMapLayer lmax = mapLayer(g, g.lmax, 0);
  lmax.name = "map_lmax";
  mNoiseMapExport::sMapLayer leq = mapLayer(g, g.level, 0);
  leq.name = "map_leq";
  ASSERT_TRUE(mNoiseMapExport::write(lmax, file("site.gpkg"), error)) << error;
  ASSERT_TRUE(mNoiseMapExport::write(leq, file("site.gpkg"), error)) << error;
  ASSERT_TRUE(mNoiseMapExport::write(leq, file("site.gpkg"), error)) << error;
  GDALDatasetH ds = GDALOpenEx(file("site.gpkg").c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  ASSERT_NE(ds, nullptr);
  EXPECT_EQ(GDALDatasetGetLayerCount(ds), 2);
  GDALClose(ds);
  const std::vector<sFeature> bands = readBands(file("site.gpkg"), "map_leq");
  EXPECT_EQ(bands.size(), 3u);
  for (const sFeature& f : bands) OGR_G_DestroyGeometry(f.geometry);
}
