#include "vibration/cVibrationSettings.h"

#include <algorithm>
#include <cmath>

#include "study/cReceptorRecord.h"
#include "study/cStudy.h"
#include "vibration/mVibration.h"
#include "vibration/mVibrationCriteria.h"

namespace {

bool saysOnlyDefaults(const cVibrationSettings::ReceptorEntry& e) {
  return e.category == mVibrationCriteria::defaultCategory && !e.annoyanceLimit;
}

}  // namespace

bool cVibrationSettings::setExponent(double n) {
  if (!mVibration::isExponent(n)) return false;
  exponent_ = n;
  return true;
}

const cVibrationSettings::ReceptorEntry* cVibrationSettings::resolve(const cStudy& study,
                                                                     const cReceptorRecord& receptor) const {
  for (const auto& e : receptors_)
    if (e.receptorID == receptor.rowID && e.description == receptor.description) return &e;
  const ReceptorEntry* only = nullptr;
  std::size_t sharing = 0;
  for (const auto& e : receptors_) {
    if (e.description != receptor.description) continue;
    only = &e;
    ++sharing;
  }
  if (sharing == 1) return only;
  if (sharing > 1) return nullptr;
  for (const auto& e : receptors_) {
    if (e.receptorID != receptor.rowID) continue;
    const bool described = std::any_of(study.colReceptors.begin(), study.colReceptors.end(),
                                       [&e](const auto& r) { return r->description == e.description; });
    if (!described) return &e;
  }
  return nullptr;
}

cVibrationSettings::ReceptorEntry& cVibrationSettings::entryFor(const cStudy& study, const cReceptorRecord& receptor) {
  ReceptorEntry* e = const_cast<ReceptorEntry*>(resolve(study, receptor));
  if (!e) {
    receptors_.push_back({receptor.rowID, receptor.description, mVibrationCriteria::defaultCategory, std::nullopt});
    e = &receptors_.back();
  }
  // From now on the entry names the receptor as it is.
  e->receptorID = receptor.rowID;
  e->description = receptor.description;
  return *e;
}

cVibrationSettings::Criteria cVibrationSettings::criteriaFor(const cStudy& study,
                                                             const cReceptorRecord& receptor) const {
  Criteria c;
  const ReceptorEntry* e = resolve(study, receptor);
  c.category = e ? e->category : mVibrationCriteria::defaultCategory;
  c.ppvLimit = mVibrationCriteria::category(c.category).ppvLimit;
  c.lvFollowsLandUse = !(e && e->annoyanceLimit);
  c.lvLimit = c.lvFollowsLandUse ? mVibrationCriteria::defaultAnnoyanceLimit(receptor.landUse) : *e->annoyanceLimit;
  return c;
}

bool cVibrationSettings::setCategory(const cStudy& study, const cReceptorRecord& receptor, std::int32_t category) {
  if (!mVibrationCriteria::isCategory(category)) return false;
  entryFor(study, receptor).category = category;
  return true;
}

bool cVibrationSettings::setAnnoyanceLimit(const cStudy& study, const cReceptorRecord& receptor,
                                           std::optional<double> limit) {
  if (limit && !(std::isfinite(*limit) && *limit > 0.0)) return false;
  entryFor(study, receptor).annoyanceLimit = limit;
  return true;
}

void cVibrationSettings::addReceptorEntry(ReceptorEntry entry) { receptors_.push_back(std::move(entry)); }

std::vector<cVibrationSettings::ReceptorEntry> cVibrationSettings::entriesFor(const cStudy& study) const {
  std::vector<ReceptorEntry> out;
  for (const auto& r : study.colReceptors) {
    const ReceptorEntry* e = resolve(study, *r);
    if (!e || saysOnlyDefaults(*e)) continue;
    out.push_back(*e);
    out.back().receptorID = r->rowID;
    out.back().description = r->description;
  }
  return out;
}

bool cVibrationSettings::isDefault() const {
  if (exponent_ != mVibration::defaultExponent || !mapping.userEntries().empty()) return false;
  for (const auto& e : receptors_)
    if (!saysOnlyDefaults(e)) return false;
  return true;
}

void cVibrationSettings::reset() {
  exponent_ = mVibration::defaultExponent;
  receptors_.clear();
  mapping.clear();
}
