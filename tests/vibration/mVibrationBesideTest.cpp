// Where a case keeps its vibration settings: the table of its site
// GeoPackage when it has a plan, else the .vib file. Expected rows and bytes
// are written out by hand from the settings each test makes.

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "site/mSiteFile.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "tests/study/StudyFixtures.h"
#include "tests/support/TempDir.h"
#include "vibration/cVibrationSettings.h"
#include "vibration/mVibrationBeside.h"
#include "vibration/mVibrationTable.h"

#if VORN_HAVE_GDAL
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "site/gdal/cGeoPackageSiteFile.h"
#include "site/gdal/mGdal.h"
#include "vibration/gdal/cGeoPackageVibrationTable.h"
#endif

namespace {

namespace fs = std::filesystem;

struct Case {
  TempDir dir;
  cStudy study;
  cScriptedMessageService messages;
  cVibrationSettings settings;

  Case() {
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    addValidReceptor(study, "School");
    addValidReceptor(study, "Houses, Elm Street");
    addValidEquipment(study, "Hoe Ram");
    linkAll(study, 100);
  }
  std::string directory() const { return dir.path().string() + "/"; }
  std::string vibPath() const { return dir.file("Bridge.vib"); }
  std::string sitePath() const { return dir.file("Bridge.gpkg"); }
  void edit() {
    ASSERT_TRUE(settings.setExponent(1.25));
    ASSERT_TRUE(settings.setAnnoyanceLimit(study, *study.colReceptors[0], 70.5));
    ASSERT_TRUE(settings.setCategory(study, *study.colReceptors[1], 2));
    settings.mapping.set("Hoe Ram", mVibrationTable::find("Jackhammer"));
  }
};

constexpr const char* kEditedVib =
    "VORN Vibration - Version 1.0\r\n"
    "Exponent,1.25\r\n"
    "Receptor:,1,School,3,70.5\r\n"
    "Receptor:,2,\"Houses, Elm Street\",2,Default\r\n"
    "Mapping:,Hoe Ram,Jackhammer\r\n";

}  // namespace

TEST(VibrationBeside, ACaseWithoutAPlanKeepsItsSettingsInTheVibFile) {
  Case c;
  c.edit();
  ASSERT_TRUE(mVibrationBeside::save(c.study, c.settings, nullptr, c.directory(), "Bridge.cas", c.messages));
  EXPECT_EQ(TempDir::read(c.vibPath()), kEditedVib);
  EXPECT_FALSE(fs::exists(c.sitePath()));

  cVibrationSettings back;
  ASSERT_TRUE(mVibrationBeside::open(c.study, back, nullptr, c.directory(), "Bridge.cas", c.messages));
  EXPECT_EQ(back.exponent(), 1.25);
  EXPECT_EQ(back.criteriaFor(c.study, *c.study.colReceptors[1]).category, 2);
  EXPECT_TRUE(c.messages.messages().empty());
}

#if VORN_HAVE_GDAL

namespace {

struct DatasetCloser {
  void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

Dataset openGpkg(const std::string& path, bool update = false) {
  mGdal::registerDrivers();
  return Dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | (update ? GDAL_OF_UPDATE : GDAL_OF_READONLY),
                                   nullptr, nullptr, nullptr));
}

// A case with a plan, saved: its site file is its own.
struct PlannedCase : Case {
  cGeoPackageSiteFile siteFile;
  cGeoPackageVibrationTable table;
  PlannedCase() {
    study.colReceptors[0]->position = cSitePosition{0, 0, 5};
    study.colEquipment[0]->position = cSitePosition{100, 0, 5};
    EXPECT_TRUE(mSiteFile::saveBeside(study, &siteFile, dir.file("Bridge.cas")));
  }
  bool save() {
    return mSiteFile::saveBeside(study, &siteFile, dir.file("Bridge.cas")) &&
           mVibrationBeside::save(study, settings, &table, directory(), "Bridge.cas", messages);
  }
  bool open(cVibrationSettings& into) {
    return mVibrationBeside::open(study, into, &table, directory(), "Bridge.cas", messages);
  }
};

}  // namespace

TEST(VibrationBeside, ACaseWithAPlanKeepsItsSettingsInItsGeoPackageAsGdalReadsThem) {
  PlannedCase c;
  c.edit();
  ASSERT_TRUE(c.save());
  EXPECT_FALSE(fs::exists(c.vibPath()));
  EXPECT_FALSE(fs::exists(c.sitePath() + ".saving.gpkg"));

  Dataset ds = openGpkg(c.sitePath());
  ASSERT_TRUE(ds);
  OGRLayer* layer = ds->GetLayerByName("vibration_settings");
  ASSERT_TRUE(layer);
  EXPECT_EQ(layer->GetGeomType(), wkbNone);
  EXPECT_EQ(layer->GetLayerDefn()->GetFieldDefn(1)->GetType(), OFTInteger);
  struct Row {
    const char* record;
    int number;  // 0: null
    const char* description;
    const char* value;
    const char* limit;
  };
  const Row expected[] = {
      {"Format", 0, "", "VORN Vibration - Version 1.0", ""},
      {"Exponent", 0, "", "1.25", ""},
      {"Receptor:", 1, "School", "3", "70.5"},
      {"Receptor:", 2, "Houses, Elm Street", "2", "Default"},
      {"Mapping:", 0, "Hoe Ram", "Jackhammer", ""},
  };
  ASSERT_EQ(layer->GetFeatureCount(), 5);
  for (const Row& want : expected) {
    OGRFeatureUniquePtr f(layer->GetNextFeature());
    ASSERT_TRUE(f);
    EXPECT_STREQ(f->GetFieldAsString("record"), want.record);
    if (want.number) EXPECT_EQ(f->GetFieldAsInteger("number"), want.number);
    else EXPECT_TRUE(f->IsFieldNull(f->GetFieldIndex("number"))) << want.record;
    EXPECT_STREQ(f->GetFieldAsString("description"), want.description);
    EXPECT_STREQ(f->GetFieldAsString("value"), want.value);
    EXPECT_STREQ(f->GetFieldAsString("annoyance_limit"), want.limit);
  }
  // The plan's own layers are as the site file wrote them.
  ASSERT_TRUE(ds->GetLayerByName("receptors"));
  EXPECT_EQ(ds->GetLayerByName("receptors")->GetFeatureCount(), 1);
  ds.reset();

  cVibrationSettings back;
  ASSERT_TRUE(c.open(back));
  EXPECT_EQ(back.exponent(), 1.25);
  EXPECT_EQ(back.criteriaFor(c.study, *c.study.colReceptors[0]).lvLimit, 70.5);
  EXPECT_EQ(back.criteriaFor(c.study, *c.study.colReceptors[1]).category, 2);
  EXPECT_EQ(back.mapping.rowFor("Hoe Ram"), mVibrationTable::find("Jackhammer"));
  EXPECT_TRUE(c.messages.messages().empty());

  // The site file read back by the plan's reader still holds the plan.
  cStudy again;
  addValidReceptor(again, "School");
  addValidReceptor(again, "Houses, Elm Street");
  addValidEquipment(again, "Hoe Ram");
  std::string problem;
  ASSERT_TRUE(c.siteFile.read(c.sitePath(), again, problem)) << problem;
  EXPECT_EQ(again.colEquipment[0]->position->x, 100.0);
}

TEST(VibrationBeside, AnUnchangedPlanAndUnchangedSettingsLeaveTheGeoPackageUntouched) {
  PlannedCase c;
  c.edit();
  ASSERT_TRUE(c.save());
  const std::string bytes = TempDir::read(c.sitePath());
  const auto stamp = fs::last_write_time(c.sitePath());
  ASSERT_TRUE(c.save());
  cVibrationSettings reopened;
  ASSERT_TRUE(c.open(reopened));
  c.settings = reopened;
  ASSERT_TRUE(c.save());
  EXPECT_TRUE(TempDir::read(c.sitePath()) == bytes);
  EXPECT_EQ(fs::last_write_time(c.sitePath()), stamp);

  // A moved piece rewrites the plan, and the settings go back in with it.
  c.study.colEquipment[0]->position->x = 120;
  ASSERT_TRUE(c.save());
  cVibrationSettings back;
  ASSERT_TRUE(c.open(back));
  EXPECT_EQ(back.exponent(), 1.25);
  // Default settings of a case that never had any write no table.
  PlannedCase plain;
  ASSERT_TRUE(plain.save());
  Dataset ds = openGpkg(plain.sitePath());
  ASSERT_TRUE(ds);
  EXPECT_EQ(ds->GetLayerByName("vibration_settings"), nullptr);
}

TEST(VibrationBeside, SaveAsTakesTheSettingsIntoTheNewSiteFile) {
  PlannedCase c;
  c.edit();
  ASSERT_TRUE(c.save());
  ASSERT_TRUE(mSiteFile::saveBeside(c.study, &c.siteFile, c.dir.file("Copy.cas")));
  ASSERT_TRUE(mVibrationBeside::save(c.study, c.settings, &c.table, c.directory(), "Copy.cas", c.messages));
  EXPECT_FALSE(fs::exists(c.dir.file("Copy.vib")));
  cVibrationSettings back;
  ASSERT_TRUE(mVibrationBeside::open(c.study, back, &c.table, c.directory(), "Copy.cas", c.messages));
  EXPECT_EQ(mVibrationFile::buildTableRows(back, c.study), mVibrationFile::buildTableRows(c.settings, c.study));
}

TEST(VibrationBeside, WithBothTheGeoPackageWinsAndTheVibFileIsLeftAlone) {
  PlannedCase c;
  c.edit();
  ASSERT_TRUE(c.save());
  const std::string older = "VORN Vibration - Version 1.0\r\nExponent,1.4\r\n";
  TempDir::write(c.vibPath(), older);
  cVibrationSettings back;
  ASSERT_TRUE(c.open(back));
  EXPECT_EQ(back.exponent(), 1.25);
  ASSERT_TRUE(back.setExponent(1.3));
  c.settings = back;
  ASSERT_TRUE(c.save());
  EXPECT_TRUE(TempDir::read(c.vibPath()) == older);
  ASSERT_TRUE(c.open(back));
  EXPECT_EQ(back.exponent(), 1.3);
}

TEST(VibrationBeside, AVibFileFromBeforeThePlanServesUntilTheSettingsChange) {
  PlannedCase c;
  TempDir::write(c.vibPath(), kEditedVib);
  cVibrationSettings back;
  ASSERT_TRUE(c.open(back));
  EXPECT_EQ(back.exponent(), 1.25);
  c.settings = back;
  const std::string bytes = TempDir::read(c.sitePath());
  ASSERT_TRUE(c.save());
  EXPECT_TRUE(TempDir::read(c.sitePath()) == bytes);  // nothing new to say: untouched

  ASSERT_TRUE(c.settings.setExponent(1.5));
  ASSERT_TRUE(c.save());
  EXPECT_EQ(TempDir::read(c.vibPath()), kEditedVib);
  ASSERT_TRUE(c.open(back));
  EXPECT_EQ(back.exponent(), 1.5);
  EXPECT_EQ(back.criteriaFor(c.study, *c.study.colReceptors[1]).category, 2);
}

TEST(VibrationBeside, ADamagedTableGivesAMessageAndTheDefaults) {
  struct Damage {
    const char* what;
    std::vector<mVibrationFile::TableRow> rows;
    bool dropColumn;
    const char* problem;
  };
  const Damage damages[] = {
      {"exponent not a number",
       {{"Format", "", "", "VORN Vibration - Version 1.0", ""}, {"Exponent", "", "", "abc", ""}},
       false,
       "its vibration_settings table is damaged"},
      {"no title", {{"Exponent", "", "", "1.5", ""}}, false, "its vibration_settings table is damaged"},
      {"category out of range",
       {{"Format", "", "", "VORN Vibration - Version 1.0", ""},
        {"Exponent", "", "", "1.5", ""},
        {"Receptor:", "1", "School", "9", "Default"}},
       false,
       "its vibration_settings table is damaged"},
      {"a column missing",
       {{"Format", "", "", "VORN Vibration - Version 1.0", ""}, {"Exponent", "", "", "1.5", ""}},
       true,
       "its vibration_settings table has no column annoyance_limit"},
  };
  for (const Damage& d : damages) {
    PlannedCase c;
    std::string problem;
    ASSERT_TRUE(c.table.write(c.sitePath(), d.rows, problem)) << problem;
    if (d.dropColumn) {
      Dataset ds = openGpkg(c.sitePath(), true);
      ASSERT_TRUE(ds);
      OGRLayer* layer = ds->GetLayerByName("vibration_settings");
      ASSERT_EQ(layer->DeleteField(layer->GetLayerDefn()->GetFieldIndex("annoyance_limit")), OGRERR_NONE);
    }
    cVibrationSettings back;
    ASSERT_TRUE(back.setExponent(1.2));
    EXPECT_FALSE(c.open(back)) << d.what;
    EXPECT_TRUE(back.isDefault()) << d.what;
    ASSERT_EQ(c.messages.messages().size(), 1u) << d.what;
    EXPECT_EQ(c.messages.messages()[0].text, std::string("The vibration settings in Bridge.gpkg could not be read: ") +
                                                 d.problem + "\nThe case opens with the default vibration settings.")
        << d.what;
    // Saving the defaults leaves the damaged table for the user to mend.
    const std::string bytes = TempDir::read(c.sitePath());
    ASSERT_TRUE(c.save());
    EXPECT_TRUE(TempDir::read(c.sitePath()) == bytes) << d.what;
  }
}

#endif
