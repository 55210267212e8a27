// vorn-batch --vibration on a case worked out by hand (data/school.cas with
// its settings in data/school.vib: n = 1.1, the School in category 1 with an
// annoyance limit of 80 VdB, the Backhoe Loader taken for loaded trucks).
// For example the pile driver at the House (100 ft): PPV = 1.518 x 0.25^1.1
// = 0.3304 against 0.2 (exceeded by 0.1304), Lv = 112 - 30 lg 4 = 93.94
// against 72; minimum distances 25 x 7.59^(1/1.1) = 157.82 -> 157.9 ft and
// 25 x 10^(40/30) = 538.61 -> 538.7 ft. The Hoe Ram is inactive; the
// Jackhammer's distance to the House is 0, so it has no levels there.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../support/TempDir.h"
#include "cli/mBatch.h"
#include "cli/mBatchVibration.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "vibration/cVibrationSettings.h"
#include "vibration/mVibrationResults.h"

namespace {

const std::string kData = VORN_TEST_DATA;
const std::string kBin = std::string(VORN_BIN_DIR) + "/";

struct BatchRun {
  int status;
  std::string out, err;
};

BatchRun batch(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = mBatch::main(args, kBin, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace

TEST(BatchVibration, CommaDelimitedBytesAsWorkedOutByHand) {
  const BatchRun r = batch({"--vibration", "--format", "csv", kData + "/school.cas"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, TempDir::read(kData + "/school-vibration.csv"));
}

TEST(BatchVibration, OneReceptorAndTheTextTable) {
  BatchRun r = batch({"--vibration", "--format=csv", "--receptor", "2", kData + "/school.cas"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.find("\r\n1,"), std::string::npos);
  EXPECT_NE(r.out.find("\r\n2,Jackhammer,50.0,0.016,0.500,None,70.0,80.0,None,2.3,23.2\r\n"), std::string::npos);

  r = batch({"--vibration", kData + "/school.cas"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("distances in feet, n = 1.10\r\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Receptor #2: School (Commercial)\r\n"
                       "  Building: Reinforced concrete, steel or timber, PPV limit 0.500 in/s; annoyance limit "
                       "80.0 VdB\r\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("annoyance limit 72.0 VdB (by land use)\r\n"), std::string::npos);
  EXPECT_NE(r.out.find("  Worst: PPV 0.330 in/s (Pile Driver, Impact (Diesel)), Lv 94.0 VdB (Roller, Vibratory)\r\n"),
            std::string::npos)
      << r.out;
}

TEST(BatchVibration, WithoutSettingsTheDefaultsApplyAndABadFileStopsTheRun) {
  TempDir dir;
  std::filesystem::copy_file(kData + "/school.cas", dir.file("school.cas"));
  // No settings: n = 1.5, the Backhoe Loader is no source, the School is in
  // category 3 with 75 VdB. Roller at the School (100 ft): 0.21 / 8 = 0.02625.
  BatchRun r = batch({"--vibration", "--format", "csv", dir.file("school.cas")});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.find("Backhoe"), std::string::npos);
  EXPECT_NE(r.out.find("\r\n2,\"Roller, Vibratory\",100.0,0.026,0.200,None,75.9,75.0,0.9,"), std::string::npos)
      << r.out;

  TempDir::write(dir.file("school.vib"), "VORN Vibration - Version 1.0\r\nExponent,2\r\n");
  r = batch({"--vibration", dir.file("school.cas")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("Problem reading vibration file."), std::string::npos);

  r = batch({"--vibration", "--receptor", "3", kData + "/school.cas"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Please select a Receptor."), std::string::npos);

  r = batch({"--vibration", "--summary", kData + "/school.cas"});
  EXPECT_EQ(r.status, 2);
}

TEST(VibrationResults, ACaseInMetersShowsMetersAndTheWorstPiece) {
  cStudy study;
  study.units = 1;
  auto roller = study.addEquipment(1);
  roller->active = true;
  roller->description = "Roller, Vibratory";
  auto ram = study.addEquipment(2);
  ram->active = true;
  ram->description = "Hoe Ram (Hydraulic Breaker)";
  auto home = study.addReceptor(1);
  home->description = "Home";
  home->setLandUseTxt("Residential");
  study.updateLinks();
  // 7.62 m = 25.0 ft (float of 7.62 x 3.280833333 = 24.99995); 30.48 m = 99.9998 ft.
  home->colLinks[0]->distance = 30.48f;
  home->colLinks[1]->distance = 7.62f;
  cVibrationSettings settings;
  const auto v = mVibrationResults::compute(study, settings, *home);
  ASSERT_EQ(v.pieces.size(), 2u);
  // Roller: 0.21 x (25 / 99.9998)^1.5 = 0.026250 in/s, 75.938 VdB; minimum
  // distances 25 x 1.05^(2/3) = 25.8265 ft = 7.8719 m -> 7.9 and
  // 25 x 10^(22/30) = 135.292 ft = 41.237 m -> 41.3.
  EXPECT_EQ(mVibrationResults::ppvText(v.pieces[0].ppv), "0.026");
  EXPECT_EQ(mVibrationResults::levelText(v.pieces[0].lv), "75.9");
  EXPECT_EQ(mVibrationResults::lvExceedanceText(v.pieces[0]), "3.9");
  EXPECT_EQ(format0_0(v.pieces[0].minDistancePPV), "7.9");
  EXPECT_EQ(format0_0(v.pieces[0].minDistanceLv), "41.3");
  // Hoe ram at 24.99995 ft: 0.089 in/s and 87.0 VdB, the worst of both.
  EXPECT_EQ(mVibrationResults::ppvText(v.pieces[1].ppv), "0.089");
  EXPECT_EQ(mVibrationResults::ppvExceedanceText(v.pieces[1]), "None");
  EXPECT_EQ(mVibrationResults::levelText(v.pieces[1].lv), "87.0");
  EXPECT_EQ(v.worstPPV, 1u);
  EXPECT_EQ(v.worstLv, 1u);
  // An inactive piece is no source; nor is one mapped to none.
  ram->active = false;
  EXPECT_EQ(mVibrationResults::compute(study, settings, *home).pieces.size(), 1u);
  settings.mapping.set("Roller, Vibratory", cVibrationMapping::noSource);
  EXPECT_TRUE(mVibrationResults::compute(study, settings, *home).pieces.empty());
}

#if VORN_HAVE_GDAL
#include "site/gdal/cGeoPackageSiteFile.h"
#include "vibration/gdal/cGeoPackageVibrationTable.h"

TEST(BatchVibration, ReadsTheSettingsFromTheSiteFileBesideTheCaseBeforeAnyVibFile) {
  TempDir dir;
  std::filesystem::copy_file(kData + "/school.cas", dir.file("school.cas"));
  // A vib file that says otherwise: the site file's table counts.
  TempDir::write(dir.file("school.vib"), "VORN Vibration - Version 1.0\r\nExponent,1.5\r\n");
  std::string problem;
  {
    cStudy empty;
    ASSERT_TRUE(cGeoPackageSiteFile().write(dir.file("school.gpkg"), empty, problem)) << problem;
  }
  // The settings of data/school.vib, as rows of the table.
  const std::vector<mVibrationFile::TableRow> rows = {
      {"Format", "", "", "VORN Vibration - Version 1.0", ""},
      {"Exponent", "", "", "1.1", ""},
      {"Receptor:", "2", "School", "1", "80"},
      {"Mapping:", "", "Backhoe Loader", "Loaded trucks", ""},
  };
  ASSERT_TRUE(cGeoPackageVibrationTable().write(dir.file("school.gpkg"), rows, problem)) << problem;
  BatchRun r = batch({"--vibration", "--format", "csv", dir.file("school.cas")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, TempDir::read(kData + "/school-vibration.csv"));

  // A damaged table stops the run with the reason.
  ASSERT_TRUE(cGeoPackageVibrationTable().write(dir.file("school.gpkg"), {rows[1]}, problem)) << problem;
  r = batch({"--vibration", "--format", "csv", dir.file("school.cas")});
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("The vibration settings in school.gpkg could not be read: its vibration_settings table is "
                       "damaged"),
            std::string::npos)
      << r.err;
}
#endif
