#include "programme/mProgrammeReport.h"

#include "programme/cProgramme.h"
#include "programme/cProgrammeResults.h"
#include "report/cReport.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace {

using Cell = cProgrammeResults::Cell;
using State = cProgrammeResults::State;

constexpr const char* periodNames[3] = {"Day", "Evening", "Night"};

const char* metricName(std::int32_t metric) { return metric == 1 ? "Leq" : "L10"; }

bool noLimit(float limit) { return isValueNA(limit) || isValueExempt(limit); }

std::string limitField(float limit) { return noLimit(limit) ? "" : format0_0(limit); }

std::string exceedanceField(float exceedance) {
  if (noLimit(exceedance)) return "";
  return isValueNone(exceedance) ? "None" : format0_0(exceedance);
}

// Lmax and the metric, each with its limit and exceedance: six fields with
// the metric's name between them.
std::string commaCells(const Cell& c, std::int32_t metric) {
  const std::string name = metricName(metric);
  if (c.state != State::computed) return ",,," + name + ",,,";
  return format0_0(c.lmax) + "," + limitField(c.lmaxLimit) + "," + exceedanceField(c.lmaxExceedance) + "," + name +
         "," + (c.hasLevel ? format0_0(c.level) : std::string()) + "," + limitField(c.limit) + "," +
         exceedanceField(c.exceedance);
}

std::string receptorFields(const cProgrammeResults::Receptor& r) {
  return std::to_string(r.id) + "," + quoteField(r.description);
}

std::string receptorTitle(const cProgrammeResults::Receptor& r) {
  return "Receptor #" + std::to_string(r.id) + ": " + r.description + " (" + r.landUse + ")";
}

std::string pad(const std::string& text, std::size_t width) { return cReport::padRight(text, width); }

std::string textCells(const Cell& c) {
  if (c.state == State::noPhase) return pad("", 48);
  if (c.state == State::incomplete) return pad("Not computed", 48);
  return pad(format0_0(c.lmax), 8) + pad(mProgrammeReport::limitText(c.lmaxLimit), 8) +
         pad(mProgrammeReport::limitText(c.lmaxExceedance), 12) +
         pad(c.hasLevel ? format0_0(c.level) : std::string(), 8) + pad(mProgrammeReport::limitText(c.limit), 8) +
         pad(mProgrammeReport::limitText(c.exceedance), 12);
}

std::string textHeads(std::int32_t metric) {
  return pad("Lmax", 8) + pad("Limit", 8) + pad("Exceedance", 12) + pad(metricName(metric), 8) + pad("Limit", 8) +
         pad("Exceedance", 12);
}

std::string trimmed(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

std::vector<std::string> titleLines(const cProgramme& programme, const cProgrammeResults& results,
                                    const std::string& what) {
  std::vector<std::string> out{"Programme: " + programme.description,
                               "Weeks 1 to " + std::to_string(results.weekCount) + ", " +
                                   std::to_string(programme.phases.size()) + " phases; " + what + " (dBA)"};
  return out;
}

std::string weekText(std::int32_t week) { return week == 0 ? std::string() : std::to_string(week); }

}  // namespace

namespace mProgrammeReport {

std::string levelText(float level) { return isMarker(level) ? markerWord(level) : format0_0(level); }

std::string limitText(float limit) { return levelText(limit); }

std::vector<std::string> tableLines(const cProgramme& programme, const cProgrammeResults& results, bool comma) {
  std::vector<std::string> out;
  if (comma) {
    out.emplace_back(tableHeader);
    for (std::size_t i = 0; i < results.receptors.size(); ++i)
      for (std::int32_t week = 1; week <= results.weekCount; ++week)
        for (std::int32_t p = 0; p < 3; ++p)
          out.push_back(receptorFields(results.receptors[i]) + "," + std::to_string(week) + "," + periodNames[p] +
                        "," + commaCells(results.cell(i, week, p), results.noiseMetric) + "," +
                        quoteField(results.phasesText(week, p)));
    return out;
  }
  out = titleLines(programme, results, "Lmax and " + std::string(metricName(results.noiseMetric)) +
                                           " of the phases working, week by week");
  for (std::size_t i = 0; i < results.receptors.size(); ++i) {
    out.emplace_back();
    out.push_back(receptorTitle(results.receptors[i]));
    out.push_back(trimmed("  " + pad("Week", 6) + pad("Period", 9) + textHeads(results.noiseMetric) + "Phases"));
    for (std::int32_t week = 1; week <= results.weekCount; ++week)
      for (std::int32_t p = 0; p < 3; ++p)
        out.push_back(trimmed("  " + pad(std::to_string(week), 6) + pad(periodNames[p], 9) +
                              textCells(results.cell(i, week, p)) + results.phasesText(week, p)));
  }
  return out;
}

std::vector<std::string> worstLines(const cProgramme& programme, const cProgrammeResults& results, bool comma) {
  std::vector<std::string> out;
  if (comma) out.emplace_back(worstHeader);
  else
    out = titleLines(programme, results, "the worst week of each period");
  for (std::size_t i = 0; i < results.receptors.size(); ++i) {
    if (!comma) {
      out.emplace_back();
      out.push_back(receptorTitle(results.receptors[i]));
      out.push_back(trimmed("  " + pad("Period", 9) + pad("Worst", 7) + textHeads(results.noiseMetric) +
                            pad("Weeks over Lmax", 17) + pad("Weeks over " + std::string(metricName(results.noiseMetric)), 16) +
                            pad("First over", 12) + pad("Last over", 11) + "Phases"));
    }
    for (std::int32_t p = 0; p < 3; ++p) {
      const auto s = results.summary(i, p);
      const Cell& c = results.cell(i, s.worstWeek, p);
      const std::string phases = results.phasesText(s.worstWeek, p);
      if (comma) {
        out.push_back(receptorFields(results.receptors[i]) + "," + periodNames[p] + "," + weekText(s.worstWeek) + "," +
                      commaCells(c, results.noiseMetric) + "," + quoteField(phases) + "," +
                      std::to_string(s.weeksOverLmax) + "," + std::to_string(s.weeksOverMetric) + "," +
                      weekText(s.firstWeekOver) + "," + weekText(s.lastWeekOver));
      } else {
        out.push_back(trimmed("  " + pad(periodNames[p], 9) + pad(weekText(s.worstWeek), 7) + textCells(c) +
                              pad(std::to_string(s.weeksOverLmax), 17) + pad(std::to_string(s.weeksOverMetric), 16) +
                              pad(weekText(s.firstWeekOver), 12) + pad(weekText(s.lastWeekOver), 11) + phases));
      }
    }
  }
  return out;
}

}  // namespace mProgrammeReport
