#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "casefile/cCaseFile.h"
#include "compute/mProcess.h"
#include "site/gdal/cGeoPackageSiteFile.h"
#include "site/mSitePlan.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "tests/support/TempDir.h"

// The example case's site plan is our own drawing, made here: Elm Street runs
// east-west, the apartments and the dental office stand north of it, the
// demolition works on the bridge deck south of them, and a hoarding shields
// the generator. Each piece stands where the case's typed distances put it
// (two receptors fix each piece's place), so opening the case with its plan
// changes nothing. The rail yard, 400 feet off, stays off the plan with its
// typed distances. VORN_REGENERATE_EXAMPLE_SITE=1 writes the file again.

namespace {

const std::string kExamples = std::string(VORN_SOURCE_DIR) + "/examples/";
const std::string kCase = "Bridge Demolition.cas";
const std::string kSite = "Bridge Demolition.gpkg";

constexpr double kEar = 5;  // feet above ground, receptors and machines alike

void drawExamplePlan(cStudy& study) {
  const cSitePosition apartments{-50, 80, kEar}, dental{50, 80, kEar};
  study.colReceptors[0]->position = apartments;
  study.colReceptors[1]->position = dental;
  const double base = dental.x - apartments.x;
  for (const auto& e : study.colEquipment) {
    std::shared_ptr<cLinkRecord> toApartments, toDental;
    study.colReceptors[0]->getLink(toApartments, e->rowID);
    study.colReceptors[1]->getLink(toDental, e->rowID);
    const double d1 = toApartments->distance, d2 = toDental->distance;
    // The place south of the two receptors at d1 from one and d2 from the other.
    const double along = (d1 * d1 - d2 * d2 + base * base) / (2 * base);
    const double across = std::sqrt(d1 * d1 - along * along);
    e->position = cSitePosition{apartments.x + along, apartments.y - across, kEar};
  }
  // A 10-foot hoarding on the generator's north-west side.
  study.sitePlan.barriers.push_back(cBarrier{"Generator hoarding", {{200, -40}, {215, -5}}, 10});
  // The shieldings typed in the case stay as estimated.
  for (const auto& r : {study.colReceptors[0], study.colReceptors[1]})
    for (const auto& link : r->colLinks)
      if (link->sheilding != 0) link->typedShielding = true;
}

struct ExampleCase : testing::Test {
  cStudy study;
  cScriptedMessageService messages;
  cGeoPackageSiteFile store;
  cCaseFile& caseFile = study.caseFile;
  void SetUp() override {
    study.attachViews(nullptr, nullptr, nullptr, nullptr, &messages);
    study.caseFileOpen = [this] { return caseFile.bCaseOpen; };
    caseFile.attachSiteFile(&store);
  }
};

}  // namespace

TEST_F(ExampleCase, ItsPlanIsOurDrawingAndOpensWithoutChangingTheCase) {
  if (std::getenv("VORN_REGENERATE_EXAMPLE_SITE")) {
    cCaseFile plain(study);  // without the store: the case alone
    ASSERT_TRUE(plain.readCaseFile(kExamples + kCase));
    drawExamplePlan(study);
    ASSERT_EQ(mSitePlan::applyToLinks(study), 0) << "the drawing must reproduce the typed distances";
    std::string problem;
    ASSERT_TRUE(store.write(kExamples + kSite, study, problem)) << problem;
    study.clear();
  }
  ASSERT_TRUE(caseFile.openCaseAt(kExamples, kCase));
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_FALSE(study.caseChanged()) << "the plan moved a distance or a shielding";
  EXPECT_EQ(study.sitePlan.barriers.size(), 1u);
  ASSERT_TRUE(study.colReceptors[0]->position);
  EXPECT_FALSE(study.colReceptors[2]->position);
  for (const auto& e : study.colEquipment) EXPECT_TRUE(e->position) << e->description;
  // The generator's links behind the hoarding keep their typed estimate;
  // every other placed link has its distance and shielding from the plan.
  const auto source = mSitePlan::linkSource(study, *study.colReceptors[0], *study.colReceptors[0]->colLinks[6]);
  EXPECT_TRUE(source.distanceFromPlan);
  EXPECT_FALSE(source.shieldingFromPlan);
  const auto open = mSitePlan::linkSource(study, *study.colReceptors[1], *study.colReceptors[1]->colLinks[0]);
  EXPECT_TRUE(open.shieldingFromPlan);
  EXPECT_EQ(open.barrier, -1);
  EXPECT_EQ(mSitePlan::applyToLinks(study), 0);
}

TEST_F(ExampleCase, OpenThenSaveWithoutAnEditLeavesBothFilesByteForByte) {
  TempDir dir;
  for (const std::string& name : {kCase, kSite})
    std::filesystem::copy_file(kExamples + name, dir.file(name));
  const std::string caseBytes = TempDir::read(dir.file(kCase));
  const std::string siteBytes = TempDir::read(dir.file(kSite));
  ASSERT_TRUE(caseFile.openCaseAt(dir.path().string() + "/", kCase));
  ASSERT_TRUE(caseFile.saveCase());
  EXPECT_EQ(TempDir::read(dir.file(kCase)), caseBytes);
  EXPECT_EQ(TempDir::read(dir.file(kSite)), siteBytes);

  // An edit of the plan is saved, and the case keeps the distance it gives.
  ASSERT_TRUE(mSitePlan::placeEquipment(study, 5, cSitePosition{-50, 20, kEar}));
  EXPECT_EQ(study.colReceptors[0]->colLinks[4]->distance, 60.0f);
  ASSERT_TRUE(caseFile.saveCase());
  EXPECT_NE(TempDir::read(dir.file(kSite)), siteBytes);
  {
    cStudy saved;
    ASSERT_TRUE(cCaseFile(saved).readCaseFile(dir.file(kCase)));
    for (std::size_t r = 0; r < 2; ++r)
      for (std::size_t l = 0; l < 7; ++l)
        EXPECT_EQ(saved.colReceptors[r]->colLinks[l]->distance, study.colReceptors[r]->colLinks[l]->distance) << r << l;
  }
  study.clear();
  ASSERT_TRUE(caseFile.openCaseAt(dir.path().string() + "/", kCase));
  EXPECT_EQ(study.colEquipment[4]->position->y, 20.0);
  EXPECT_EQ(study.colReceptors[0]->colLinks[4]->distance, 60.0f);
  EXPECT_FALSE(study.caseChanged());
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ExampleCase, ADamagedSiteFileIsReportedAndTheCaseOpensWithItsStoredDistances) {
  TempDir dir;
  std::filesystem::copy_file(kExamples + kCase, dir.file(kCase));
  TempDir::write(dir.file(kSite), "SQLite format 3\0garbage");
  ASSERT_TRUE(caseFile.openCaseAt(dir.path().string() + "/", kCase));
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].text.rfind("The site plan Bridge Demolition.gpkg could not be read: ", 0), 0u);
  EXPECT_EQ(study.colReceptors[0]->colLinks[0]->distance, 180.0f);
  EXPECT_FALSE(mSitePlan::hasPlan(study));
  EXPECT_FALSE(study.caseChanged());
}
