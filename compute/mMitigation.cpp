#include "compute/mMitigation.h"

#include <algorithm>
#include <cmath>

#include "compute/mCompute.h"
#include "compute/mProcess.h"
#include "compute/mResultCells.h"
#include "study/ISheetView.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

using namespace mResultCells;

namespace {

// No remedy is looked for further than this many steps from its closed form:
// the closed form is off by a rounding step at most.
constexpr long maxSettleSteps = 1000;

// The float a value in tenths is stored as.
float tenths(long k) { return static_cast<float>(static_cast<double>(k) / 10.0); }
float plusTenths(float base, long k) {
  return static_cast<float>(static_cast<double>(base) + static_cast<double>(k) / 10.0);
}

// The closed form's step count for an amount shown in tenths, rounded up.
long tenthsUp(double amount) { return static_cast<long>(std::ceil(amount * 10.0 - 1e-9)); }

// The smallest k >= lowest for which ok holds, given that ok turns from
// false to true once as k grows, searched from the closed form's guess.
template <typename Ok>
std::optional<long> smallestStep(long guess, long lowest, Ok ok) {
  long k = std::max(guess, lowest);
  for (long tries = 0; !ok(k); ++k)
    if (++tries > maxSettleSteps) return std::nullopt;
  for (long tries = 0; k > lowest && ok(k - 1) && tries < maxSettleSteps; ++tries) --k;
  return k;
}

struct Piece {
  const cEquipmentRecord* e;
  const cLinkRecord* link;
};

bool within(const std::optional<mCompute::LinkLevels>& levels, std::int32_t metric, float limit) {
  if (!levels) return false;
  const float v = metric == 0 ? levels->lmax : metric == 1 ? levels->leq : levels->l10;
  return v <= limit;
}

void remediesOfPiece(const cStudy& study, const Piece& p, mMitigation::Need& need) {
  const cEquipmentRecord& e = *p.e;
  const cLinkRecord& link = *p.link;
  const double excess = static_cast<double>(need.level) - static_cast<double>(need.limit);
  auto ok = [&](float usage, float distance, float sheilding) {
    return within(mCompute::linkLevels(study, e, usage, distance, sheilding), need.metric, need.limit);
  };

  if (const auto k = smallestStep(tenthsUp(excess), 1,
                                  [&](long s) { return ok(e.usage, link.distance, plusTenths(link.sheilding, s)); }))
    need.shielding = static_cast<double>(*k) / 10.0;

  // The distance term falls by 20 log10 of the distance ratio.
  const double farEnough = static_cast<double>(link.distance) * std::pow(10.0, excess / 20.0);
  const long nearest = static_cast<long>(std::floor(static_cast<double>(link.distance) * 10.0)) + 1;
  if (const auto k = smallestStep(tenthsUp(farEnough), nearest,
                                  [&](long d) { return ok(e.usage, tenths(d), link.sheilding); }))
    need.minDistance = static_cast<double>(*k) / 10.0;

  if (need.metric != 0) {
    // The usage term falls by 10 log10 of the usage ratio; the largest whole
    // percent that complies, none above 100.
    const double fewEnough = static_cast<double>(e.usage) * std::pow(10.0, -excess / 10.0);
    long u = std::clamp(static_cast<long>(std::floor(fewEnough)), 0L, 100L);
    while (u > 0 && !ok(static_cast<float>(u), link.distance, link.sheilding)) --u;
    while (u < 100 && ok(static_cast<float>(u + 1), link.distance, link.sheilding)) ++u;
    need.maxUsage = static_cast<double>(u);
  }
}

// The Total with the same extra shielding on every active piece, computed as
// selecting the receptor would compute it, on a copy.
bool totalWithin(cStudy& study, const cReceptorRecord& r, long steps, std::int32_t metric, float limit) {
  auto aside = r.copy();
  for (const auto& link : aside->colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    if (study.getEquipment(e, link->equipID) && e->active) link->sheilding = plusTenths(link->sheilding, steps);
  }
  mCompute::computeReceptorLinks(study, *aside, false);
  mCompute::computeReceptorTotals(study, *aside);
  return level(aside->calculated_totals, metric) <= limit;
}

bool exceeded(float exceedance) { return !isMarker(exceedance) && exceedance > 0.0f; }

// The needs of one line, by period and metric.
template <typename Remedies>
void collect(std::vector<mMitigation::Need>& out, const Line& line, std::int32_t caseMetricCode,
             std::int32_t receptorID, std::int32_t equipmentID, Remedies remedies) {
  for (std::int32_t p = 0; p < 3; ++p) {
    for (std::int32_t m : {0, caseMetricCode}) {
      if (!exceeded(level(*line.exceed[p], m))) continue;
      mMitigation::Need need;
      need.receptorID = receptorID;
      need.equipmentID = equipmentID;
      need.period = p;
      need.metric = m;
      need.level = level(*line.calculated, m);
      need.limit = level(*line.lotLine[p], m);
      remedies(need);
      out.push_back(need);
    }
  }
}

}  // namespace

namespace mMitigation {

std::vector<Need> needs(cStudy& study, const cReceptorRecord& r, std::int32_t receptorID) {
  std::vector<Need> out;
  const std::int32_t metric = caseMetric(study);
  for (const auto& link : r.colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    if (!study.getEquipment(e, link->equipID) || !e->active || !link->results.computed) continue;
    const Piece piece{e.get(), link.get()};
    collect(out, linkLine(link->results), metric, receptorID, link->equipID,
            [&](Need& need) { remediesOfPiece(study, piece, need); });
  }
  collect(out, totalLine(r), metric, receptorID, 0, [&](Need& need) {
    const double excess = static_cast<double>(need.level) - static_cast<double>(need.limit);
    if (const auto k = smallestStep(tenthsUp(excess), 1, [&](long s) {
          return totalWithin(study, r, s, need.metric, need.limit);
        }))
      need.shielding = static_cast<double>(*k) / 10.0;
  });
  return out;
}

bool apply(cStudy& study, const Need& need, Remedy remedy) {
  if (need.receptorID == 0 || need.receptorID != study.receptorID()) return false;
  const std::optional<double> value = remedy == Remedy::shielding ? need.shielding
                                      : remedy == Remedy::usage   ? need.maxUsage
                                                                  : need.minDistance;
  if (!value || (remedy != Remedy::shielding && !(*value > 0.0))) return false;
  std::shared_ptr<cReceptorRecord> r;
  if (!study.getReceptor(r, need.receptorID)) return false;

  std::vector<std::pair<std::shared_ptr<cEquipmentRecord>, std::shared_ptr<cLinkRecord>>> targets;
  for (const auto& link : r->colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    if (!study.getEquipment(e, link->equipID)) continue;
    const bool target = need.equipmentID == 0 ? e->active : link->equipID == need.equipmentID;
    if (target) targets.emplace_back(e, link);
    if (target && need.equipmentID != 0) break;
  }
  if (targets.empty() || (need.equipmentID == 0 && remedy != Remedy::shielding)) return false;

  study.holdState(3);
  study.setCaseChanged(true);
  for (auto& [e, link] : targets) {
    switch (remedy) {
      case Remedy::shielding:
        link->sheilding = static_cast<float>(static_cast<double>(link->sheilding) + *value);
        break;
      case Remedy::usage:
        e->usage = static_cast<float>(*value);
        break;
      case Remedy::distance:
        link->distance = static_cast<float>(*value);
        break;
    }
  }
  mProcess::processReceptor(study);
  study.equipmentSheet().display();
  study.displayLinks();
  return true;
}

}  // namespace mMitigation
