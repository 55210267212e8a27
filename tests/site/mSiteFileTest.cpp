#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "site/ISiteFile.h"
#include "site/cUnavailableSiteFile.h"
#include "site/mSiteFile.h"
#include "site/mSitePlan.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "tests/study/StudyFixtures.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Keeps the plan in memory: what was written last, and how often.
class MemorySiteFile : public ISiteFile {
public:
  bool fail = false;
  int writes = 0;
  std::optional<cSitePosition> receptorPosition;
  bool read(const std::string& path, cStudy& study, std::string& problem) override {
    if (fail || !fs::exists(path)) {
      problem = "damaged";
      return false;
    }
    study.colReceptors[0]->position = receptorPosition;
    return true;
  }
  bool write(const std::string& path, const cStudy& study, std::string& problem) override {
    if (fail) {
      problem = "disk full";
      return false;
    }
    ++writes;
    receptorPosition = study.colReceptors[0]->position;
    std::ofstream(path) << "plan";
    return true;
  }
};

struct SiteFileCase : testing::Test {
  TempDir temp;
  fs::path dir = temp.path();
  std::string casePath;
  cStudy study;
  cScriptedMessageService messages;
  MemorySiteFile store;
  void SetUp() override {
    casePath = (dir / "Bridge Demolition.cas").string();
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    addValidReceptor(study, "House");
    addValidEquipment(study, "Dozer");
    linkAll(study, 120);
    study.colEquipment[0]->position = cSitePosition{0, 0, 0};
  }
};

}  // namespace

TEST(SiteFilePath, TheCasesSuffixBecomesGpkg) {
  EXPECT_EQ(mSiteFile::sitePathFor("/a/Bridge Demolition.cas"), "/a/Bridge Demolition.gpkg");
  EXPECT_EQ(mSiteFile::sitePathFor("/a/b.c/night"), "/a/b.c/night.gpkg");
  EXPECT_EQ(mSiteFile::sitePathFor("x.v1.cas"), "x.v1.gpkg");
}

TEST_F(SiteFileCase, SaveWritesOnlyWhenThePlanDiffersFromTheFile) {
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, casePath));
  EXPECT_EQ(store.writes, 1);
  EXPECT_TRUE(fs::exists(dir / "Bridge Demolition.gpkg"));
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, casePath));
  EXPECT_EQ(store.writes, 1);  // no edit: the file is left as it is

  study.holdState(3);
  study.colReceptors[0]->position = cSitePosition{90, 0, 0};
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, casePath));
  EXPECT_EQ(store.writes, 2);
  // Undo after the save: the plan now differs from the file again.
  study.restoreState();
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, casePath));
  EXPECT_EQ(store.writes, 3);
  EXPECT_FALSE(store.receptorPosition);
  // Under another name the file is new, so it is written.
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, (dir / "Copy.cas").string()));
  EXPECT_EQ(store.writes, 4);
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(SiteFileCase, ACaseWithoutPlanWritesNoSiteFile) {
  study.colEquipment[0]->position.reset();
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, casePath));
  EXPECT_EQ(store.writes, 0);
  EXPECT_FALSE(fs::exists(dir / "Bridge Demolition.gpkg"));
  EXPECT_TRUE(mSiteFile::saveBeside(study, nullptr, casePath));
}

TEST_F(SiteFileCase, OpeningAppliesThePlanAndAnUnreadableFileKeepsStoredDistances) {
  store.receptorPosition = cSitePosition{0, 50, 0};
  std::ofstream((dir / "Bridge Demolition.gpkg").string()) << "plan";
  EXPECT_EQ(mSiteFile::openBeside(study, &store, casePath), 1);
  EXPECT_EQ(study.colReceptors[0]->colLinks[0]->distance, 50.0f);
  // Opened and not edited: Save leaves the file alone.
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, casePath));
  EXPECT_EQ(store.writes, 0);

  study.colReceptors[0]->position.reset();
  study.colReceptors[0]->colLinks[0]->distance = 120;
  store.fail = true;
  EXPECT_EQ(mSiteFile::openBeside(study, &store, casePath), 0);
  EXPECT_EQ(study.colReceptors[0]->colLinks[0]->distance, 120.0f);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text,
            "The site plan Bridge Demolition.gpkg could not be read: damaged\n"
            "The case opens with its stored distances.");
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Critical);
  messages.clear();

  // A failed write says so and keeps the old file.
  study.colReceptors[0]->position = cSitePosition{1, 1, 0};
  EXPECT_FALSE(mSiteFile::saveBeside(study, &store, casePath));
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text, "The site plan Bridge Demolition.gpkg could not be written: disk full");
}

TEST_F(SiteFileCase, ABuildWithoutSiteFilesSaysSoWhenItMeetsOne) {
  cUnavailableSiteFile none;
  std::ofstream((dir / "Bridge Demolition.gpkg").string()) << "plan";
  EXPECT_EQ(mSiteFile::openBeside(study, &none, casePath), 0);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_NE(messages.messages()[0].text.find("not available in this build"), std::string::npos);
  // Without any store (the batch tool's plain run) nothing is looked at.
  messages.clear();
  EXPECT_EQ(mSiteFile::openBeside(study, nullptr, casePath), 0);
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(SiteFileCase, ASiteFileThatCouldNotBeReadIsNotOverwrittenByAnEmptyPlan) {
  study.colEquipment[0]->position.reset();
  store.fail = true;
  std::ofstream((dir / "Bridge Demolition.gpkg").string()) << "newer format";
  mSiteFile::openBeside(study, &store, casePath);
  store.fail = false;
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, casePath));
  EXPECT_EQ(store.writes, 0);
  EXPECT_EQ(TempDir::read((dir / "Bridge Demolition.gpkg").string()), "newer format");
}

TEST_F(SiteFileCase, TakingEverythingOffAPlanThatWasSavedSavesTheEmptyPlan) {
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, casePath));
  study.colEquipment[0]->position.reset();
  ASSERT_TRUE(mSiteFile::saveBeside(study, &store, casePath));
  EXPECT_EQ(store.writes, 2);
}
