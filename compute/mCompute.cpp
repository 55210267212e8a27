#include "compute/mCompute.h"

#include <cmath>
#include <limits>
#include <optional>

#include "compute/mResultCells.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

namespace {

// A double as the stored float, or nothing when it is not a finite float
// (converting such a value would be undefined or give an infinity).
std::optional<float> storable(double x) {
  if (!std::isfinite(x) || std::fabs(x) > static_cast<double>(std::numeric_limits<float>::max()))
    return std::nullopt;
  return static_cast<float>(x);
}

void setLevel(cMetric& m, int metric, float value) {
  switch (metric) {
    case 0:
      m.setLmax(value);
      break;
    case 1:
      m.setLeq(value);
      break;
    default:
      m.setL10(value);
      break;
  }
}

// A marker limit is passed on as it is; otherwise the excess over the limit,
// with 0 or less meaning none.
void setExceedance(cMetric& exceed, int metric, float levelValue, float limit) {
  if (isValueNA(limit) || isValueExempt(limit)) {
    setLevel(exceed, metric, limit);
    return;
  }
  const auto e = storable(static_cast<double>(levelValue) - static_cast<double>(limit));
  // Only a level beyond the float range could fail here; such an excess is
  // shown as the largest float rather than as an infinity.
  const float excess = e ? *e : std::copysign(std::numeric_limits<float>::max(), levelValue - limit);
  setLevel(exceed, metric, excess);
  if (excess <= 0.0f) setLevel(exceed, metric, valueNone);
}

// Limits by period (day, evening, night) and metric (Lmax, Leq, L10), and
// the exceedance of each by the levels in `calculated`.
void applyLimits(const cStudy& study, std::int32_t landUse, std::int32_t impactType, const cMetric& calculated,
                 cMetric* const lotLine[3], cMetric* const exceed[3]) {
  for (std::int32_t p = 0; p < 3; ++p) {
    for (std::int32_t m = 0; m < 3; ++m) {
      const float limit = study.NoiseLimits.getLimit(m, landUse, p, impactType);
      setLevel(*lotLine[p], m, limit);
      setExceedance(*exceed[p], m, mResultCells::level(calculated, m), mResultCells::level(*lotLine[p], m));
    }
  }
}

// Lmax at the distance, or nothing when D/50 makes the logarithm undefined
// or the level overflows.
std::optional<float> lmaxAt(const cStudy& study, const cEquipmentRecord& e, float distance, float sheilding) {
  const double lref = e.spec_select ? e.spec_lmax : e.actual_lmax;
  float d = distance;
  if (study.units != 0) {
    const auto feet = storable(mCompute::metersToFeet(distance));
    if (!feet) return std::nullopt;
    d = *feet;
  }
  if (!(d > 0.0f)) return std::nullopt;
  const float ratio = static_cast<float>(static_cast<double>(d) / 50.0);
  if (!(ratio > 0.0f)) return std::nullopt;  // a distance so small that D/50 rounds to 0
  // The computation sets numUnits to 1 before every use, so the units term
  // is always 10 log10(1).
  constexpr double numUnits = 1.0;
  return storable(lref + 10.0 * mCompute::log10(numUnits) - 20.0 * mCompute::log10(ratio) -
                  static_cast<double>(sheilding));
}

// Leq and L10 follow from the stored Lmax and the usage.
std::optional<mCompute::LinkLevels> levelsFromLmax(const cStudy& study, float lmax, float usage) {
  const float usageFraction = static_cast<float>(static_cast<double>(usage) / 100.0);
  if (!(usageFraction > 0.0f)) return std::nullopt;
  const auto leq = storable(static_cast<double>(lmax) + 10.0 * mCompute::log10(usageFraction));
  if (!leq) return std::nullopt;
  const auto l10 = storable(static_cast<double>(study.adjustmentFactor) + static_cast<double>(*leq));
  if (!l10) return std::nullopt;
  return mCompute::LinkLevels{lmax, *leq, *l10};
}

// The distance in feet is 0 when it is stored as 0 in either unit.
bool atZeroDistance(const cLinkRecord& link) { return link.distance == 0.0f; }

}  // namespace

namespace mCompute {

double metersToFeet(double x) { return x * 3.280833333; }

double feetToMeters(double x) { return x * 0.30480061; }

double log10(double x) { return std::log(x) / std::log(10.0); }

void computeReceptorLinks(cStudy& study, cReceptorRecord& R, bool skipAtZero) {
  for (const auto& link : R.colLinks) {
    cResultRecord& results = link->results;
    std::shared_ptr<cEquipmentRecord> e;
    if (!study.getEquipment(e, link->equipID)) {
      results.computed = false;
      continue;
    }
    e->numUnits = 1;
    const bool keepLmax = skipAtZero && atZeroDistance(*link);
    const auto levels = keepLmax ? levelsFromLmax(study, results.calculated.Lmax(), e->usage)
                                 : linkLevels(study, *e, e->usage, link->distance, link->sheilding);
    if (!levels) {
      results.computed = false;
      continue;
    }
    cMetric& c = results.calculated;
    // A kept Lmax is not stored again: its word stays as it was (empty for a
    // link never computed, which the reports then show blank).
    if (!keepLmax) c.setLmax(levels->lmax);
    c.setLeq(levels->leq);
    c.setL10(levels->l10);
    cMetric* const lotLine[3] = {&results.day_lotLine, &results.eve_lotLine, &results.nite_lotLine};
    cMetric* const exceed[3] = {&results.day_exceed, &results.eve_exceed, &results.nite_exceed};
    applyLimits(study, R.landUse, e->impactDevice, c, lotLine, exceed);
    results.computed = true;
  }
}

std::optional<LinkLevels> linkLevels(const cStudy& study, const cEquipmentRecord& e, float usage, float distance,
                                     float sheilding) {
  const auto lmax = lmaxAt(study, e, distance, sheilding);
  if (!lmax) return std::nullopt;
  return levelsFromLmax(study, *lmax, usage);
}

void computeReceptorTotals(cStudy& study, std::int32_t receptorID) {
  std::shared_ptr<cReceptorRecord> R;
  if (study.getReceptor(R, receptorID)) computeReceptorTotals(study, *R);
}

void computeReceptorTotals(cStudy& study, cReceptorRecord& receptor) {
  cReceptorRecord* const R = &receptor;
  float maxLmax = 0.0f;
  float sumLeq = 0.0f;
  float sumL10 = 0.0f;
  std::int16_t impactCount = 0;
  std::int32_t linkCount = 0;
  for (const auto& link : R->colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    // Links to equipment that does not exist take no part at all.
    if (!study.getEquipment(e, link->equipID)) continue;
    ++linkCount;
    const cMetric& c = link->results.calculated;
    // A link that could not be computed has no levels to add.
    if (e->active && link->results.computed) {
      if (c.Lmax() > maxLmax) maxLmax = c.Lmax();
      const auto leq = storable(static_cast<double>(sumLeq) + std::pow(10.0, static_cast<double>(c.Leq()) / 10.0));
      const auto l10 = storable(static_cast<double>(sumL10) + std::pow(10.0, static_cast<double>(c.L10()) / 10.0));
      sumLeq = leq ? *leq : std::numeric_limits<float>::infinity();
      sumL10 = l10 ? *l10 : std::numeric_limits<float>::infinity();
    }
    if (e->impactDevice == 0) ++impactCount;
  }
  cMetric& T = R->calculated_totals;
  T.setLmax(maxLmax);
  // A zero sum (nothing active) leaves the total as it was; so does a sum
  // beyond the float range, which no real level reaches.
  if (sumLeq != 0.0f)
    if (const auto v = storable(10.0 * log10(sumLeq))) T.setLeq(*v);
  if (sumL10 != 0.0f)
    if (const auto v = storable(10.0 * log10(sumL10))) T.setL10(*v);
  const std::int32_t impactType = (linkCount - impactCount) == 0 ? 0 : 1;
  cMetric* const lotLine[3] = {&R->day_lotLine_totals, &R->eve_lotLine_totals, &R->nite_lotLine_totals};
  cMetric* const exceed[3] = {&R->day_exceed_totals, &R->eve_exceed_totals, &R->nite_exceed_totals};
  applyLimits(study, R->landUse, impactType, T, lotLine, exceed);
}

}  // namespace mCompute
