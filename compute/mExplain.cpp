#include "compute/mExplain.h"

#include <cmath>

#include "compute/mCompute.h"
#include "compute/mResultCells.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

using namespace mResultCells;

namespace {

using Lines = std::vector<std::string>;

std::string dBA(float v) { return format0_0(v) + " dBA"; }

// A cell as the results sheet shows it: the marker's word or the number.
std::string shown(float v) { return isMarker(v) ? markerWord(v) : format0_0(v); }

// " + name 6.0 dB" or " + name -6.0 dB": a term added to a level.
std::string plus(const std::string& name, double value) { return " + " + name + " " + format0_0(value) + " dB"; }

void append(Lines& to, const Lines& from) { to.insert(to.end(), from.begin(), from.end()); }

// What one results line explains: a linked piece of equipment, or the Total.
struct Subject {
  const cStudy& study;
  const cReceptorRecord& receptor;
  const cEquipmentRecord* equipment;  // null for the Total
  const cLinkRecord* link;            // null for the Total
  Line line;
  std::int32_t impactType;
};

Lines lmaxLines(const Subject& s) {
  const cEquipmentRecord& e = *s.equipment;
  const cLinkRecord& link = *s.link;
  const float lmax = s.line.calculated->Lmax();
  const double lref = e.spec_select ? e.spec_lmax : e.actual_lmax;
  // The distance in feet and D/50 as the computation rounds them.
  const float feet = s.study.units == 0 ? link.distance : static_cast<float>(mCompute::metersToFeet(link.distance));
  const float ratio = static_cast<float>(static_cast<double>(feet) / 50.0);
  const double distanceTerm = -20.0 * mCompute::log10(ratio);
  std::string first = "Lmax " + dBA(lmax) + " = " + (e.spec_select ? "spec" : "actual") + " Lmax at 50 ft " +
                      format0_0(lref) + " dBA" + plus("distance term", distanceTerm) + " - shielding " +
                      format0_0(link.sheilding) + " dB";
  std::string second = "  distance term = -20 log10(" + format0_0(feet) + " ft / 50 ft) = " +
                       format0_0(distanceTerm) + " dB";
  if (s.study.units != 0) second += " (" + format0_0(link.distance) + " m = " + format0_0(feet) + " ft)";
  return {first, second};
}

Lines linkMetricLines(const Subject& s) {
  const cMetric& c = *s.line.calculated;
  const float usage = s.equipment->usage;
  const double usageTerm = 10.0 * mCompute::log10(static_cast<float>(static_cast<double>(usage) / 100.0));
  Lines out{"Leq " + dBA(c.Leq()) + " = Lmax " + dBA(c.Lmax()) + plus("usage term", usageTerm),
            "  usage term = 10 log10(" + numberText(usage) + " % / 100) = " + format0_0(usageTerm) + " dB"};
  if (caseMetric(s.study) == 2)
    out.push_back("L10 " + dBA(c.L10()) + " = Leq " + dBA(c.Leq()) +
                  plus("L10 adjustment", s.study.adjustmentFactor));
  return out;
}

// The active pieces the Total is made of, in link order.
template <typename F>
void forEachActive(const Subject& s, F f) {
  for (const auto& link : s.receptor.colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    if (s.study.getEquipment(e, link->equipID) && e->active && link->results.computed) f(*e, *link);
  }
}

Lines totalLmaxLines(const Subject& s) {
  const float total = s.line.calculated->Lmax();
  const cEquipmentRecord* loudest = nullptr;
  forEachActive(s, [&](const cEquipmentRecord& e, const cLinkRecord& link) {
    if (!loudest && link.results.calculated.Lmax() == total) loudest = &e;
  });
  if (!loudest) return {"Total Lmax " + dBA(total) + ": no active piece of equipment is above 0 dBA"};
  return {"Total Lmax " + dBA(total) + " = the loudest active piece, " + loudest->description + " (not a sum)"};
}

Lines totalMetricLines(const Subject& s) {
  const std::int32_t m = caseMetric(s.study);
  const std::string name = metricName(m);
  const float total = level(*s.line.calculated, m);
  Lines pieces;
  forEachActive(s, [&](const cEquipmentRecord& e, const cLinkRecord& link) {
    pieces.push_back("  " + e.description + " " + dBA(level(link.results.calculated, m)));
  });
  if (pieces.empty()) return {"Total " + name + " " + dBA(total) + ": no active piece of equipment; kept as it was"};
  Lines out{"Total " + name + " " + dBA(total) + " = 10 log10(sum of 10^(" + name + " / 10)) over the active pieces:"};
  append(out, pieces);
  return out;
}

Lines calculatedLines(const Subject& s, bool lmax, bool metric) {
  Lines out;
  if (s.equipment) {
    // The metric follows from Lmax, so its story starts there.
    if (lmax || metric) append(out, lmaxLines(s));
    if (metric) append(out, linkMetricLines(s));
  } else {
    if (lmax) append(out, totalLmaxLines(s));
    if (metric) append(out, totalMetricLines(s));
  }
  return out;
}

Lines limitLines(const Subject& s, std::int32_t period, std::int32_t metric) {
  const float limit = level(*s.line.lotLine[period], metric);
  std::string first = std::string(periodName(period)) + " " + metricName(metric) + " limit " + shown(limit) +
                      (isMarker(limit) ? "" : " dBA");
  const std::int32_t landUse = s.receptor.landUse;
  if (landUse < 0 || landUse > 2 || s.impactType < 0 || s.impactType > 1) return {first};
  first += std::string(" (") + landUseName(landUse) + ", " +
           (s.impactType == 0 ? "impact device" : "non-impact") + " criteria): ";
  const auto eq = s.study.NoiseLimits.getCriteria(metric, static_cast<std::int16_t>(landUse + 1),
                                                  static_cast<std::int16_t>(period * 2 + s.impactType + 1));
  if (!eq) return {first};
  // A criterion of several lines (Conditional) keeps its lines, indented.
  const std::string text = eq->equationType == -1 ? "criterion not set" : eq->equationTxt();
  Lines out;
  std::size_t from = 0;
  for (std::size_t cr = text.find("\r\n"); ; cr = text.find("\r\n", from)) {
    const std::string part = text.substr(from, cr == std::string::npos ? std::string::npos : cr - from);
    out.push_back(out.empty() ? first + part : "    " + part);
    if (cr == std::string::npos) break;
    from = cr + 2;
  }
  if (eq->equationType >= 3 && eq->equationType <= 5)
    out.push_back("  with the " + std::string(period == 0 ? "daytime" : period == 1 ? "evening" : "nighttime") +
                  " baseline " + dBA(baseline(s.receptor, period)));
  return out;
}

Lines exceedanceLines(const Subject& s, std::int32_t period, std::int32_t metric) {
  const float levelValue = level(*s.line.calculated, metric);
  const float limit = level(*s.line.lotLine[period], metric);
  const float e = level(*s.line.exceed[period], metric);
  const std::string head = std::string(periodName(period)) + " " + metricName(metric) + " exceedance ";
  if (isValueNA(e)) return {head + "N/A: no limit applies"};
  if (isValueExempt(e)) return {head + "Exempt: the receptor is exempt from this limit"};
  if (isValueNone(e))
    return {head + "None: " + metricName(metric) + " " + dBA(levelValue) + " is within the limit " + dBA(limit)};
  return {head + format0_0(e) + " dB = " + metricName(metric) + " " + dBA(levelValue) + " - limit " + dBA(limit)};
}

Lines periodLines(const Subject& s, std::int32_t period) {
  Lines out;
  for (std::int32_t m : {0, caseMetric(s.study)}) {
    append(out, limitLines(s, period, m));
    append(out, exceedanceLines(s, period, m));
  }
  return out;
}

Lines wholeStory(const Subject& s) {
  Lines out;
  if (s.equipment) {
    out.push_back(s.equipment->description + (s.equipment->impactDevice == 0 ? " (impact device" : " (not an impact device") +
                  (s.equipment->active ? ")" : "; inactive: not part of the Total)"));
  } else {
    out.push_back(std::string("Total (") +
                  (s.impactType == 0 ? "impact device criteria: every linked piece is an impact device)"
                                     : "non-impact criteria: not every linked piece is an impact device)"));
  }
  append(out, calculatedLines(s, true, true));
  for (std::int32_t p = 0; p < 3; ++p) append(out, periodLines(s, p));
  return out;
}

}  // namespace

namespace mExplain {

std::vector<std::string> explain(const cStudy& study, const cReceptorRecord& receptor, std::int32_t equipmentID,
                                 std::int32_t column) {
  if (column < 0 || column > 15) return {};
  std::shared_ptr<cEquipmentRecord> e;
  std::shared_ptr<cLinkRecord> link;
  if (equipmentID != totalLine) {
    if (!study.getEquipment(e, equipmentID) || !receptor.getLink(link, equipmentID) || !link->results.computed)
      return {};
  }
  const Subject s{study,
                  receptor,
                  e.get(),
                  link.get(),
                  link ? linkLine(link->results) : mResultCells::totalLine(receptor),
                  e ? e->impactDevice : totalImpactType(study, receptor)};
  if (column <= 1) return wholeStory(s);
  if (column <= 3) return calculatedLines(s, column == 2, column == 3);
  const std::int32_t metric = column % 2 == 0 ? 0 : caseMetric(study);
  if (column <= 9) return limitLines(s, (column - 4) / 2, metric);
  const std::int32_t period = (column - 10) / 2;
  Lines out = exceedanceLines(s, period, metric);
  append(out, limitLines(s, period, metric));
  return out;
}

std::string explainCell(const cStudy& study, std::int32_t receptorID, std::int32_t equipmentID,
                        std::int32_t column) {
  std::shared_ptr<cReceptorRecord> r;
  if (!study.getReceptor(r, receptorID)) return "";
  std::string text;
  for (const auto& line : explain(study, *r, equipmentID, column)) {
    if (!text.empty()) text += "\n";
    text += line;
  }
  return text;
}

}  // namespace mExplain
