#include "site/mSitePlan.h"

#include <charconv>
#include <cmath>

#include "compute/mCompute.h"
#include "compute/mProcess.h"
#include "site/mSiteGeometry.h"
#include "study/ISheetView.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mParseField.h"

namespace mSitePlan {
namespace {

// The value as the case file holds it (7 significant digits), so that a case
// saved with its plan opens again with nothing for the plan to change.
float storable(double value) {
  const auto f = static_cast<float>(value);
  return parseFloatField(numberText(f)).value_or(f);
}

bool applyToLink(const cStudy& study, const cReceptorRecord& receptor, cLinkRecord& link) {
  std::shared_ptr<cEquipmentRecord> equipment;
  if (!receptor.position || !study.getEquipment(equipment, link.equipID) || !equipment->position) return false;
  bool changed = false;
  const float distance = storable(mSiteGeometry::linkDistance(*equipment->position, *receptor.position));
  if (distance != link.distance) {
    link.distance = distance;
    changed = true;
  }
  if (!study.sitePlan.barriers.empty() && !link.typedShielding) {
    const mSiteGeometry::sShielding s = mSiteGeometry::barrierShielding(
        study.sitePlan.barriers, *equipment->position, *receptor.position, study.units);
    const float shielding = storable(s.attenuation);
    if (shielding != link.sheilding) {
      link.sheilding = shielding;
      changed = true;
    }
  }
  return changed;
}

int applyToReceptorRecord(const cStudy& study, const cReceptorRecord& receptor) {
  int changed = 0;
  for (const auto& link : receptor.colLinks) changed += applyToLink(study, receptor, *link) ? 1 : 0;
  return changed;
}

void convert(std::optional<cSitePosition>& p, bool toMeters) {
  if (!p) return;
  const auto f = [toMeters](double v) {
    return toMeters ? mCompute::feetToMeters(v) : mCompute::metersToFeet(v);
  };
  p = cSitePosition{f(p->x), f(p->y), f(p->height)};
}

void afterPlanEdit(cStudy& study) {
  study.setCaseChanged(true);
  mProcess::processReceptor(study);
  // The equipment sheet again, so that the cells the plan now computes are
  // locked and those it no longer computes open.
  study.equipmentSheet().display();
  study.displayLinks();
}

void appendNumber(std::string& out, double v) {
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  out.append(buffer, r.ptr);
  out += ',';
}

void appendPosition(std::string& out, const std::optional<cSitePosition>& p) {
  if (!p) {
    out += "-,";
    return;
  }
  appendNumber(out, p->x);
  appendNumber(out, p->y);
  appendNumber(out, p->height);
}

}  // namespace

bool hasPlan(const cStudy& study) {
  if (!study.sitePlan.empty()) return true;
  for (const auto& r : study.colReceptors)
    if (r->position) return true;
  for (const auto& e : study.colEquipment)
    if (e->position) return true;
  return false;
}

sLinkSource linkSource(const cStudy& study, const cReceptorRecord& receptor, const cLinkRecord& link) {
  sLinkSource source;
  std::shared_ptr<cEquipmentRecord> equipment;
  if (!receptor.position || !study.getEquipment(equipment, link.equipID) || !equipment->position) return source;
  source.distanceFromPlan = true;
  if (study.sitePlan.barriers.empty() || link.typedShielding) return source;
  source.shieldingFromPlan = true;
  source.barrier = mSiteGeometry::barrierShielding(study.sitePlan.barriers, *equipment->position,
                                                   *receptor.position, study.units)
                       .barrier;
  return source;
}

std::string distanceTip(const sLinkSource& source) {
  return source.distanceFromPlan ? "Computed from the site plan (move the receptor or the equipment to change it)"
                                 : std::string();
}

std::string shieldingTip(const cStudy& study, const sLinkSource& source) {
  if (!source.shieldingFromPlan) return std::string();
  if (source.barrier < 0 || source.barrier >= static_cast<int>(study.sitePlan.barriers.size()))
    return "Computed from the site plan: no barrier cuts the line of sight";
  return "Computed from the site plan: shielded by barrier \"" +
         study.sitePlan.barriers[static_cast<std::size_t>(source.barrier)].name + "\"";
}

int applyToLinks(cStudy& study) {
  int changed = 0;
  for (const auto& receptor : study.colReceptors) changed += applyToReceptorRecord(study, *receptor);
  return changed;
}

int applyToReceptor(cStudy& study, std::int32_t receptorID) {
  std::shared_ptr<cReceptorRecord> receptor;
  return study.getReceptor(receptor, receptorID) ? applyToReceptorRecord(study, *receptor) : 0;
}

int applyToEquipment(cStudy& study, std::int32_t equipmentID) {
  int changed = 0;
  std::shared_ptr<cLinkRecord> link;
  for (const auto& receptor : study.colReceptors)
    if (receptor->getLink(link, equipmentID)) changed += applyToLink(study, *receptor, *link) ? 1 : 0;
  return changed;
}

void convertPositions(cStudy& study, bool toMeters) {
  for (const auto& r : study.colReceptors) convert(r->position, toMeters);
  for (const auto& e : study.colEquipment) convert(e->position, toMeters);
  study.sitePlan.convertUnits(toMeters);
}

bool placeReceptor(cStudy& study, std::int32_t receptorID, std::optional<cSitePosition> position) {
  std::shared_ptr<cReceptorRecord> receptor;
  if (!study.getReceptor(receptor, receptorID)) return false;
  study.holdState(3);
  receptor->position = position;
  // Links to equipment that joined the case since the last edit get their
  // distance at once.
  study.updateLinks();
  applyToReceptor(study, receptorID);
  afterPlanEdit(study);
  return true;
}

bool placeEquipment(cStudy& study, std::int32_t equipmentID, std::optional<cSitePosition> position) {
  std::shared_ptr<cEquipmentRecord> equipment;
  if (!study.getEquipment(equipment, equipmentID)) return false;
  study.holdState(3);
  equipment->position = position;
  study.updateLinks();
  applyToEquipment(study, equipmentID);
  afterPlanEdit(study);
  return true;
}

void addBarrier(cStudy& study, cBarrier barrier) {
  study.holdState(3);
  study.sitePlan.barriers.push_back(std::move(barrier));
  applyToLinks(study);
  afterPlanEdit(study);
}

bool removeBarrier(cStudy& study, std::size_t index) {
  if (index >= study.sitePlan.barriers.size()) return false;
  study.holdState(3);
  study.sitePlan.barriers.erase(study.sitePlan.barriers.begin() + static_cast<std::ptrdiff_t>(index));
  applyToLinks(study);
  afterPlanEdit(study);
  return true;
}

bool moveBarrierPoint(cStudy& study, std::size_t index, std::size_t point, cSitePoint to) {
  if (index >= study.sitePlan.barriers.size() || point >= study.sitePlan.barriers[index].points.size() ||
      !std::isfinite(to.x) || !std::isfinite(to.y))
    return false;
  study.holdState(3);
  study.sitePlan.barriers[index].points[point] = to;
  applyToLinks(study);
  afterPlanEdit(study);
  return true;
}

bool setTypedShielding(cStudy& study, std::int32_t receptorID, std::int32_t equipmentID, bool typed) {
  std::shared_ptr<cReceptorRecord> receptor;
  std::shared_ptr<cLinkRecord> link;
  if (!study.getReceptor(receptor, receptorID) || !receptor->getLink(link, equipmentID)) return false;
  study.holdState(3);
  link->typedShielding = typed;
  applyToReceptor(study, receptorID);
  afterPlanEdit(study);
  return true;
}

std::string fingerprint(const cStudy& study) {
  std::string out;
  appendNumber(out, study.units);
  appendNumber(out, study.sitePlan.epsg);
  out += study.sitePlan.background.path + '\n';
  for (double t : study.sitePlan.background.transform) appendNumber(out, t);
  for (const auto& r : study.colReceptors) {
    out += "\nR" + r->description + '\n';
    appendPosition(out, r->position);
    for (const auto& link : r->colLinks)
      if (link->typedShielding) appendNumber(out, link->equipID);
  }
  for (const auto& e : study.colEquipment) {
    out += "\nE" + e->description + '\n';
    appendPosition(out, e->position);
  }
  for (const auto& b : study.sitePlan.barriers) {
    out += "\nB" + b.name + '\n';
    appendNumber(out, b.topHeight);
    for (const auto& p : b.points) {
      appendNumber(out, p.x);
      appendNumber(out, p.y);
    }
  }
  return out;
}

}  // namespace mSitePlan
