#include "vibration/mVibrationResults.h"

#include <cmath>

#include "study/cStudy.h"
#include "study/mFormat.h"
#include "vibration/mVibration.h"
#include "vibration/mVibrationTable.h"

namespace {

bool usableDistance(float d) { return std::isfinite(d) && d > 0.0f; }

void fillLevels(mVibrationResults::Piece& p, const cVibrationSettings::Criteria& c, double n, std::int32_t units) {
  const mVibrationTable::Row& ref = mVibrationTable::row(static_cast<std::size_t>(p.row));
  p.minDistancePPV = mVibration::minDistancePPV(ref.ppvRef, c.ppvLimit, n, units);
  p.minDistanceLv = mVibration::minDistanceLv(ref.lvRef, c.lvLimit, units);
  if (!usableDistance(p.distance)) return;
  const double feet = mVibration::distanceFeet(p.distance, units);
  p.ppv = mVibration::ppv(ref.ppvRef, feet, n);
  p.lv = mVibration::lv(ref.lvRef, feet);
  p.ppvExceedance = mVibration::exceedance(*p.ppv, c.ppvLimit);
  p.lvExceedance = mVibration::exceedance(*p.lv, c.lvLimit);
}

// The first piece of the highest value: ties go to the earlier line.
std::optional<std::size_t> worst(const std::vector<mVibrationResults::Piece>& pieces,
                                 std::optional<double> mVibrationResults::Piece::*value) {
  std::optional<std::size_t> at;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const auto& v = pieces[i].*value;
    if (v && (!at || *v > *(pieces[*at].*value))) at = i;
  }
  return at;
}

}  // namespace

namespace mVibrationResults {

Receptor compute(const cStudy& study, const cVibrationSettings& settings, const cReceptorRecord& receptor) {
  Receptor out;
  out.receptorID = receptor.rowID;
  out.criteria = settings.criteriaFor(study, receptor);
  for (const auto& e : study.colEquipment) {
    if (!e->active) continue;
    const int row = settings.mapping.rowFor(e->description);
    std::shared_ptr<cLinkRecord> link;
    if (row == cVibrationMapping::noSource || !receptor.getLink(link, e->rowID)) continue;
    Piece p;
    p.equipID = e->rowID;
    p.description = e->description;
    p.row = row;
    p.distance = link->distance;
    fillLevels(p, out.criteria, settings.exponent(), study.units);
    out.pieces.push_back(std::move(p));
  }
  out.worstPPV = worst(out.pieces, &Piece::ppv);
  out.worstLv = worst(out.pieces, &Piece::lv);
  return out;
}

std::string ppvText(const std::optional<double>& v) { return v ? formatFixed(*v, 3) : std::string(); }

std::string levelText(const std::optional<double>& v) { return v ? format0_0(*v) : std::string(); }

std::string ppvExceedanceText(const Piece& p) {
  if (!p.ppv) return {};
  return p.ppvExceedance ? formatFixed(*p.ppvExceedance, 3) : "None";
}

std::string lvExceedanceText(const Piece& p) {
  if (!p.lv) return {};
  return p.lvExceedance ? format0_0(*p.lvExceedance) : "None";
}

std::string unitsName(std::int32_t units) { return units == 0 ? "feet" : "meters"; }

}  // namespace mVibrationResults
