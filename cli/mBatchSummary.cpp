#include "cli/mBatchSummary.h"

#include <algorithm>

#include "compute/mOverview.h"
#include "compute/mResultCells.h"
#include "report/cReport.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace {

bool noLimit(float limit) { return isValueNA(limit) || isValueExempt(limit); }

std::string limitField(float limit) { return noLimit(limit) ? "" : format0_0(limit); }

std::string exceedanceField(float exceedance) {
  if (noLimit(exceedance)) return "";
  return isValueNone(exceedance) ? "None" : format0_0(exceedance);
}

// The line a worst exceedance belongs to.
std::string lineName(const cStudy& study, std::int32_t equipmentID) {
  std::shared_ptr<cEquipmentRecord> e;
  return equipmentID != 0 && study.getEquipment(e, equipmentID) ? e->description : "Total";
}

std::string commaCells(const mOverview::Worst* w) {
  if (!w) return ",,";
  return format0_0(w->level) + "," + limitField(w->limit) + "," + exceedanceField(w->exceedance);
}

std::vector<std::string> commaLines(const cStudy& study, const std::vector<mOverview::ReceptorOverview>& rows,
                                    const std::vector<mBatchAnalysis::Receptor>& receptors) {
  const std::string metric = mResultCells::metricName(mResultCells::caseMetric(study));
  std::vector<std::string> out{mBatchSummary::commaHeader};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const cReceptorRecord& r = *receptors[i].record;
    for (std::int32_t p = 0; p < 3; ++p) {
      const mOverview::PeriodWorst* w = rows[i].computed ? &rows[i].periods[p] : nullptr;
      out.push_back(std::to_string(rows[i].receptorID) + "," + quoteField(r.description) + "," + r.landUseTxt() +
                    "," + mResultCells::periodName(p) + "," + commaCells(w ? &w->lmax : nullptr) + "," + metric +
                    "," + commaCells(w ? &w->metric : nullptr));
    }
  }
  return out;
}

// A cell as the results sheet shows it: the marker's word or the number.
std::string shown(float v) { return isMarker(v) ? markerWord(v) : format0_0(v); }

std::string textCells(const cStudy& study, const mOverview::Worst& w, std::size_t nameWidth) {
  return cReport::padRight(format0_0(w.level), 8) + cReport::padRight(shown(w.limit), 8) +
         cReport::padRight(shown(w.exceedance), 12) +
         cReport::padRight(lineName(study, w.equipmentID), nameWidth);
}

std::vector<std::string> textLines(const cStudy& study, const std::vector<mOverview::ReceptorOverview>& rows,
                                   const std::vector<mBatchAnalysis::Receptor>& receptors) {
  const std::string metric = mResultCells::metricName(mResultCells::caseMetric(study));
  std::size_t nameWidth = 7;
  for (const auto& e : study.colEquipment) nameWidth = std::max(nameWidth, e->description.size() + 2);
  std::vector<std::string> out{"Case Description: " + study.caseDescription, "",
                               "Worst noise limit exceedance of each receptor, of the Total or of any active piece "
                               "of equipment against its own limit (dBA)"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const cReceptorRecord& r = *receptors[i].record;
    out.emplace_back();
    out.push_back("Receptor #" + std::to_string(rows[i].receptorID) + ": " + r.description + " (" + r.landUseTxt() +
                  ")");
    if (!rows[i].computed) {
      out.push_back("  Not computed: the input is incomplete.");
      continue;
    }
    out.push_back("  Period   " + cReport::padRight("Lmax", 8) + cReport::padRight("Limit", 8) +
                  cReport::padRight("Exceedance", 12) + cReport::padRight("Line", nameWidth) +
                  cReport::padRight(metric, 8) + cReport::padRight("Limit", 8) +
                  cReport::padRight("Exceedance", 12) + "Line");
    for (std::int32_t p = 0; p < 3; ++p) {
      const auto& w = rows[i].periods[p];
      std::string line = "  " + cReport::padRight(mResultCells::periodName(p), 9) + textCells(study, w.lmax, nameWidth) +
                         textCells(study, w.metric, 0);
      line.erase(line.find_last_not_of(' ') + 1);
      out.push_back(line);
    }
  }
  return out;
}

}  // namespace

namespace mBatchSummary {

std::vector<std::string> lines(cStudy& study, const std::vector<mBatchAnalysis::Receptor>& receptors, bool comma) {
  std::vector<mOverview::ReceptorOverview> rows;
  for (const auto& r : receptors) {
    if (r.computed) {
      rows.push_back(mOverview::receptorOverview(study, *r.computed, r.id));
    } else {
      rows.emplace_back();
      rows.back().receptorID = r.id;
    }
  }
  return comma ? commaLines(study, rows, receptors) : textLines(study, rows, receptors);
}

}  // namespace mBatchSummary
