// The site plan section's words and numbers without any layout: what it
// shows, the bands of its map's cells against levels worked out by hand, and
// no section where nothing is placed.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/mPdfReport.h"
#include "report/mPdfSitePlan.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

namespace {

// One receptor 100 ft north of one piece of 85 dBA at 50 ft, used all the
// time (usage 100 %), both 5 ft above the ground: Leq = Lmax there =
// 85 - 20 log10(100 / 50) = 78.98 dBA, in the band "75 - 80 dB". A second
// receptor stays off the plan; an idle piece stands on it.
struct PlacedCase {
  cStudy study;
  PlacedCase() {
    study.units = 0;
    study.NoiseMetric = 1;
    study.caseProcessed = true;
    auto saw = study.addEquipment(1);
    saw->description = "Saw";
    saw->active = true;
    saw->usage = 100.0f;
    saw->spec_select = true;
    saw->spec_lmax = 85.0f;
    saw->position = cSitePosition{0.0, 0.0, 5.0};
    auto idle = study.addEquipment(2);
    idle->description = "Idle crane";
    idle->active = false;
    idle->usage = 100.0f;
    idle->spec_select = true;
    idle->spec_lmax = 100.0f;
    idle->position = cSitePosition{-60.0, 0.0, 5.0};
    auto house = study.addReceptor(1);
    house->description = "House";
    house->position = cSitePosition{0.0, 100.0, 5.0};
    house->addLink(1)->distance = 100.0f;
    auto farm = study.addReceptor(2);
    farm->description = "Farm";
  }
};

const cReportBlock* find(const std::vector<cReportBlock>& blocks, cReportBlock::Kind kind, std::size_t nth = 0) {
  for (const cReportBlock& b : blocks)
    if (b.kind == kind && nth-- == 0) return &b;
  return nullptr;
}

// The band of the cell holding (x, y).
int bandAt(const cReportPlan& plan, double x, double y) {
  const double cell = (plan.xmax - plan.xmin) / plan.columns;
  const auto col = static_cast<std::size_t>(std::floor((x - plan.xmin) / cell));
  const auto row = static_cast<std::size_t>(std::floor((plan.ymax - y) / cell));
  return plan.cells[row * static_cast<std::size_t>(plan.columns) + col];
}

TEST(PdfSitePlan, NothingPlacedNoSection) {
  cStudy study;
  study.addReceptor(1)->description = "House";
  study.addEquipment(1)->active = true;
  EXPECT_TRUE(mPdfSitePlan::section(study).empty());
  EXPECT_FALSE(mPdfSitePlan::shieldingFromBarriers(study));
}

TEST(PdfSitePlan, DrawsThePlacedSymbolsByTheirSheetNumbersAndTheMapInTheWindowsBands) {
  PlacedCase c;
  const std::vector<cReportBlock> blocks = mPdfSitePlan::section(c.study);
  ASSERT_FALSE(blocks.empty());
  EXPECT_EQ(blocks.front().kind, cReportBlock::Kind::pageBreak);
  const cReportBlock* heading = find(blocks, cReportBlock::Kind::subheading);
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->text, "Site Plan");
  const cReportBlock* block = find(blocks, cReportBlock::Kind::plan);
  ASSERT_NE(block, nullptr);
  const cReportPlan& plan = block->plan;
  EXPECT_EQ(plan.unit, "ft");
  ASSERT_EQ(plan.receptors.size(), 1u);  // the farm is not placed
  EXPECT_EQ(plan.receptors[0].label, "R1");
  ASSERT_EQ(plan.equipment.size(), 2u);
  EXPECT_EQ(plan.equipment[0].label, "E1");
  EXPECT_TRUE(plan.equipment[0].active);
  EXPECT_EQ(plan.equipment[1].label, "E2");
  EXPECT_FALSE(plan.equipment[1].active);

  const std::vector<std::string> labels = {"35 - 40 dB", "40 - 45 dB", "45 - 50 dB", "50 - 55 dB", "55 - 60 dB",
                                           "60 - 65 dB", "65 - 70 dB", "70 - 75 dB", "75 - 80 dB", "80 dB and above"};
  ASSERT_EQ(plan.bands.size(), labels.size());
  for (std::size_t i = 0; i < labels.size(); ++i) EXPECT_EQ(plan.bands[i].label, labels[i]);
  EXPECT_EQ(plan.bands.front().colour, 0x2A186Cu);
  EXPECT_EQ(plan.bands.back().colour, 0xFDE725u);
  EXPECT_EQ(plan.legendTitle, "Leq (dBA)");

  // The extent: the placed points (-60..0, 0..100) and a margin of 100 ft.
  EXPECT_LE(plan.xmin, -160.0);
  EXPECT_GE(plan.xmax, 100.0);
  EXPECT_LE(plan.ymin, -100.0);
  EXPECT_GE(plan.ymax, 200.0);
  ASSERT_EQ(plan.cells.size(), static_cast<std::size_t>(plan.columns) * static_cast<std::size_t>(plan.rows));
  EXPECT_EQ(plan.rows, 500);  // the longer side (north-south, 300 ft) over 500 cells, as the window's map
  // 78.98 dBA at the receptor; 85 - 20 log10(25 / 50) = 91.0 at 25 ft; the idle
  // crane adds nothing: 85 - 20 log10(60 / 50) = 83.4 beside it. Far away
  // (the north-east corner, 100 ft east and 200 ft north: 223.6 ft)
  // 85 - 20 log10(223.6 / 50) = 72.0.
  EXPECT_EQ(bandAt(plan, 0.0, 100.0), 8);
  EXPECT_EQ(bandAt(plan, 0.0, 25.0), 9);
  EXPECT_EQ(bandAt(plan, -60.0, 0.0), 9);
  EXPECT_EQ(bandAt(plan, plan.xmax - 0.5, plan.ymax - 0.5), 7);

  // The key to the symbols gives each placed position.
  const cReportBlock* key = find(blocks, cReportBlock::Kind::table);
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(key->table.body.size(), 3u);
  EXPECT_EQ(key->table.body[0][0].text, "R1");
  EXPECT_EQ(key->table.body[0][1].text, "Receptor: House");
  EXPECT_EQ(key->table.body[0][3].text, "100.0");
  EXPECT_EQ(key->table.body[2][1].text, "Equipment: Idle crane (not active)");
  EXPECT_EQ(key->table.body[2][2].text, "-60.0");
}

TEST(PdfSitePlan, WithoutActivePlacedEquipmentThePlanHasNoMapAndSaysSo) {
  PlacedCase c;
  c.study.colEquipment[0]->active = false;
  const std::vector<cReportBlock> blocks = mPdfSitePlan::section(c.study);
  const cReportBlock* block = find(blocks, cReportBlock::Kind::plan);
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(block->plan.cells.empty());
  EXPECT_TRUE(block->plan.bands.empty());
  const cReportBlock* text = find(blocks, cReportBlock::Kind::paragraph, 1);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "No active piece of equipment is placed on the plan, so it has no noise map.");
}

TEST(PdfSitePlan, BarriersAreDrawnAndTheMethodSaysWhereShieldingComesFrom) {
  PlacedCase c;
  EXPECT_FALSE(mPdfSitePlan::shieldingFromBarriers(c.study));
  c.study.sitePlan.barriers.push_back(cBarrier{"Hoarding", {{-20.0, 50.0}, {20.0, 50.0}}, 10.0});
  EXPECT_TRUE(mPdfSitePlan::shieldingFromBarriers(c.study));
  const std::vector<cReportBlock> blocks = mPdfSitePlan::section(c.study);
  const cReportBlock* block = find(blocks, cReportBlock::Kind::plan);
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(block->plan.barriers.size(), 1u);
  EXPECT_EQ(block->plan.barriers[0].size(), 2u);
  EXPECT_EQ(block->plan.barriers[0][1].x, 20.0);
  // Behind the barrier the level is lower than the 78.98 dBA of open ground.
  EXPECT_LT(bandAt(block->plan, 0.0, 100.0), 8);

  c.study.colReceptors[0]->colLinks[0]->typedShielding = true;
  EXPECT_FALSE(mPdfSitePlan::shieldingFromBarriers(c.study));

  mPdfReport::Inputs in;
  in.shieldingFromBarriers = true;
  const std::string text = mPdfReport::build(c.study, in).plainText();
  EXPECT_NE(text.find("the shielding between them is computed from the plan's barriers"), std::string::npos);
}

}  // namespace
