#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "site/gdal/mGdal.h"
#include "site/gdal/mSiteImport.h"
#include "site/mSitePlan.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "tests/study/StudyFixtures.h"
#include "tests/support/TempDir.h"

namespace {

struct ImportCase : testing::Test {
  TempDir dir;
  cStudy study;
  cScriptedMessageService messages;
  mSiteImport::sImportCount count;
  std::string problem;
  void SetUp() override {
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    addValidReceptor(study, "Apartments");
    addValidReceptor(study, "School");
    addValidEquipment(study, "Excavator");
    linkAll(study, 250);
    study.setReceptorID(1);
  }
  bool import(const std::string& name, const std::string& bytes, SiteLayerKind kind) {
    TempDir::write(dir.file(name), bytes);
    return mSiteImport::importLayer(study, dir.file(name), kind, count, problem);
  }
};

}  // namespace

TEST_F(ImportCase, AGeoJsonLayerPlacesReceptorsByDescriptionAndAppendsTheRest) {
  ASSERT_TRUE(import("homes.geojson", R"({"type":"FeatureCollection","features":[
      {"type":"Feature","properties":{"name":"School","height":4},"geometry":{"type":"Point","coordinates":[30,40]}},
      {"type":"Feature","properties":{"name":"Clinic"},"geometry":{"type":"Polygon","coordinates":[[[0,0],[10,0],[10,10],[0,10],[0,0]]]}}]})",
                     SiteLayerKind::Receptors))
      << problem;
  EXPECT_EQ(count.matched, 1);
  EXPECT_EQ(count.appended, 1);
  ASSERT_EQ(study.colReceptors.size(), 3u);
  EXPECT_EQ(study.receptorPosition(2)->x, 30.0);
  EXPECT_EQ(study.receptorPosition(2)->height, 4.0);
  EXPECT_FALSE(study.receptorPosition(1));
  EXPECT_EQ(study.colReceptors[2]->description, "Clinic");
  EXPECT_EQ(study.receptorPosition(3)->x, 5.0);  // a building's centroid
  EXPECT_EQ(study.colReceptors[2]->colLinks.size(), 1u);
  EXPECT_TRUE(study.caseChanged());
  study.restoreState();  // the whole import is one undo step
  EXPECT_EQ(study.colReceptors.size(), 2u);
  EXPECT_FALSE(study.receptorPosition(2));
}

TEST_F(ImportCase, ACsvOfXYAndDescriptionPlacesEquipmentAndTheLinksFollow) {
  study.colReceptors[0]->position = cSitePosition{0, 0, 0};
  ASSERT_TRUE(import("kit.csv", "x,y,description\r\n30,40,Excavator\r\n-3,4,Crane\r\n", SiteLayerKind::Equipment))
      << problem;
  EXPECT_EQ(count.matched, 1);
  EXPECT_EQ(count.appended, 1);
  EXPECT_EQ(study.colReceptors[0]->colLinks[0]->distance, 50.0f);
  EXPECT_EQ(study.colReceptors[0]->colLinks[1]->distance, 5.0f);
  EXPECT_EQ(study.colEquipment[1]->description, "Crane");
}

TEST_F(ImportCase, ADxfsLinesBecomeBarriersAndShieldThePlacedLinks) {
  study.units = 1;
  study.colReceptors[0]->position = cSitePosition{10, 0, 0};
  study.colEquipment[0]->position = cSitePosition{0, 0, 0};
  const std::string dxf =
      "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nWALL\n10\n5\n20\n-5\n30\n0\n11\n5\n21\n5\n31\n0\n0\nENDSEC\n0\nEOF\n";
  ASSERT_TRUE(import("site.dxf", dxf, SiteLayerKind::Barriers)) << problem;
  ASSERT_EQ(study.sitePlan.barriers.size(), 1u);
  EXPECT_EQ(study.sitePlan.barriers[0].points.size(), 2u);
  EXPECT_EQ(study.sitePlan.barriers[0].topHeight, 0.0);  // a DXF carries no height: the line clears nothing
  EXPECT_EQ(study.colReceptors[0]->colLinks[0]->sheilding, 0.0f);
  study.sitePlan.barriers[0].topHeight = 2;
  mSitePlan::applyToLinks(study);
  EXPECT_EQ(study.colReceptors[0]->colLinks[0]->sheilding, 14.09202f);
}

TEST_F(ImportCase, AShapefileWrittenByGdalImportsAsBarriersWithTheirHeights) {
  mGdal::registerDrivers();
  {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    std::unique_ptr<GDALDataset> ds(driver->Create(dir.file("walls.shp").c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    ASSERT_TRUE(ds);
    OGRLayer* layer = ds->CreateLayer("walls", nullptr, wkbLineString, nullptr);
    OGRFieldDefn name("name", OFTString), top("top_height", OFTReal);
    layer->CreateField(&name);
    layer->CreateField(&top);
    OGRFeature f(layer->GetLayerDefn());
    f.SetField("name", "North wall");
    f.SetField("top_height", 3.5);
    OGRLineString line;
    line.addPoint(0, 0);
    line.addPoint(20, 0);
    line.addPoint(20, 20);
    f.SetGeometry(&line);
    ASSERT_EQ(layer->CreateFeature(&f), OGRERR_NONE);
  }
  ASSERT_TRUE(mSiteImport::importLayer(study, dir.file("walls.shp"), SiteLayerKind::Barriers, count, problem))
      << problem;
  ASSERT_EQ(study.sitePlan.barriers.size(), 1u);
  EXPECT_EQ(study.sitePlan.barriers[0].name, "North wall");
  EXPECT_EQ(study.sitePlan.barriers[0].topHeight, 3.5);
  EXPECT_EQ(study.sitePlan.barriers[0].points.size(), 3u);
}

TEST_F(ImportCase, BadOrHostileFilesGetAReasonAndChangeNothing) {
  study.colReceptors[0]->position = cSitePosition{1, 2, 3};
  const std::string before = mSitePlan::fingerprint(study);
  const std::vector<std::pair<std::string, std::string>> files = {
      {"empty.geojson", ""},
      {"text.geojson", "{\"type\":\"FeatureCollection\",\"features\":[{"},
      {"binary.gpkg", std::string("SQLite format 3\0\x10\x00\x01\x01", 20) + std::string(200, '\xff')},
      {"nan.geojson",
       R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{"name":"A","height":1e400},"geometry":{"type":"Point","coordinates":[1,2]}}]})"},
      {"far.geojson",
       R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{"name":"A"},"geometry":{"type":"Point","coordinates":[1e300,2]}}]})"},
      {"nothing.csv", "x,y,description\r\n"},
      {"picture.png", "\x89PNG\r\n\x1a\n"},
      // Damaged drawings of the kind that kept the reader going round for ever.
      {"nul.dxf", std::string("0\nSECTION\n2\nENTI\r\0\0\0\0\0\0\0\0INE\n8\nWALL\n10\n5\n20\n-5\n", 45)},
      {"drawing.csv", "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nWALL\n10\n\r\r/)//\n"},  // read as a DXF whatever its name
      {"twice.csv", "x,x,description\r\n30,40,Excavator\r\n"},
      {"nul.csv", std::string("y,y\0 description\r\n1,2\r\n", 24)},
      {"northing twice.csv", "Easting;Northing;\"northing\";description\n1;2;3;A\n"},
      {"codes.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n11\n5\n\xd2OVERVIEW\n21\n0\nEOF\n"},
  };
  for (const auto& [name, bytes] : files) {
    EXPECT_FALSE(import(name, bytes, SiteLayerKind::Receptors)) << name;
    EXPECT_FALSE(problem.empty()) << name;
    EXPECT_EQ(mSitePlan::fingerprint(study), before) << name;
    EXPECT_EQ(study.colReceptors.size(), 2u) << name;
  }
  EXPECT_FALSE(study.caseChanged());
}

TEST(SitePicture, AWorldFilePlacesAPngAndAPlainOneWaitsForScaling) {
  TempDir dir;
  mGdal::registerDrivers();
  {
    GDALDriver* mem = GetGDALDriverManager()->GetDriverByName("MEM");
    std::unique_ptr<GDALDataset> src(mem->Create("", 4, 2, 3, GDT_Byte, nullptr));
    ASSERT_TRUE(src);
    src->GetRasterBand(1)->Fill(200);
    std::unique_ptr<GDALDataset> png(GetGDALDriverManager()->GetDriverByName("PNG")->CreateCopy(
        dir.file("aerial.png").c_str(), src.get(), FALSE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(png);
  }
  std::filesystem::copy_file(dir.file("aerial.png"), dir.file("plain.png"));
  // Half a unit per pixel; the world file names the centre of the top-left pixel.
  TempDir::write(dir.file("aerial.pgw"), "0.5\r\n0\r\n0\r\n-0.5\r\n100.25\r\n199.75\r\n");
  mSiteImport::sPicture picture;
  std::string problem;
  ASSERT_TRUE(mSiteImport::readPicture(dir.file("aerial.png"), picture, problem)) << problem;
  EXPECT_EQ(picture.width, 4);
  EXPECT_EQ(picture.height, 2);
  EXPECT_TRUE(picture.placed);
  EXPECT_EQ(picture.transform, (std::array<double, 6>{100, 0.5, 0, 200, 0, -0.5}));
  EXPECT_EQ(picture.rgba[0], 200);
  EXPECT_EQ(picture.rgba[1], 0);
  EXPECT_EQ(picture.rgba[3], 255);

  ASSERT_TRUE(mSiteImport::readPicture(dir.file("plain.png"), picture, problem)) << problem;
  EXPECT_FALSE(picture.placed);
  EXPECT_FALSE(mSiteImport::readPicture(dir.file("plain.png"), picture, problem, 4));
  EXPECT_EQ(problem, "the picture is too large");
  TempDir::write(dir.file("cut.png"), "\x89PNG\r\n\x1a\n\0\0\0\rIHDR");
  EXPECT_FALSE(mSiteImport::readPicture(dir.file("cut.png"), picture, problem));
}
