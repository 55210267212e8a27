#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "casefile/cCaseFile.h"
#include "site/gdal/cGeoPackageSiteFile.h"
#include "site/gdal/mGdal.h"
#include "site/mSitePlan.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "tests/study/StudyFixtures.h"
#include "tests/support/TempDir.h"

namespace {

struct Plan {
  cStudy study;
  cScriptedMessageService messages;
  Plan() {
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    addValidReceptor(study, "Apartments, 14 Elm Street");
    addValidReceptor(study, "Dental office");
    addValidEquipment(study, "Excavator");
    addValidEquipment(study, "Crane, Mobile");
    linkAll(study, 100);
    study.colReceptors[0]->position = cSitePosition{10.5, -20.25, 5};
    study.colEquipment[1]->position = cSitePosition{-3, 4, 8.125};
    study.sitePlan.barriers.push_back(cBarrier{"Hoarding", {{0, 0}, {10, 0}, {10, 10}}, 12});
    study.colReceptors[0]->colLinks[1]->typedShielding = true;
  }
};

struct DatasetCloser {
  void operator()(GDALDataset* ds) const { GDALClose(ds); }
};

}  // namespace

TEST(GeoPackageSiteFile, GdalReadsBackTheLayersAnyGisProgramShows) {
  TempDir dir;
  Plan p;
  std::string problem;
  const std::string path = dir.file("plan.gpkg");
  ASSERT_TRUE(cGeoPackageSiteFile().write(path, p.study, problem)) << problem;
  EXPECT_FALSE(std::filesystem::exists(path + ".saving.gpkg"));

  mGdal::registerDrivers();
  std::unique_ptr<GDALDataset, DatasetCloser> ds(
      GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  ASSERT_TRUE(ds);
  EXPECT_STREQ(ds->GetDriver()->GetDescription(), "GPKG");
  OGRLayer* receptors = ds->GetLayerByName("receptors");
  ASSERT_TRUE(receptors);
  EXPECT_EQ(receptors->GetGeomType(), wkbPoint);
  ASSERT_EQ(receptors->GetFeatureCount(), 1);  // the dental office is not placed
  OGRFeatureUniquePtr r(receptors->GetNextFeature());
  EXPECT_EQ(r->GetFieldAsInteger("number"), 1);
  EXPECT_STREQ(r->GetFieldAsString("description"), "Apartments, 14 Elm Street");
  EXPECT_EQ(r->GetFieldAsDouble("height"), 5.0);
  EXPECT_EQ(r->GetGeometryRef()->toPoint()->getX(), 10.5);
  EXPECT_EQ(r->GetGeometryRef()->toPoint()->getY(), -20.25);

  OGRLayer* equipment = ds->GetLayerByName("equipment");
  ASSERT_TRUE(equipment);
  OGRFeatureUniquePtr e(equipment->GetNextFeature());
  ASSERT_TRUE(e);
  EXPECT_EQ(e->GetFieldAsInteger("number"), 2);
  EXPECT_STREQ(e->GetFieldAsString("description"), "Crane, Mobile");

  OGRLayer* barriers = ds->GetLayerByName("barriers");
  ASSERT_TRUE(barriers);
  EXPECT_EQ(barriers->GetGeomType(), wkbLineString);
  OGRFeatureUniquePtr b(barriers->GetNextFeature());
  ASSERT_TRUE(b);
  EXPECT_STREQ(b->GetFieldAsString("name"), "Hoarding");
  EXPECT_EQ(b->GetFieldAsDouble("top_height"), 12.0);
  EXPECT_EQ(b->GetGeometryRef()->toLineString()->getNumPoints(), 3);

  OGRLayer* settings = ds->GetLayerByName("settings");
  ASSERT_TRUE(settings);
  std::map<std::string, std::string> values;
  for (auto& f : *settings) values[f->GetFieldAsString("key")] = f->GetFieldAsString("value");
  EXPECT_EQ(values["units"], "feet");
  EXPECT_EQ(values["epsg"], "0");
  EXPECT_EQ(values["typed_shielding"], "1-2");
}

TEST(GeoPackageSiteFile, ReadingBackGivesThePlanThatWasWritten) {
  TempDir dir;
  Plan p;
  p.study.sitePlan.background.path = "aerial.png";
  p.study.sitePlan.background.transform = {100, 0.5, 0, 200, 0, -0.5};
  std::string problem;
  const std::string path = dir.file("plan.gpkg");
  ASSERT_TRUE(cGeoPackageSiteFile().write(path, p.study, problem)) << problem;
  const std::string before = mSitePlan::fingerprint(p.study);

  Plan q;
  q.study.colReceptors[0]->position.reset();
  q.study.colReceptors[1]->position = cSitePosition{1, 1, 1};  // not in the file: taken off
  q.study.colReceptors[0]->colLinks[1]->typedShielding = false;
  q.study.sitePlan = cSitePlan();
  ASSERT_TRUE(cGeoPackageSiteFile().read(path, q.study, problem)) << problem;
  EXPECT_EQ(mSitePlan::fingerprint(q.study), before);
  EXPECT_FALSE(q.study.colReceptors[1]->position);
  EXPECT_TRUE(q.study.colReceptors[0]->colLinks[1]->typedShielding);
}

TEST(GeoPackageSiteFile, AFileInMetersOpensInAFeetCaseConverted) {
  TempDir dir;
  Plan p;
  p.study.units = 1;
  p.study.colReceptors[0]->position = cSitePosition{30.480061, 0, 0};
  std::string problem;
  const std::string path = dir.file("plan.gpkg");
  ASSERT_TRUE(cGeoPackageSiteFile().write(path, p.study, problem)) << problem;
  Plan q;  // feet
  ASSERT_TRUE(cGeoPackageSiteFile().read(path, q.study, problem)) << problem;
  EXPECT_NEAR(q.study.colReceptors[0]->position->x, 100.0, 1e-5);
  EXPECT_NEAR(q.study.sitePlan.barriers[0].topHeight, 12 * 3.280833333, 1e-9);
}

TEST(GeoPackageSiteFile, AProjectedFrameIsWrittenAsTheLayersReferenceSystem) {
  TempDir dir;
  Plan p;
  p.study.units = 1;
  p.study.sitePlan.epsg = 32633;  // UTM zone 33N
  std::string problem;
  const std::string path = dir.file("plan.gpkg");
  ASSERT_TRUE(cGeoPackageSiteFile().write(path, p.study, problem)) << problem;
  std::unique_ptr<GDALDataset, DatasetCloser> ds(
      GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  ASSERT_TRUE(ds);
  const OGRSpatialReference* srs = ds->GetLayerByName("receptors")->GetSpatialRef();
  ASSERT_TRUE(srs);
  EXPECT_STREQ(srs->GetAuthorityCode(nullptr), "32633");
  ds.reset();
  Plan q;
  q.study.units = 1;
  ASSERT_TRUE(cGeoPackageSiteFile().read(path, q.study, problem)) << problem;
  EXPECT_EQ(q.study.sitePlan.epsg, 32633);

  p.study.sitePlan.epsg = 999999;
  EXPECT_FALSE(cGeoPackageSiteFile().write(dir.file("bad.gpkg"), p.study, problem));
  EXPECT_NE(problem.find("EPSG:999999"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.file("bad.gpkg")));
}

TEST(GeoPackageSiteFile, DamagedFilesChangeNothing) {
  TempDir dir;
  Plan p;
  std::string problem;
  const std::string good = dir.file("good.gpkg");
  ASSERT_TRUE(cGeoPackageSiteFile().write(good, p.study, problem)) << problem;
  const std::string bytes = TempDir::read(good);
  const std::string before = mSitePlan::fingerprint(p.study);
  const std::vector<std::pair<const char*, std::string>> damaged = {
      {"empty.gpkg", ""},
      {"text.gpkg", "not a database\r\n"},
      {"cut.gpkg", bytes.substr(0, bytes.size() / 3)},
      {"header.gpkg", bytes.substr(0, 100)},
  };
  for (const auto& [name, content] : damaged) {
    TempDir::write(dir.file(name), content);
    EXPECT_FALSE(cGeoPackageSiteFile().read(dir.file(name), p.study, problem)) << name;
    EXPECT_FALSE(problem.empty()) << name;
    EXPECT_EQ(mSitePlan::fingerprint(p.study), before) << name;
  }
  EXPECT_FALSE(cGeoPackageSiteFile().read(dir.file("missing.gpkg"), p.study, problem));
  EXPECT_FALSE(cGeoPackageSiteFile().read(dir.path().string(), p.study, problem));
  EXPECT_EQ(problem, "it is not a regular file");
}

TEST(GeoPackageSiteFile, AFailedWriteLeavesTheOldFileWhole) {
  TempDir dir;
  Plan p;
  std::string problem;
  const std::string path = dir.file("plan.gpkg");
  ASSERT_TRUE(cGeoPackageSiteFile().write(path, p.study, problem)) << problem;
  const std::string bytes = TempDir::read(path);
  p.study.sitePlan.epsg = 999999;  // refused while the new file is built
  EXPECT_FALSE(cGeoPackageSiteFile().write(path, p.study, problem));
  EXPECT_EQ(TempDir::read(path), bytes);
  EXPECT_FALSE(std::filesystem::exists(path + ".saving.gpkg"));
}
