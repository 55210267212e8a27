#include "report/mPdfSitePlan.h"

#include <memory>

#include "compute/mResultCells.h"
#include "site/cGridJob.h"
#include "site/mNoiseBands.h"
#include "site/mNoiseMap.h"
#include "site/mSitePlan.h"
#include "study/cStudy.h"
#include "study/mFormat.h"

namespace mPdfSitePlan {

namespace {

using mReportCells::boldCell;
using mReportCells::cell;
using mReportCells::numberCell;

bool anythingPlaced(const cStudy& study) {
  for (const auto& r : study.colReceptors)
    if (r->position) return true;
  for (const auto& e : study.colEquipment)
    if (e->position) return true;
  return false;
}

cReportBlock textBlock(cReportBlock::Kind kind, std::string text) {
  cReportBlock b;
  b.kind = kind;
  b.text = std::move(text);
  return b;
}

// The positions of what the plan shows, one row each.
cReportTable keyTable(const cStudy& study, const char* unit) {
  cReportTable t;
  t.widths = {2, 8, 3, 3, 3};
  const std::string u = std::string(" (") + unit + ")";
  t.header.push_back({boldCell("Symbol"), boldCell("Description"), boldCell("x" + u), boldCell("y" + u),
                      boldCell("Height" + u)});
  int number = 0;
  for (const auto& r : study.colReceptors) {
    ++number;
    if (!r->position) continue;
    t.body.push_back({cell(receptorLabel(number)), cell("Receptor: " + r->description),
                      numberCell(format0_0(r->position->x)), numberCell(format0_0(r->position->y)),
                      numberCell(format0_0(r->position->height))});
  }
  number = 0;
  for (const auto& e : study.colEquipment) {
    ++number;
    if (!e->position) continue;
    t.body.push_back({cell(equipmentLabel(number)),
                      cell("Equipment: " + e->description + (e->active ? "" : " (not active)")),
                      numberCell(format0_0(e->position->x)), numberCell(format0_0(e->position->y)),
                      numberCell(format0_0(e->position->height))});
  }
  return t;
}

}  // namespace

std::string receptorLabel(int number) { return "R" + std::to_string(number); }
std::string equipmentLabel(int number) { return "E" + std::to_string(number); }

bool shieldingFromBarriers(const cStudy& study) {
  for (const auto& r : study.colReceptors)
    for (const auto& link : r->colLinks)
      if (mSitePlan::linkSource(study, *r, *link).shieldingFromPlan) return true;
  return false;
}

std::vector<cReportBlock> section(const cStudy& study) {
  std::vector<cReportBlock> out;
  if (!anythingPlaced(study)) return out;
  const char* unit = study.units == 0 ? "ft" : "m";
  const std::int32_t metric = mNoiseMap::caseMetric(study);
  const std::string name = mResultCells::metricName(metric);

  cReportPlan plan;
  plan.unit = unit;
  int number = 0;
  for (const auto& r : study.colReceptors) {
    ++number;
    if (r->position) plan.receptors.push_back({receptorLabel(number), {r->position->x, r->position->y}, true});
  }
  number = 0;
  for (const auto& e : study.colEquipment) {
    ++number;
    if (e->position)
      plan.equipment.push_back({equipmentLabel(number), {e->position->x, e->position->y}, e->active});
  }
  for (const cBarrier& b : study.sitePlan.barriers) {
    std::vector<cReportPlan::Point> line;
    for (const cSitePoint& p : b.points) line.push_back({p.x, p.y});
    plan.barriers.push_back(std::move(line));
  }

  const cGridFrame frame = mNoiseMap::defaultFrame(study);
  plan.xmin = frame.xmin;
  plan.xmax = frame.xmax();
  plan.ymin = frame.ymin();
  plan.ymax = frame.ymax;
  std::string mapText;
  const cGridInput input = mNoiseMap::gridInput(study);
  const double height = input.receiverHeight;
  if (input.pieces.empty()) {
    mapText = "No active piece of equipment is placed on the plan, so it has no noise map.";
  } else {
    std::unique_ptr<cGridJob> job = mNoiseMap::job(study, frame);
    if (job->run() != cGridJob::Outcome::done) {
      mapText = "The noise map could not be computed: there is not enough memory for its cells.";
    } else {
      const cNoiseGrid& grid = job->grid();
      plan.columns = grid.frame.columns;
      plan.rows = grid.frame.rows;
      plan.cells.reserve(grid.level.size());
      for (float level : grid.level) plan.cells.push_back(static_cast<std::int8_t>(mNoiseBands::bandOf(level)));
      for (int band = 0; band < mNoiseBands::count; ++band)
        plan.bands.push_back({mNoiseBands::label(band), mNoiseBands::colour(band)});
      plan.legendTitle = name + " (dBA)";
      plan.legendNote = "Each band holds its lower edge: 40.0 dB is in 40 - 45. Below 35 dB is not coloured.";
      mapText = "Under the plan, the noise map of the case's " + name + " at a receiver height of " +
                format0_0(height) + " " + unit + " above flat ground, on " + std::to_string(plan.columns) + " x " +
                std::to_string(plan.rows) + " cells of " + formatFixed(frame.cell, 2) + " " + unit +
                ", in 5 dB bands. It takes every active piece of equipment placed on the plan, at the level the "
                "equipment sheet selects and with its usage" +
                (study.sitePlan.barriers.empty() ? std::string(".")
                                                 : std::string(", shielded by the plan's barriers.")) +
                " The shielding typed for a link takes no part in the map.";
    }
  }

  out.push_back(cReportBlock{});
  out.back().kind = cReportBlock::Kind::pageBreak;
  out.push_back(textBlock(cReportBlock::Kind::subheading, "Site Plan"));
  out.push_back(textBlock(cReportBlock::Kind::paragraph,
                          "Receptors (squares) and equipment (circles; pale when not active) are labelled with the "
                          "numbers of their rows in the receptor and equipment sheets; barriers are drawn as thick "
                          "lines. North is up; distances in " +
                              std::string(study.units == 0 ? "feet." : "meters.")));
  cReportBlock picture;
  picture.kind = cReportBlock::Kind::plan;
  picture.plan = std::move(plan);
  out.push_back(std::move(picture));
  out.push_back(textBlock(cReportBlock::Kind::paragraph, mapText));
  cReportBlock key;
  key.kind = cReportBlock::Kind::table;
  key.table = keyTable(study, unit);
  out.push_back(textBlock(cReportBlock::Kind::minorHeading, "Positions on the Plan"));
  out.push_back(std::move(key));
  return out;
}

}  // namespace mPdfSitePlan
