// The case's vibration settings: the mapping, the receptors' limits and the
// file beside the case.

#include <string>

#include <gtest/gtest.h>

#include "../support/TempDir.h"
#include "study/cStudy.h"
#include "vibration/cVibrationSettings.h"
#include "vibration/mVibrationFile.h"
#include "vibration/mVibrationTable.h"

namespace {

int row(const char* name) { return mVibrationTable::find(name); }

std::shared_ptr<cReceptorRecord> addReceptor(cStudy& study, const std::string& description, const char* landUse) {
  auto r = study.addReceptor(static_cast<std::int32_t>(study.colReceptors.size() + 1));
  r->description = description;
  r->setLandUseTxt(landUse);
  return r;
}

}  // namespace

TEST(VibrationMapping, ShippedDescriptionsMatchWholeIgnoringCaseAndBlanks) {
  cVibrationMapping m;
  EXPECT_EQ(m.rowFor("Roller, Vibratory"), row("Vibratory roller"));
  EXPECT_EQ(m.rowFor("  roller, VIBRATORY "), row("Vibratory roller"));
  EXPECT_EQ(m.rowFor("Pile Driver, Impact (Diesel)"), row("Impact pile driver (upper range)"));
  EXPECT_EQ(m.rowFor("Roller, Static"), cVibrationMapping::noSource);
  EXPECT_EQ(m.rowFor("Roller, Vibratory #2"), cVibrationMapping::noSource);
  EXPECT_EQ(m.rowFor("Backhoe Loader"), cVibrationMapping::noSource);
  for (const auto& e : cVibrationMapping::defaultEntries()) EXPECT_NE(e.row, cVibrationMapping::noSource) << e.description;
}

TEST(VibrationMapping, UserEntriesComeFirstAndOnlyRealChoicesAreKept) {
  cVibrationMapping m;
  m.set("Backhoe Loader", row("Loaded trucks"));
  m.set("Jackhammer", cVibrationMapping::noSource);
  EXPECT_EQ(m.rowFor("backhoe loader"), row("Loaded trucks"));
  EXPECT_EQ(m.rowFor("Jackhammer"), cVibrationMapping::noSource);
  ASSERT_EQ(m.userEntries().size(), 2u);
  // Choosing again replaces; choosing the built-in row removes the entry.
  m.set("BACKHOE LOADER", row("Hoe ram"));
  EXPECT_EQ(m.rowFor("Backhoe Loader"), row("Hoe ram"));
  m.set("Jackhammer", row("Jackhammer"));
  ASSERT_EQ(m.userEntries().size(), 1u);
  EXPECT_EQ(m.userEntries()[0].description, "BACKHOE LOADER");
  // Nonsense is refused.
  m.set("Backhoe Loader", 99);
  m.set("   ", row("Hoe ram"));
  EXPECT_EQ(m.userEntries().size(), 1u);
}

TEST(VibrationSettings, LimitsFollowTheLandUseUntilSet) {
  cStudy study;
  auto home = addReceptor(study, "Home", "Residential");
  auto shop = addReceptor(study, "Shop", "Commercial");
  auto works = addReceptor(study, "Works", "Industrial");
  cVibrationSettings s;
  EXPECT_EQ(s.criteriaFor(study, *home).lvLimit, 72.0);
  EXPECT_EQ(s.criteriaFor(study, *shop).lvLimit, 75.0);
  EXPECT_EQ(s.criteriaFor(study, *works).lvLimit, 75.0);
  EXPECT_EQ(s.criteriaFor(study, *home).category, 3);
  EXPECT_EQ(s.criteriaFor(study, *home).ppvLimit, 0.2);
  EXPECT_TRUE(s.isDefault());

  ASSERT_TRUE(s.setCategory(study, *home, 1));
  EXPECT_EQ(s.criteriaFor(study, *home).ppvLimit, 0.5);
  EXPECT_TRUE(s.criteriaFor(study, *home).lvFollowsLandUse);
  // The land use changes: a limit still following it follows.
  home->setLandUseTxt("Commercial");
  EXPECT_EQ(s.criteriaFor(study, *home).lvLimit, 75.0);
  ASSERT_TRUE(s.setAnnoyanceLimit(study, *home, 78.0));
  EXPECT_EQ(s.criteriaFor(study, *home).lvLimit, 78.0);
  EXPECT_FALSE(s.criteriaFor(study, *home).lvFollowsLandUse);
  EXPECT_FALSE(s.isDefault());

  EXPECT_FALSE(s.setCategory(study, *shop, 5));
  EXPECT_FALSE(s.setAnnoyanceLimit(study, *shop, 0.0));
  EXPECT_FALSE(s.setExponent(1.0));
  EXPECT_EQ(s.criteriaFor(study, *shop).category, 3);
  EXPECT_EQ(s.exponent(), 1.5);
}

TEST(VibrationSettings, AReceptorKeepsItsSettingsWhenRenumberedAndNoOtherTakesThem) {
  cStudy study;
  addReceptor(study, "Home", "Residential");
  auto school = addReceptor(study, "School", "Commercial");
  auto church = addReceptor(study, "Church", "Commercial");
  cVibrationSettings s;
  s.setCategory(study, *school, 4);
  study.deleteReceptor(1, 1);
  // School is now receptor 1 and still fragile; Church took number 2 and is not.
  EXPECT_EQ(study.colReceptors[0]->description, "School");
  EXPECT_EQ(s.criteriaFor(study, *study.colReceptors[0]).category, 4);
  EXPECT_EQ(s.criteriaFor(study, *church).category, 3);
  // Two receptors sharing a description, neither at the saved number: neither is guessed at.
  cVibrationSettings twice;
  twice.addReceptorEntry({7, "School", 1, std::nullopt});
  twice.addReceptorEntry({8, "School", 2, std::nullopt});
  EXPECT_EQ(twice.criteriaFor(study, *school).category, 3);
  // Renamed in the sheet, Church keeps its settings under its number.
  s.setCategory(study, *church, 1);
  church->description = "St Mary's";
  EXPECT_EQ(s.criteriaFor(study, *church).category, 1);
  // Unless another receptor still carries the old name: then nothing is guessed.
  addReceptor(study, "Church", "Commercial");
  EXPECT_EQ(s.criteriaFor(study, *church).category, 3);
}

TEST(VibrationFile, IsNamedAfterTheCaseAndWrittenAsItReads) {
  EXPECT_EQ(mVibrationFile::pathBeside("/cases/", "Bridge.cas"), "/cases/Bridge.vib");
  EXPECT_EQ(mVibrationFile::pathBeside("", "old.case.cas"), "old.case.vib");
  EXPECT_EQ(mVibrationFile::pathBeside("d/", "Bridge"), "d/Bridge.vib");

  cStudy study;
  auto home = addReceptor(study, "House, 12 Elm", "Residential");
  auto school = addReceptor(study, "School", "Commercial");
  addReceptor(study, "Shop", "Commercial");
  cVibrationSettings s;
  ASSERT_TRUE(s.setExponent(1.25));
  s.setCategory(study, *home, 2);
  s.setAnnoyanceLimit(study, *school, 80.5);
  s.mapping.set("Loader, Tracked", mVibrationTable::find("Large bulldozer"));
  s.mapping.set("Jackhammer", cVibrationMapping::noSource);

  TempDir dir;
  const std::string path = dir.file("Bridge.vib");
  EXPECT_FALSE(mVibrationFile::worthWriting(path, cVibrationSettings()));
  ASSERT_TRUE(mVibrationFile::worthWriting(path, s));
  ASSERT_EQ(mVibrationFile::write(path, s, study), SF_DATA_OK);
  EXPECT_EQ(TempDir::read(path),
            "VORN Vibration - Version 1.0\r\n"
            "Exponent,1.25\r\n"
            "Receptor:,1,\"House, 12 Elm\",2,Default\r\n"
            "Receptor:,2,School,3,80.5\r\n"
            "Mapping:,\"Loader, Tracked\",Large bulldozer\r\n"
            "Mapping:,Jackhammer,None\r\n");
  // Once there, a file is written even when the settings went back to the defaults.
  EXPECT_TRUE(mVibrationFile::worthWriting(path, cVibrationSettings()));

  cVibrationSettings back;
  ASSERT_EQ(mVibrationFile::read(path, back), mVibrationFile::ReadStatus::read);
  EXPECT_EQ(back.exponent(), 1.25);
  EXPECT_EQ(back.criteriaFor(study, *home).category, 2);
  EXPECT_TRUE(back.criteriaFor(study, *home).lvFollowsLandUse);
  EXPECT_EQ(back.criteriaFor(study, *school).lvLimit, 80.5);
  EXPECT_EQ(back.mapping.rowFor("loader, tracked"), mVibrationTable::find("Large bulldozer"));
  EXPECT_EQ(back.mapping.rowFor("Jackhammer"), cVibrationMapping::noSource);
  EXPECT_EQ(mVibrationFile::buildLines(back, study), mVibrationFile::buildLines(s, study));
}

TEST(VibrationFile, AMissingFileIsNoErrorAndABadOneChangesNothing) {
  TempDir dir;
  cVibrationSettings s;
  s.setExponent(1.2);
  EXPECT_EQ(mVibrationFile::read(dir.file("none.vib"), s), mVibrationFile::ReadStatus::missing);
  const char* bad[] = {
      "",
      "VORN Vibration - Version 2.0\r\nExponent,1.5\r\n",
      "VORN Vibration - Version 1.0\r\nExponent,1.6\r\n",
      "VORN Vibration - Version 1.0\r\nExponent,abc\r\n",
      "VORN Vibration - Version 1.0\r\nExponent,1.5\r\nReceptor:,1,Home,5,Default\r\n",
      "VORN Vibration - Version 1.0\r\nExponent,1.5\r\nReceptor:,0,Home,1,Default\r\n",
      "VORN Vibration - Version 1.0\r\nExponent,1.5\r\nReceptor:,1,Home,1,-3\r\n",
      "VORN Vibration - Version 1.0\r\nExponent,1.5\r\nReceptor:,1,Home\r\n",
      "VORN Vibration - Version 1.0\r\nExponent,1.5\r\nMapping:,Backhoe,Steam hammer\r\n",
  };
  for (const char* text : bad) {
    TempDir::write(dir.file("bad.vib"), text);
    EXPECT_EQ(mVibrationFile::read(dir.file("bad.vib"), s), mVibrationFile::ReadStatus::unreadable) << text;
    EXPECT_EQ(s.exponent(), 1.2) << text;
  }
  // Lines of a later version are passed over.
  TempDir::write(dir.file("later.vib"), "VORN Vibration - Version 1.0\nExponent,1.4\nGroundwater:,2\n");
  EXPECT_EQ(mVibrationFile::read(dir.file("later.vib"), s), mVibrationFile::ReadStatus::read);
  EXPECT_EQ(s.exponent(), 1.4);
}
