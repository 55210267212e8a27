#include "programme/mProgrammeCompute.h"

#include <cmath>
#include <limits>
#include <map>
#include <optional>

#include "compute/mCompute.h"
#include "criteria/cEquationRecord.h"
#include "programme/cPhaseCases.h"
#include "programme/cProgramme.h"
#include "study/cError.h"
#include "study/cScriptedMessageService.h"
#include "study/cStudy.h"
#include "study/mMarkers.h"

namespace {

using Cell = cProgrammeResults::Cell;

std::optional<float> storable(double x) {
  if (!std::isfinite(x) || std::fabs(x) > static_cast<double>(std::numeric_limits<float>::max()))
    return std::nullopt;
  return static_cast<float>(x);
}

// One active, computed piece as the totals add it.
struct Piece {
  float lmax;
  double energy;  // 10^(level / 10) of the metric's level
};

// One receptor in one phase: its pieces in link order, and what the impact
// type of the totals counts.
struct ReceptorLinks {
  bool complete = false;
  std::size_t first = 0, count = 0;  // range in the phase's pieces
  std::int32_t linkCount = 0, impactCount = 0;
};

struct PhaseLinks {
  std::vector<Piece> pieces;
  std::vector<ReceptorLinks> receptors;
};

// The validator's reason, as "Check Input Data" gives it.
std::string incompleteReason(cStudy& study, std::int32_t id) {
  cScriptedMessageService recorder;
  study.attachViews(nullptr, nullptr, nullptr, nullptr, &recorder);
  cError validator(study);
  bool show = true;
  (void)(validator.checkReceptor(id, show) && validator.checkEquipment(show) && validator.checkLinks(id, show));
  study.attachViews(nullptr, nullptr, nullptr, nullptr, nullptr);
  return recorder.messages().empty() ? std::string() : recorder.messages().front().text;
}

PhaseLinks phaseLinks(cStudy& study, std::size_t receptorCount, std::int32_t metric, const std::string& phaseName,
                      std::vector<std::string>& messages) {
  PhaseLinks out;
  out.receptors.resize(receptorCount);
  cError validator(study);
  bool quiet = false;
  const bool equipmentComplete = validator.checkEquipment(quiet);
  for (std::size_t i = 0; i < receptorCount; ++i) {
    const auto id = static_cast<std::int32_t>(i + 1);
    ReceptorLinks& r = out.receptors[i];
    r.first = out.pieces.size();
    r.complete = equipmentComplete && validator.checkReceptor(id, quiet) && validator.checkLinks(id, quiet);
    if (!r.complete) {
      const std::string why = incompleteReason(study, id);
      messages.push_back(phaseName + ": Receptor #" + std::to_string(id) + " not computed." +
                         (why.empty() ? std::string() : " " + why));
      continue;
    }
    for (const auto& link : study.colReceptors[i]->colLinks) {
      std::shared_ptr<cEquipmentRecord> e;
      if (!study.getEquipment(e, link->equipID)) continue;
      ++r.linkCount;
      if (e->impactDevice == 0) ++r.impactCount;
      if (!e->active) continue;
      const auto levels = mCompute::linkLevels(study, *e, e->usage, link->distance, link->sheilding);
      if (!levels) continue;
      const float level = metric == 1 ? levels->leq : levels->l10;
      out.pieces.push_back({levels->lmax, std::pow(10.0, static_cast<double>(level) / 10.0)});
    }
    r.count = out.pieces.size() - r.first;
  }
  return out;
}

// The receptor's limits by period, metric (0 Lmax, 1 the programme's) and
// impact type, from the criteria with its baselines stamped in.
struct Limits {
  float value[3][2][2];
};

Limits receptorLimits(cStudy& criteria, const cReceptorRecord& r, std::int32_t metric) {
  for (std::int16_t row = 1; row <= 3; ++row)
    for (std::int16_t col = 1; col <= 6; ++col) {
      const float base = col <= 2 ? r.dayBase : col <= 4 ? r.eveBase : r.niteBase;
      for (std::int32_t code : {0, metric})
        if (auto eq = criteria.NoiseLimits.getCriteria(code, row, col)) eq->baseLine = base;
    }
  Limits out{};
  for (std::int32_t p = 0; p < 3; ++p)
    for (std::int32_t impact = 0; impact < 2; ++impact) {
      out.value[p][0][impact] = criteria.NoiseLimits.getLimit(0, r.landUse, p, impact);
      out.value[p][1][impact] = criteria.NoiseLimits.getLimit(metric, r.landUse, p, impact);
    }
  return out;
}

float exceedance(float level, float limit) {
  if (isValueNA(limit) || isValueExempt(limit)) return limit;
  const auto e = storable(static_cast<double>(level) - static_cast<double>(limit));
  const float excess = e ? *e : std::copysign(std::numeric_limits<float>::max(), level - limit);
  return excess <= 0.0f ? valueNone : excess;
}

Cell combine(const std::vector<std::size_t>& working, const std::vector<PhaseLinks>& links,
             const std::vector<bool>& available, std::size_t receptor, std::int32_t period, const Limits& limits) {
  Cell c;
  c.state = cProgrammeResults::State::incomplete;
  float maxLmax = 0.0f;
  float sum = 0.0f;
  std::int32_t linkCount = 0, impactCount = 0;
  for (std::size_t k : working) {
    if (!available[k] || !links[k].receptors[receptor].complete) return c;
    const ReceptorLinks& r = links[k].receptors[receptor];
    linkCount += r.linkCount;
    impactCount += r.impactCount;
    for (std::size_t j = r.first; j < r.first + r.count; ++j) {
      const Piece& piece = links[k].pieces[j];
      if (piece.lmax > maxLmax) maxLmax = piece.lmax;
      const auto s = storable(static_cast<double>(sum) + piece.energy);
      sum = s ? *s : std::numeric_limits<float>::infinity();
    }
  }
  c.state = cProgrammeResults::State::computed;
  c.lmax = maxLmax;
  if (sum != 0.0f) {
    if (const auto v = storable(10.0 * mCompute::log10(sum))) {
      c.level = *v;
      c.hasLevel = true;
    }
  }
  const std::int32_t impactType = (linkCount - impactCount) == 0 ? 0 : 1;
  c.lmaxLimit = limits.value[period][0][impactType];
  c.limit = limits.value[period][1][impactType];
  c.lmaxExceedance = exceedance(c.lmax, c.lmaxLimit);
  // Without a level nothing is exceeded; a marker limit is still passed on.
  c.exceedance = c.hasLevel ? exceedance(c.level, c.limit)
                 : isValueNA(c.limit) || isValueExempt(c.limit) ? c.limit
                                                                : valueNone;
  return c;
}

}  // namespace

namespace mProgrammeCompute {

cProgrammeResults compute(const cProgramme& programme, cPhaseCases& cases) {
  cProgrammeResults out;
  out.noiseMetric = cases.noiseMetric();
  out.weekCount = programme.weekCount();
  out.messages = cases.messages();
  for (const auto& p : programme.phases) out.phaseNames.push_back(p.name);
  const cStudy* reference = cases.reference();
  if (reference)
    for (const auto& r : reference->colReceptors) out.receptors.push_back({r->rowID, r->description, r->landUseTxt()});
  const std::size_t receptorCount = out.receptors.size();

  std::vector<PhaseLinks> links(programme.phases.size());
  std::vector<bool> available(programme.phases.size(), false);
  for (std::size_t k = 0; k < programme.phases.size(); ++k) {
    if (!cases.available(k)) continue;
    available[k] = true;
    links[k] = phaseLinks(*cases.phases()[k].study, receptorCount, out.noiseMetric,
                          cPhaseCases::phaseName(programme, k), out.messages);
  }

  std::map<std::vector<std::size_t>, std::int32_t> known;
  out.combinationOf.assign(static_cast<std::size_t>(out.weekCount) * 3, -1);
  std::vector<std::int32_t> periodOf;  // the period of each combination's first use
  for (std::int32_t week = 1; week <= out.weekCount; ++week)
    for (std::int32_t p = 0; p < 3; ++p) {
      std::vector<std::size_t> working;
      for (std::size_t k = 0; k < programme.phases.size(); ++k)
        if (programme.phases[k].worksIn(week, p)) working.push_back(k);
      if (working.empty()) continue;
      // The same phases in another period are another set: the limits differ.
      working.push_back(static_cast<std::size_t>(p) + programme.phases.size());
      auto [it, added] = known.try_emplace(working, static_cast<std::int32_t>(out.combinations.size()));
      if (added) {
        out.combinations.push_back(std::vector<std::size_t>(working.begin(), working.end() - 1));
        periodOf.push_back(p);
      }
      out.combinationOf[static_cast<std::size_t>((week - 1) * 3 + p)] = it->second;
    }

  out.cells.resize(out.combinations.size() * receptorCount);
  for (std::size_t i = 0; i < receptorCount; ++i) {
    const Limits limits = receptorLimits(cases.criteria(), *reference->colReceptors[i], out.noiseMetric);
    for (std::size_t c = 0; c < out.combinations.size(); ++c)
      out.cells[c * receptorCount + i] = combine(out.combinations[c], links, available, i, periodOf[c], limits);
  }
  return out;
}

}  // namespace mProgrammeCompute
