#include "cli/mBatchVibration.h"

#include <algorithm>

#include "cli/mBatch.h"
#include "report/cReport.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "vibration/IVibrationTable.h"
#include "vibration/cVibrationSettings.h"
#include "vibration/mVibrationCriteria.h"
#include "vibration/mVibrationBeside.h"
#include "vibration/mVibrationResults.h"
#include "vibration/mVibrationTable.h"
#if VORN_HAVE_GDAL
#include "vibration/gdal/cGeoPackageVibrationTable.h"
#endif

namespace {

using mVibrationResults::Piece;

// The vibration table inside the site file, where this build has site files.
IVibrationTable* siteTable() {
#if VORN_HAVE_GDAL
  static cGeoPackageVibrationTable table;
  return &table;
#else
  return nullptr;
#endif
}

std::string commaLine(const cReceptorRecord& r, const mVibrationResults::Receptor& v, const Piece& p) {
  return std::to_string(r.rowID) + "," + quoteField(p.description) + "," + format0_0(p.distance) + "," +
         mVibrationResults::ppvText(p.ppv) + "," + formatFixed(v.criteria.ppvLimit, 3) + "," +
         mVibrationResults::ppvExceedanceText(p) + "," + mVibrationResults::levelText(p.lv) + "," +
         format0_0(v.criteria.lvLimit) + "," + mVibrationResults::lvExceedanceText(p) + "," +
         format0_0(p.minDistancePPV) + "," + format0_0(p.minDistanceLv);
}

constexpr std::size_t kColumn = 12;

std::string tableHeading(std::size_t nameWidth) {
  return "  " + cReport::padRight("Equipment", nameWidth) + cReport::padRight("Source", 34) +
         cReport::padRight("Distance", kColumn) + cReport::padRight("PPV", kColumn) +
         cReport::padRight("Exceedance", kColumn) + cReport::padRight("Lv", kColumn) +
         cReport::padRight("Exceedance", kColumn) + cReport::padRight("Min Dist PPV", 14) + "Min Dist Lv";
}

std::string tableLine(const Piece& p, std::size_t nameWidth) {
  return "  " + cReport::padRight(p.description, nameWidth) +
         cReport::padRight(mVibrationTable::row(static_cast<std::size_t>(p.row)).name, 34) +
         cReport::padRight(format0_0(p.distance), kColumn) + cReport::padRight(mVibrationResults::ppvText(p.ppv), kColumn) +
         cReport::padRight(mVibrationResults::ppvExceedanceText(p), kColumn) +
         cReport::padRight(mVibrationResults::levelText(p.lv), kColumn) +
         cReport::padRight(mVibrationResults::lvExceedanceText(p), kColumn) +
         cReport::padRight(format0_0(p.minDistancePPV), 14) + format0_0(p.minDistanceLv);
}

std::string worstLine(const mVibrationResults::Receptor& v) {
  if (!v.worstPPV || !v.worstLv) return "  Worst: no distance entered yet.";
  const Piece& a = v.pieces[*v.worstPPV];
  const Piece& b = v.pieces[*v.worstLv];
  return "  Worst: PPV " + mVibrationResults::ppvText(a.ppv) + " in/s (" + a.description + "), Lv " +
         mVibrationResults::levelText(b.lv) + " VdB (" + b.description + ")";
}

void textReceptor(const cStudy& study, const cReceptorRecord& r, const mVibrationResults::Receptor& v,
                  std::vector<std::string>& out) {
  out.emplace_back();
  out.push_back("Receptor #" + std::to_string(r.rowID) + ": " + r.description + " (" + r.landUseTxt() + ")");
  out.push_back("  Building: " + std::string(mVibrationCriteria::category(v.criteria.category).name) +
                ", PPV limit " + formatFixed(v.criteria.ppvLimit, 3) + " in/s; annoyance limit " +
                format0_0(v.criteria.lvLimit) + " VdB" + (v.criteria.lvFollowsLandUse ? " (by land use)" : ""));
  if (v.pieces.empty()) {
    out.push_back("  No active piece of equipment is a vibration source.");
    return;
  }
  std::size_t nameWidth = 11;
  for (const auto& e : study.colEquipment) nameWidth = std::max(nameWidth, e->description.size() + 2);
  out.push_back(tableHeading(nameWidth));
  for (const auto& p : v.pieces) {
    std::string line = tableLine(p, nameWidth);
    line.erase(line.find_last_not_of(' ') + 1);
    out.push_back(line);
  }
  out.push_back(worstLine(v));
}

}  // namespace

namespace mBatchVibration {

std::vector<std::string> lines(const cStudy& study, const cVibrationSettings& settings, std::int32_t receptor,
                               bool comma) {
  std::vector<std::string> out;
  if (comma) {
    out.emplace_back(commaHeader);
  } else {
    out.push_back("Case Description: " + study.caseDescription);
    out.emplace_back();
    out.push_back("Construction vibration at each receptor: PPV in in/s, Lv in VdB, distances in " +
                  mVibrationResults::unitsName(study.units) + ", n = " + formatFixed(settings.exponent(), 2));
  }
  for (const auto& r : study.colReceptors) {
    if (receptor != 0 && r->rowID != receptor) continue;
    const auto v = mVibrationResults::compute(study, settings, *r);
    if (!comma) {
      textReceptor(study, *r, v, out);
      continue;
    }
    for (const auto& p : v.pieces) out.push_back(commaLine(*r, v, p));
  }
  return out;
}

int build(cStudy& study, const std::string& caseDirectory, const std::string& caseFileName, bool comma,
          std::int32_t receptor, std::vector<std::string>& out) {
  cVibrationSettings settings;
  if (!mVibrationBeside::open(study, settings, siteTable(), caseDirectory, caseFileName, study.messages()))
    return mBatch::exitCannotRun;
  const auto count = static_cast<std::int32_t>(study.colReceptors.size());
  if (count == 0) {
    study.messages().show("No case results to report.", "VORN", MessageIcon::Critical);
    return mBatch::exitNothingToReport;
  }
  if (receptor > count) {
    study.messages().show("Please select a Receptor.", "VORN", MessageIcon::Critical);
    return mBatch::exitNothingToReport;
  }
  out = lines(study, settings, receptor, comma);
  return mBatch::exitReported;
}

}  // namespace mBatchVibration
