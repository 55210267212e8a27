#include "tests/fuzzwin/mWindowInvariants.h"

#include <cmath>
#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "qtplatform/cSheetGrid.h"
#include "cli/mBatch.h"
#include "compute/mAsItStands.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace mWindowInvariants {

namespace {

std::string badMetric(const cMetric& m, const std::string& where) {
  const float values[] = {m.Lmax(), m.Leq(), m.L10(), m.Met()};
  for (float v : values)
    if (!std::isfinite(v)) return where + " holds " + std::to_string(v);
  return {};
}

// As the results sheet shows a level: its marker word, or the number "0.0".
std::string shown(float v) { return isMarker(v) ? markerWord(v) : format0_0(v); }

using Rows = std::vector<std::vector<std::string>>;

void writeLine(std::vector<std::string>& row, const cMetric* const (&pairs)[7], bool leq, bool numbersFirst) {
  for (int p = 0; p < 7; ++p) {
    const float lmax = pairs[p]->Lmax();
    const float metric = leq ? pairs[p]->Leq() : pairs[p]->L10();
    const bool plain = numbersFirst && p == 0;
    row[static_cast<std::size_t>(2 + 2 * p)] = plain ? format0_0(lmax) : shown(lmax);
    row[static_cast<std::size_t>(3 + 2 * p)] = plain ? format0_0(metric) : shown(metric);
  }
}

}  // namespace

std::string finiteEverywhere(const cStudy& study) {
  std::string bad;
  auto check = [&bad](float v, const std::string& where) {
    if (bad.empty() && !std::isfinite(v)) bad = where + " holds " + std::to_string(v);
  };
  auto metric = [&bad](const cMetric& m, const std::string& where) {
    if (bad.empty()) bad = badMetric(m, where);
  };
  check(study.adjustmentFactor, "the L10 adjustment");
  for (const auto& e : study.colEquipment) {
    const std::string where = "equipment " + std::to_string(e->rowID);
    check(e->usage, where + " usage");
    check(e->spec_lmax, where + " spec Lmax");
    check(e->actual_lmax, where + " actual Lmax");
  }
  for (const auto& r : study.colReceptors) {
    const std::string where = "receptor " + std::to_string(r->rowID);
    check(r->dayBase, where + " day baseline");
    check(r->eveBase, where + " evening baseline");
    check(r->niteBase, where + " night baseline");
    const cMetric* totals[] = {&r->calculated_totals,   &r->day_lotLine_totals, &r->eve_lotLine_totals,
                               &r->nite_lotLine_totals, &r->day_exceed_totals,  &r->eve_exceed_totals,
                               &r->nite_exceed_totals};
    for (const cMetric* m : totals) metric(*m, where + " totals");
    for (const auto& l : r->colLinks) {
      const std::string at = where + " link " + std::to_string(l->equipID);
      check(l->distance, at + " distance");
      check(l->sheilding, at + " shielding");
      const cResultRecord& x = l->results;
      const cMetric* results[] = {&x.calculated, &x.day_lotLine,  &x.eve_lotLine, &x.nite_lotLine,
                                  &x.day_exceed, &x.eve_exceed, &x.nite_exceed};
      for (const cMetric* m : results) metric(*m, at + " results");
    }
  }
  for (std::int32_t code = 0; code <= 2; ++code) {
    for (std::int16_t row = 1; row <= 3; ++row) {
      for (std::int16_t col = 1; col <= 6; ++col) {
        const auto eq = study.NoiseLimits.getCriteria(code, row, col);
        if (!eq) continue;
        const std::string where = "criterion " + std::to_string(code) + "/" + std::to_string(row) + "/" +
                                  std::to_string(col);
        for (float v : {eq->baseLine, eq->value, eq->maxCompare, eq->basePlus, eq->condLessThan, eq->condThenPlus,
                        eq->condElsePlus})
          check(v, where);
      }
    }
  }
  return bad;
}

std::string numberedAndLinked(const cStudy& study) {
  const auto equipment = static_cast<std::int32_t>(study.colEquipment.size());
  for (std::size_t i = 0; i < study.colEquipment.size(); ++i) {
    if (study.colEquipment[i]->rowID != static_cast<std::int32_t>(i + 1))
      return "equipment at " + std::to_string(i + 1) + " has ID " + std::to_string(study.colEquipment[i]->rowID);
  }
  for (std::size_t i = 0; i < study.colReceptors.size(); ++i) {
    const cReceptorRecord& r = *study.colReceptors[i];
    const std::string where = "receptor at " + std::to_string(i + 1);
    if (r.rowID != static_cast<std::int32_t>(i + 1)) return where + " has ID " + std::to_string(r.rowID);
    std::set<std::int32_t> linked;
    for (const auto& l : r.colLinks) {
      if (l->equipID < 1 || l->equipID > equipment) return where + " links missing equipment " + std::to_string(l->equipID);
      if (!linked.insert(l->equipID).second) return where + " links equipment " + std::to_string(l->equipID) + " twice";
    }
    if (static_cast<std::int32_t>(linked.size()) != equipment)
      return where + " links " + std::to_string(linked.size()) + " of " + std::to_string(equipment) + " equipment";
  }
  return {};
}

std::string resultsAsTheCaseStands(cStudy& study, const cSheetGrid& results) {
  const int cols = results.maxCols();
  Rows sheet(static_cast<std::size_t>(results.maxRows()), std::vector<std::string>(static_cast<std::size_t>(cols + 1)));
  bool empty = true;
  for (int row = 1; row <= results.maxRows(); ++row) {
    for (int col = 1; col <= cols; ++col) {
      std::string& cell = sheet[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col)];
      cell = results.text(col, row);
      if (!(row == 1 && col == 1) && !cell.empty()) empty = false;
    }
  }
  if (empty) return {};

  const std::shared_ptr<cReceptorRecord> r = mAsItStands::computeReceptor(study, study.receptorID());
  if (!r) return "the results sheet shows results, but receptor " + std::to_string(study.receptorID()) +
                  " cannot be computed as the case stands";
  Rows expected(sheet.size(), std::vector<std::string>(static_cast<std::size_t>(cols + 1)));
  const bool leq = study.NoiseMetric == 1;
  expected[0][1] = "Total";
  const cMetric* totals[7] = {&r->calculated_totals,   &r->day_lotLine_totals, &r->eve_lotLine_totals,
                              &r->nite_lotLine_totals, &r->day_exceed_totals,  &r->eve_exceed_totals,
                              &r->nite_exceed_totals};
  writeLine(expected[0], totals, leq, true);
  std::size_t line = 0;
  for (const auto& e : study.colEquipment) {
    std::shared_ptr<cLinkRecord> l;
    if (!e->active || !r->getLink(l, e->rowID) || !l->results.computed) continue;
    if (++line >= expected.size()) return "more results lines than the sheet has rows";
    const cResultRecord& x = l->results;
    const cMetric* pairs[7] = {&x.calculated, &x.day_lotLine, &x.eve_lotLine, &x.nite_lotLine,
                               &x.day_exceed, &x.eve_exceed,  &x.nite_exceed};
    expected[line][1] = e->description;
    writeLine(expected[line], pairs, leq, false);
  }
  for (std::size_t row = 0; row < sheet.size(); ++row) {
    for (int col = 1; col <= cols; ++col) {
      const auto c = static_cast<std::size_t>(col);
      if (sheet[row][c] != expected[row][c])
        return "results cell " + std::to_string(col) + "," + std::to_string(row + 1) + " shows '" + sheet[row][c] +
               "' where the case as it stands gives '" + expected[row][c] + "'";
    }
  }
  return {};
}

std::string savedCaseMatches(const cStudy& study) {
  if (study.caseChanged() || !study.caseFile.bCaseOpen) return {};
  const std::string path = study.caseFile.caseDirectory() + study.caseFile.caseFileName();
  cStudy reopened;
  if (!reopened.caseFile.readCaseFile(path)) return "the case's own file " + path + " no longer opens";
  const std::vector<std::string> inMemory = study.caseFile.buildCaseLines();
  const std::vector<std::string> onDisk = reopened.caseFile.buildCaseLines();
  for (std::size_t i = 0; i < std::max(inMemory.size(), onDisk.size()); ++i) {
    const std::string a = i < inMemory.size() ? inMemory[i] : "(none)";
    const std::string b = i < onDisk.size() ? onDisk[i] : "(none)";
    if (a != b)
      return "nothing changed since the save, yet line " + std::to_string(i + 1) + " of the case is '" + a +
             "' in memory and '" + b + "' in " + path;
  }
  return {};
}

std::string batchOpens(const std::string& path, const std::string& programDir) {
  mBatch::Options options;
  options.casePath = path;
  options.date = "01/02/2026";
  std::ostringstream out, err;
  const int status = mBatch::run(options, programDir, out, err);
  if (status == mBatch::exitCannotRun) return "vorn-batch cannot open the saved " + path + ": " + err.str();
  return {};
}

}  // namespace mWindowInvariants
