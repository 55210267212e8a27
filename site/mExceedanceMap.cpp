#include "site/mExceedanceMap.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "criteria/cEquationRecord.h"
#include "site/cNoiseGrid.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace mExceedanceMap {

namespace {

constexpr const char* landUses[] = {"Residential", "Commercial", "Industrial"};
constexpr const char* periods[] = {"daytime", "evening", "nighttime"};
constexpr const char* metrics[] = {"Lmax", "Leq", "L10"};

bool valid(const sChoice& c) {
  return c.metric >= 0 && c.metric <= 2 && c.landUse >= 0 && c.landUse <= 2 && c.period >= 0 && c.period <= 2 &&
         (c.impactType == 0 || c.impactType == 1);
}

std::shared_ptr<cEquationRecord> criterion(const cStudy& study, const sChoice& c) {
  if (!valid(c)) return nullptr;
  const auto row = static_cast<std::int16_t>(c.landUse + 1);
  const auto col = static_cast<std::int16_t>(c.period * 2 + c.impactType + 1);
  return const_cast<cNoiseLimits&>(study.NoiseLimits).getCriteria(c.metric, row, col);
}

bool basedOnBaseline(const cEquationRecord& eq) { return eq.equationType >= 3 && eq.equationType <= 5; }

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return s;
}

}  // namespace

bool needsBaseline(const cStudy& study, const sChoice& choice) {
  const auto eq = criterion(study, choice);
  return eq && basedOnBaseline(*eq);
}

sLimit limitFor(const cStudy& study, const sChoice& choice) {
  sLimit out;
  const auto eq = criterion(study, choice);
  if (!eq) {
    out.problem = "There is no criterion for this choice.";
    return out;
  }
  cEquationRecord e;
  e.copy(*eq);
  if (eq->equationType < 0) {
    out.problem = "No criterion is set for this land use and period.";
    return out;
  }
  if (basedOnBaseline(e)) {
    if (!choice.baseline || !std::isfinite(*choice.baseline)) {
      out.problem = "This limit follows from the baseline: type the baseline level for the map.";
      return out;
    }
    e.baseLine = *choice.baseline;
  }
  const float limit = e.limit();
  if (isValueNA(limit)) {
    out.problem = "No limit applies (N/A) for this land use and period.";
    return out;
  }
  if (isValueExempt(limit)) {
    out.problem = "This land use and period are exempt: there is no limit to exceed.";
    return out;
  }
  out.usable = true;
  out.limit = limit;
  return out;
}

std::vector<float> exceedance(const std::vector<float>& levels, float limit) {
  std::vector<float> out(levels.size());
  for (std::size_t i = 0; i < levels.size(); ++i)
    out[i] = levels[i] == cNoiseGrid::noData
                 ? cNoiseGrid::noData
                 : static_cast<float>(static_cast<double>(levels[i]) - static_cast<double>(limit));
  return out;
}

std::string describe(const sChoice& c, float limit) {
  if (!valid(c)) return {};
  return std::string(metrics[c.metric]) + " over the " + landUses[c.landUse] + " " + periods[c.period] +
         " limit for " + (c.impactType == 0 ? "impact devices" : "non-impact equipment") + " (" +
         format0_0(limit) + " dBA)";
}

bool parseChoice(const std::string& text, sChoice& choice) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(lower(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (parts.size() < 2) return false;
  sChoice c = choice;
  const auto use = std::find_if(std::begin(landUses), std::end(landUses),
                                [&](const char* u) { return lower(u) == parts[0]; });
  if (use == std::end(landUses)) return false;
  c.landUse = static_cast<std::int32_t>(use - std::begin(landUses));
  const std::string& p = parts[1];
  if (p == "day" || p == "daytime") c.period = 0;
  else if (p == "evening") c.period = 1;
  else if (p == "night" || p == "nighttime") c.period = 2;
  else return false;
  c.impactType = 1;
  for (std::size_t i = 2; i < parts.size(); ++i) {
    if (parts[i] == "impact") {
      c.impactType = 0;
    } else if (parts[i].rfind("baseline=", 0) == 0) {
      const std::string v = parts[i].substr(9);
      float b = 0;
      const auto r = std::from_chars(v.data(), v.data() + v.size(), b);
      if (r.ec != std::errc() || r.ptr != v.data() + v.size() || !std::isfinite(b)) return false;
      c.baseline = b;
    } else {
      return false;
    }
  }
  choice = c;
  return true;
}

}  // namespace mExceedanceMap
