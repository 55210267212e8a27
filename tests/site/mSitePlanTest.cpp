#include <gtest/gtest.h>

#include <cmath>

#include "compute/mCompute.h"
#include "site/mSitePlan.h"
#include "study/cStudy.h"
#include "tests/study/StudyFixtures.h"

namespace {

// Two receptors and two pieces, every pair linked at typed distances.
struct PlanCase {
  cStudy study;
  PlanCase() {
    addValidReceptor(study, "House");
    addValidReceptor(study, "School");
    addValidEquipment(study, "Dozer", 85);
    addValidEquipment(study, "Crane", 81);
    setAllCriteriaValue(study, 70);
    linkAll(study, 200);
    for (auto& r : study.colReceptors)
      for (auto& l : r->colLinks) l->sheilding = 3;
    study.setReceptorID(1);
  }
  cLinkRecord& link(int receptor, int equipment) { return *study.colReceptors[receptor - 1]->colLinks[equipment - 1]; }
};

}  // namespace

TEST(SitePlan, OnlyLinksWithBothEndsPlacedTakeThePlansDistance) {
  PlanCase c;
  c.study.colReceptors[0]->position = cSitePosition{0, 0, 5};
  c.study.colEquipment[0]->position = cSitePosition{30, 40, 5};
  EXPECT_EQ(mSitePlan::applyToLinks(c.study), 1);
  EXPECT_EQ(c.link(1, 1).distance, 50.0f);
  EXPECT_EQ(c.link(1, 2).distance, 200.0f);  // crane not placed
  EXPECT_EQ(c.link(2, 1).distance, 200.0f);  // school not placed
  EXPECT_EQ(c.link(1, 1).sheilding, 3.0f);   // no barriers: shielding stays typed
  EXPECT_TRUE(mSitePlan::linkSource(c.study, *c.study.colReceptors[0], c.link(1, 1)).distanceFromPlan);
  EXPECT_FALSE(mSitePlan::linkSource(c.study, *c.study.colReceptors[0], c.link(1, 1)).shieldingFromPlan);
  EXPECT_FALSE(mSitePlan::linkSource(c.study, *c.study.colReceptors[0], c.link(1, 2)).distanceFromPlan);
  EXPECT_EQ(mSitePlan::applyToLinks(c.study), 0);  // nothing left to change
}

TEST(SitePlan, BarriersGiveShieldingUnlessTheLinkKeepsItTyped) {
  PlanCase c;
  c.study.units = 1;
  c.study.sitePlan.barriers.push_back(cBarrier{"Hoarding", {{5, -5}, {5, 5}}, 2});
  c.study.colReceptors[0]->position = cSitePosition{10, 0, 0};
  c.study.colReceptors[1]->position = cSitePosition{0, 20, 0};
  c.study.colEquipment[0]->position = cSitePosition{0, 0, 0};
  mSitePlan::applyToLinks(c.study);
  EXPECT_EQ(c.link(1, 1).sheilding, 14.09202f);  // behind the hoarding
  EXPECT_EQ(c.link(2, 1).sheilding, 0.0f);  // in the open: the plan says none
  const auto source = mSitePlan::linkSource(c.study, *c.study.colReceptors[0], c.link(1, 1));
  EXPECT_TRUE(source.shieldingFromPlan);
  EXPECT_EQ(source.barrier, 0);
  EXPECT_EQ(mSitePlan::linkSource(c.study, *c.study.colReceptors[1], c.link(2, 1)).barrier, -1);

  ASSERT_TRUE(mSitePlan::setTypedShielding(c.study, 1, 1, true));
  c.link(1, 1).sheilding = 6;
  mSitePlan::applyToLinks(c.study);
  EXPECT_EQ(c.link(1, 1).sheilding, 6.0f);
  EXPECT_FALSE(mSitePlan::linkSource(c.study, *c.study.colReceptors[0], c.link(1, 1)).shieldingFromPlan);
  ASSERT_TRUE(mSitePlan::setTypedShielding(c.study, 1, 1, false));
  EXPECT_EQ(c.link(1, 1).sheilding, 14.09202f);
}

TEST(SitePlan, MovingAPieceRecomputesItsLinksAndTheSelectedReceptorInOneUndoStep) {
  PlanCase c;
  c.study.colReceptors[0]->position = cSitePosition{0, 0, 0};
  c.study.colReceptors[1]->position = cSitePosition{100, 0, 0};
  ASSERT_TRUE(mSitePlan::placeEquipment(c.study, 1, cSitePosition{50, 0, 0}));
  EXPECT_EQ(c.link(1, 1).distance, 50.0f);
  EXPECT_EQ(c.link(2, 1).distance, 50.0f);
  // Dozer 85 dBA at 50 ft, less the typed 3 dB
  EXPECT_EQ(c.link(1, 1).results.calculated.Lmax(), 82.0f);
  EXPECT_TRUE(c.study.caseChanged());

  ASSERT_TRUE(mSitePlan::placeEquipment(c.study, 1, cSitePosition{0, 100, 0}));
  EXPECT_EQ(c.link(1, 1).distance, 100.0f);
  EXPECT_EQ(c.link(2, 1).distance, 141.4214f);  // 100 sqrt 2, as the case file keeps it
  // 85 - 20 lg 2 - 3
  EXPECT_NEAR(c.link(1, 1).results.calculated.Lmax(), 75.9794, 1e-4);

  c.study.restoreState();  // back to before the second move only
  EXPECT_EQ(c.study.colEquipment[0]->position->y, 0.0);
  EXPECT_EQ(c.link(1, 1).distance, 50.0f);
  EXPECT_EQ(c.link(1, 1).results.calculated.Lmax(), 82.0f);
}

TEST(SitePlan, TakingAPieceOffThePlanKeepsItsLastDistancesTyped) {
  PlanCase c;
  c.study.colReceptors[0]->position = cSitePosition{0, 0, 0};
  mSitePlan::placeEquipment(c.study, 2, cSitePosition{0, 80, 0});
  mSitePlan::placeEquipment(c.study, 2, std::nullopt);
  EXPECT_FALSE(c.study.equipmentPosition(2));
  EXPECT_EQ(c.link(1, 2).distance, 80.0f);
  EXPECT_FALSE(mSitePlan::linkSource(c.study, *c.study.colReceptors[0], c.link(1, 2)).distanceFromPlan);
  EXPECT_FALSE(mSitePlan::placeEquipment(c.study, 3, cSitePosition{}));
  EXPECT_FALSE(mSitePlan::placeReceptor(c.study, 0, cSitePosition{}));
}

TEST(SitePlan, PositionsFollowRenumberingAndTheStudysLookups) {
  PlanCase c;
  c.study.colEquipment[1]->position = cSitePosition{7, 8, 1};
  c.study.deleteEquipment(1, 1);
  c.study.deleteLinks(1, 1);
  ASSERT_TRUE(c.study.equipmentPosition(1));
  EXPECT_EQ(c.study.equipmentPosition(1)->x, 7.0);
  EXPECT_FALSE(c.study.equipmentPosition(2));
  EXPECT_FALSE(c.study.receptorPosition(1));
  EXPECT_FALSE(c.study.receptorPosition(9));
  // a copy (undo, duplication) carries the position
  c.study.colReceptors[0]->position = cSitePosition{1, 2, 3};
  EXPECT_EQ(c.study.colReceptors[0]->copy()->position->height, 3.0);
}

TEST(SitePlan, SwitchingUnitsConvertsPositionsBarriersAndDistancesAlike) {
  PlanCase c;
  c.study.sitePlan.barriers.push_back(cBarrier{"Wall", {{50, -50}, {50, 50}}, 10});
  c.study.colReceptors[0]->position = cSitePosition{100, 0, 0};
  c.study.colEquipment[0]->position = cSitePosition{0, 0, 0};
  mSitePlan::applyToLinks(c.study);
  EXPECT_EQ(c.link(1, 1).distance, 100.0f);
  const float feetShielding = c.link(1, 1).sheilding;
  EXPECT_EQ(feetShielding, 13.17095f);  // to the 7 digits the case file keeps

  c.study.recomputeDistance(1);
  c.study.units = 1;
  EXPECT_DOUBLE_EQ(c.study.colReceptors[0]->position->x, 30.480061);
  EXPECT_DOUBLE_EQ(c.study.sitePlan.barriers[0].topHeight, 3.0480061);
  EXPECT_EQ(c.link(1, 1).distance, 30.48006f);
  mSitePlan::applyToLinks(c.study);
  EXPECT_EQ(c.link(1, 1).distance, 30.48006f);
  // the shielding is worked in meters either way
  EXPECT_NEAR(c.link(1, 1).sheilding, feetShielding, 1e-5);
}

TEST(SitePlan, HasPlanAndFingerprintSeeEverythingTheSiteFileHolds) {
  PlanCase c;
  EXPECT_FALSE(mSitePlan::hasPlan(c.study));
  const std::string empty = mSitePlan::fingerprint(c.study);
  c.study.colEquipment[1]->position = cSitePosition{1, 1, 0};
  EXPECT_TRUE(mSitePlan::hasPlan(c.study));
  const std::string placed = mSitePlan::fingerprint(c.study);
  EXPECT_NE(placed, empty);
  c.study.colEquipment[1]->position->height = 0.5;
  EXPECT_NE(mSitePlan::fingerprint(c.study), placed);
  c.study.colEquipment[1]->position.reset();
  EXPECT_EQ(mSitePlan::fingerprint(c.study), empty);
  c.study.sitePlan.epsg = 27700;
  EXPECT_TRUE(mSitePlan::hasPlan(c.study));
  EXPECT_NE(mSitePlan::fingerprint(c.study), empty);
  c.study.clear();
  EXPECT_FALSE(mSitePlan::hasPlan(c.study));
}

TEST(SitePlan, AddingAndRemovingABarrierIsOneUndoStepAndTheLinksFollow) {
  PlanCase c;
  c.study.units = 1;
  c.study.colReceptors[0]->position = cSitePosition{10, 0, 0};
  c.study.colEquipment[0]->position = cSitePosition{0, 0, 0};
  mSitePlan::applyToLinks(c.study);
  EXPECT_EQ(c.link(1, 1).sheilding, 3.0f);  // typed: no barrier yet
  mSitePlan::addBarrier(c.study, cBarrier{"Hoarding", {{5, -5}, {5, 5}}, 2});
  EXPECT_EQ(c.link(1, 1).sheilding, 14.09202f);
  ASSERT_TRUE(mSitePlan::removeBarrier(c.study, 0));
  EXPECT_TRUE(c.study.sitePlan.barriers.empty());
  EXPECT_EQ(c.link(1, 1).sheilding, 14.09202f);  // the last computed value stays, typed again
  EXPECT_FALSE(mSitePlan::removeBarrier(c.study, 0));
  c.study.restoreState();
  EXPECT_EQ(c.study.sitePlan.barriers.size(), 1u);
}
