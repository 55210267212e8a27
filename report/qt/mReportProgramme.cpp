#include "report/qt/mReportProgramme.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "programme/cPhaseCases.h"
#include "programme/cProgramme.h"
#include "programme/cProgrammeResults.h"
#include "programme/mProgrammeCompute.h"
#include "programme/mProgrammeFile.h"
#include "programme/mProgrammeReport.h"
#include "report/mPdfReport.h"
#include "study/mFormat.h"

namespace mReportProgramme {

namespace {

using mReportCells::boldCell;
using mReportCells::cell;
using mReportCells::numberCell;

namespace fs = std::filesystem;
using Cell = cProgrammeResults::Cell;
using State = cProgrammeResults::State;

constexpr const char* kPeriodNames[3] = {"Day", "Evening", "Night"};
constexpr std::size_t kPhasesPerTimeline = 25;
const char* metricName(std::int32_t metric) { return metric == 1 ? "Leq" : "L10"; }

cReportCell exceedanceCell(float exceedance) {
  cReportCell c = numberCell(mProgrammeReport::limitText(exceedance));
  if (cProgrammeResults::exceeds(exceedance)) {
    c.bold = true;
    c.shade = mPdfReport::exceedanceShade(exceedance);
  }
  return c;
}

cReportBlock textBlock(cReportBlock::Kind kind, std::string text) {
  cReportBlock b;
  b.kind = kind;
  b.text = std::move(text);
  return b;
}

std::string weekText(std::int32_t week) { return week == 0 ? std::string() : std::to_string(week); }

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return s;
}

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  const bool same = fs::equivalent(fs::path(a), fs::path(b), ec);
  return !ec && same;
}

cReportTable phaseTable(const cProgramme& programme) {
  cReportTable t;
  t.widths = {5, 2, 2, 4, 7};
  t.header.push_back(
      {boldCell("Phase"), boldCell("First Week"), boldCell("Last Week"), boldCell("Periods"), boldCell("Case File")});
  for (const cProgrammePhase& p : programme.phases)
    t.body.push_back({cell(p.name), numberCell(std::to_string(p.firstWeek)), numberCell(std::to_string(p.lastWeek)),
                      cell(p.periodsText()), cell(fileNameOf(p.casePath))});
  if (t.body.empty()) t.body.push_back({cReportCell{"The programme has no phases.", false, false, cReportCell::noShade, 5}});
  return t;
}

// Each receptor's worst week of each period: a row of its name, then one
// row a period, with the fields of the programme's text report.
cReportTable worstTable(const cProgrammeResults& results) {
  const std::string metric = metricName(results.noiseMetric);
  cReportTable t;
  t.widths = {6, 5, 5, 5, 9, 5, 5, 9, 5, 5, 4, 4, 11};
  t.textScale = 0.75;
  cReportCell levels{"Lmax", true};
  levels.span = 3;
  cReportCell metricLevels{metric, true};
  metricLevels.span = 3;
  cReportCell weeksOver{"Weeks Over", true};
  weeksOver.span = 2;
  cReportCell weekOver{"Week Over", true};
  weekOver.span = 2;
  t.header.push_back({boldCell(""), boldCell("Worst"), levels, metricLevels, weeksOver, weekOver, boldCell("")});
  t.header.push_back({boldCell("Period"), boldCell("Week"), boldCell("Level"), boldCell("Limit"),
                      boldCell("Exceedance"), boldCell("Level"), boldCell("Limit"), boldCell("Exceedance"),
                      boldCell("Lmax Limit"), boldCell(metric + " Limit"), boldCell("First"), boldCell("Last"),
                      boldCell("Phases")});
  for (std::size_t i = 0; i < results.receptors.size(); ++i) {
    const auto& r = results.receptors[i];
    cReportCell title{"Receptor #" + std::to_string(r.id) + ": " + r.description + " (" + r.landUse + ")", true};
    title.span = 13;
    t.body.push_back({title});
    for (std::int32_t p = 0; p < 3; ++p) {
      const cProgrammeResults::Summary s = results.summary(i, p);
      const Cell& c = results.cell(i, s.worstWeek, p);
      cReportRow row{cell(kPeriodNames[p]), numberCell(weekText(s.worstWeek))};
      if (c.state == State::computed) {
        row.push_back(numberCell(format0_0(c.lmax)));
        row.push_back(numberCell(mProgrammeReport::limitText(c.lmaxLimit)));
        row.push_back(exceedanceCell(c.lmaxExceedance));
        row.push_back(numberCell(c.hasLevel ? format0_0(c.level) : std::string()));
        row.push_back(numberCell(mProgrammeReport::limitText(c.limit)));
        row.push_back(exceedanceCell(c.exceedance));
      } else {
        cReportCell none{c.state == State::incomplete ? "Not computed" : ""};
        none.span = 6;
        row.push_back(none);
      }
      row.push_back(numberCell(std::to_string(s.weeksOverLmax)));
      row.push_back(numberCell(std::to_string(s.weeksOverMetric)));
      row.push_back(numberCell(weekText(s.firstWeekOver)));
      row.push_back(numberCell(weekText(s.lastWeekOver)));
      row.push_back(cell(results.phasesText(s.worstWeek, p)));
      t.body.push_back(std::move(row));
    }
  }
  return t;
}

}  // namespace

std::string programmeBeside(const std::string& casePath) {
  std::error_code ec;
  const fs::path folder = fs::path(casePath).parent_path();
  std::vector<std::string> candidates;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const fs::path& p = it->path();
    if (lower(p.extension().string()) != std::string(".") + mProgrammeFile::suffix) continue;
    candidates.push_back(p.string());
  }
  std::sort(candidates.begin(), candidates.end());
  for (const std::string& path : candidates) {
    cProgramme programme;
    if (!mProgrammeFile::read(path, programme)) continue;
    for (const cProgrammePhase& phase : programme.phases)
      if (sameFile(phase.casePath, casePath)) return path;
  }
  return {};
}

std::vector<cReportBlock> section(const cProgramme& programme, const cProgrammeResults& results,
                                  const std::string& fileName) {
  std::vector<cReportBlock> out;
  out.push_back(textBlock(cReportBlock::Kind::pageBreak, {}));
  out.push_back(textBlock(cReportBlock::Kind::subheading, "Construction Programme"));
  const std::string metric = metricName(results.noiseMetric);
  out.push_back(textBlock(
      cReportBlock::Kind::paragraph,
      "Programme: " + (programme.description.empty() ? std::string("(no description)") : programme.description) +
          " (" + fileName + "). Weeks 1 to " + std::to_string(results.weekCount) + ", " +
          std::to_string(programme.phases.size()) + " phases, computed from the phases' case files as saved. "
          "Each phase is a case of its own; in each week and "
          "period the phases working are assessed together at the receptors they share: Lmax is the loudest active "
          "piece of equipment of the phases working, " + metric +
          " the energy sum of their active pieces, each against the receptor's limit for the period."));
  for (const std::string& m : results.messages) out.push_back(textBlock(cReportBlock::Kind::paragraph, m));
  out.push_back(textBlock(cReportBlock::Kind::minorHeading, "Phases"));
  cReportBlock phases;
  phases.kind = cReportBlock::Kind::table;
  phases.table = phaseTable(programme);
  out.push_back(std::move(phases));

  out.push_back(textBlock(cReportBlock::Kind::minorHeading, "Timeline"));
  // A long programme's timeline in parts that each fit a page, over the same weeks.
  for (std::size_t first = 0; first < std::max<std::size_t>(1, programme.phases.size()); first += kPhasesPerTimeline) {
    cReportBlock timeline;
    timeline.kind = cReportBlock::Kind::timeline;
    timeline.timeline.weeks = programme.weekCount();
    const std::size_t end = std::min(programme.phases.size(), first + kPhasesPerTimeline);
    for (std::size_t i = first; i < end; ++i) {
      const cProgrammePhase& p = programme.phases[i];
      cReportTimeline::Phase phase;
      phase.name = p.name;
      phase.firstWeek = p.firstWeek;
      phase.lastWeek = p.lastWeek;
      for (int k = 0; k < 3; ++k) phase.periods[k] = p.periods[k];
      timeline.timeline.phases.push_back(std::move(phase));
    }
    out.push_back(std::move(timeline));
  }

  out.push_back(textBlock(cReportBlock::Kind::minorHeading, "Worst Week of Each Period"));
  out.push_back(textBlock(cReportBlock::Kind::paragraph,
                          "Each receptor's worst week of each period (dBA), the number of weeks over each limit and "
                          "the first and last week over. Exceedances are in bold, shaded as in the results; \"None\" "
                          "where a limit is not exceeded, blank where no phase works."));
  cReportBlock worst;
  worst.kind = cReportBlock::Kind::table;
  worst.table = worstTable(results);
  out.push_back(std::move(worst));
  return out;
}

bool sectionsFor(const std::string& casePath, const std::string& named, std::vector<cReportBlock>& blocks,
                 std::string& problem) {
  const std::string path = named.empty() ? programmeBeside(casePath) : named;
  if (path.empty()) return true;
  cProgramme programme;
  if (!mProgrammeFile::read(path, programme)) {
    problem = "Problem reading programme file.";
    return false;
  }
  cPhaseCases cases;
  cases.load(programme);
  const cProgrammeResults results = mProgrammeCompute::compute(programme, cases);
  const std::vector<cReportBlock> more = section(programme, results, fileNameOf(path));
  blocks.insert(blocks.end(), more.begin(), more.end());
  return true;
}

}  // namespace mReportProgramme
