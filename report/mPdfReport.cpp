#include "report/mPdfReport.h"

#include <algorithm>
#include <array>
#include <memory>

#include "compute/mOverview.h"
#include "compute/mResultCells.h"
#include "criteria/cEquationRecord.h"
#include "report/mDateText.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

using namespace mResultCells;

namespace mPdfReport {

namespace {

using mReportCells::boldCell;
using mReportCells::cell;
using mReportCells::numberCell;

constexpr const char* kProgram = "Vornhall (VORN), Version 1.1";
constexpr const char* kDot = "\xB7";  // middle dot, Windows-1252

cReportCell spanning(std::string text, int span) {
  cReportCell c{std::move(text)};
  c.span = span;
  c.bold = true;
  return c;
}
// A line of text across a table that has no rows.
cReportCell note(std::string text, int span) {
  cReportCell c{std::move(text)};
  c.span = span;
  return c;
}

bool exceeds(float exceedance) { return !isMarker(exceedance) && exceedance > 0.0f; }

// As the text report prints them: an Lmax by its word unless it holds a
// level, the second metric by the word its value stands for.
std::string lmaxText(const cMetric& m) { return m.sLmax != "Value" ? m.sLmax : format0_0(m.Lmax()); }
std::string valueText(float v) {
  const std::string word = markerWord(v);
  return word != "Value" ? word : format0_0(v);
}

cReportCell limitCell(std::string text) { return numberCell(std::move(text)); }
cReportCell exceedanceCell(std::string text, float value) {
  cReportCell c = numberCell(std::move(text));
  if (exceeds(value)) {
    c.bold = true;
    c.shade = exceedanceShade(value);
  }
  return c;
}

const char* distanceUnit(const cStudy& study) { return study.units == 0 ? "feet" : "meters"; }

std::string receptorTitle(std::int32_t number, const cReceptorRecord& r) {
  std::string title = "Receptor #" + std::to_string(number);
  if (!r.description.empty()) title += ": " + r.description;
  return title;
}

// The active pieces linked to a receptor, in link order, as the text report
// lists them; links to equipment that does not exist are left out.
struct LinkedPiece {
  const cEquipmentRecord* equipment;
  const cLinkRecord* link;
};
std::vector<LinkedPiece> activePieces(const cStudy& study, const cReceptorRecord& r) {
  std::vector<LinkedPiece> out;
  for (const auto& link : r.colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    if (!study.getEquipment(e, link->equipID) || !e || !e->active) continue;
    out.push_back({e.get(), link.get()});
  }
  return out;
}

// --------------------------------------------------------------- title

void titleBlock(cReportDocument& doc, const cStudy& study, const Inputs& in) {
  doc.heading(documentTitle);
  cReportTable t;
  t.widths = {1, 3};
  auto add = [&t](const char* label, const std::string& value) {
    if (!value.empty()) t.body.push_back({boldCell(label), cell(value)});
  };
  add("Case", study.caseDescription.empty() ? std::string("(no description)") : study.caseDescription);
  add("Case file", in.caseName.empty() ? std::string("(not saved)") : in.caseName);
  add("Report date", in.reportDate.empty() ? todayDateText() : in.reportDate);
  add("Prepared by", in.preparer.organisation);
  add("Author", in.preparer.author);
  add("Noise metric", std::string("Lmax and ") + metricName(caseMetric(study)));
  add("Prepared with", kProgram);
  doc.table(std::move(t));
}

// ------------------------------------------------------------- summary

struct WorstOfCase {
  bool any = false;
  float exceedance = 0.0f;
  std::int32_t receptor = 0;
  std::int32_t equipmentID = 0;
};

void keepWorst(WorstOfCase& worst, const mOverview::Worst& w, std::int32_t receptor) {
  if (!exceeds(w.exceedance)) return;
  if (worst.any && !(w.exceedance > worst.exceedance)) return;
  worst = {true, w.exceedance, receptor, w.equipmentID};
}

std::string worstAt(const cStudy& study, const WorstOfCase& w) {
  if (!w.any) return "None";
  std::string where = "Receptor #" + std::to_string(w.receptor);
  std::shared_ptr<cReceptorRecord> r;
  if (study.getReceptor(r, w.receptor) && r && !r->description.empty()) where += " (" + r->description + ")";
  std::shared_ptr<cEquipmentRecord> e;
  if (w.equipmentID == 0)
    where += ", Total";
  else if (study.getEquipment(e, w.equipmentID) && e)
    where += ", " + e->description;
  return where;
}

void summary(cReportDocument& doc, const cStudy& study) {
  doc.subheading("Summary");
  const std::int32_t metric = caseMetric(study);
  std::vector<std::string> over;
  std::array<WorstOfCase, 3> worstLmax{}, worstMetric{};
  std::int32_t number = 0;
  for (const auto& r : study.colReceptors) {
    ++number;
    const mOverview::ReceptorOverview o = mOverview::receptorOverview(study, *r, number);
    bool isOver = false;
    for (std::int32_t p = 0; p < 3; ++p) {
      isOver |= exceeds(o.periods[p].lmax.exceedance) || exceeds(o.periods[p].metric.exceedance);
      keepWorst(worstLmax[static_cast<std::size_t>(p)], o.periods[p].lmax, number);
      keepWorst(worstMetric[static_cast<std::size_t>(p)], o.periods[p].metric, number);
    }
    if (isOver) over.push_back(receptorTitle(number, *r));
  }
  const std::size_t assessed = study.colReceptors.size();
  doc.paragraph("Receptors assessed: " + std::to_string(assessed) + ". Receptors over a limit: " +
                std::to_string(over.size()) + (over.empty() ? "." : ":"));
  if (!over.empty()) {
    cReportTable list;
    list.widths = {1};
    for (const std::string& o : over) list.body.push_back({cell(o)});
    doc.table(std::move(list));
  }
  doc.paragraph("The worst exceedance in each period, over the Total and every active piece of equipment, each "
                "against its own limit:");
  cReportTable t;
  t.widths = {2, 2, 5, 2, 5};
  const std::string name = metricName(metric);
  t.header.push_back({boldCell("Period"), boldCell("Lmax (dB)"), boldCell("Lmax at"), boldCell(name + " (dB)"),
                      boldCell(name + " at")});
  for (std::int32_t p = 0; p < 3; ++p) {
    const WorstOfCase& l = worstLmax[static_cast<std::size_t>(p)];
    const WorstOfCase& m = worstMetric[static_cast<std::size_t>(p)];
    t.body.push_back({cell(periodName(p)), exceedanceCell(l.any ? format0_0(l.exceedance) : "None", l.exceedance),
                      cell(worstAt(study, l)),
                      exceedanceCell(m.any ? format0_0(m.exceedance) : "None", m.exceedance),
                      cell(worstAt(study, m))});
  }
  doc.table(std::move(t));
}

// -------------------------------------------------------------- method

void method(cReportDocument& doc, const cStudy& study, const Inputs& in) {
  doc.subheading("Method");
  const std::string dot = kDot;
  doc.paragraph("Each piece of equipment is described by its maximum level Lref at the reference distance of "
                "50 feet (15.24 m): the specified Lmax or, where one was measured, the actual Lmax. Its level at "
                "a receptor at distance D (in feet) behind shielding S (in dBA) falls off with the square of the "
                "distance:");
  doc.paragraph("    Lmax = Lref - 20" + dot + "log10(D / 50) - S");
  doc.paragraph("The equivalent level over the period takes the share U of the time (usage, in percent) that the "
                "equipment runs at that level:");
  doc.paragraph("    Leq = Lmax + 10" + dot + "log10(U / 100)");
  if (caseMetric(study) == 2) {
    doc.paragraph("The statistical level L10, exceeded 10 % of the time, adds the L10 adjustment A = " +
                  format0_0(study.adjustmentFactor) + " dB to the equivalent level of every piece of equipment:");
    doc.paragraph("    L10 = Leq + A");
  }
  const std::string name = metricName(caseMetric(study));
  doc.paragraph("The receptor's total Lmax is the level of its loudest active piece of equipment; its total " + name +
                " is the energy sum over the active pieces:");
  doc.paragraph("    " + name + " total = 10" + dot + "log10(sum of 10^(" + name + " / 10))");
  doc.paragraph("An exceedance is the level less its limit; a level at or below its limit shows \"None\", a period "
                "without a limit \"N/A\", and a receptor exempt for the period \"Exempt\". Each piece of equipment "
                "is held to the limit for its kind (impact or non-impact); the Total is held to the non-impact "
                "limit unless every linked piece is an impact device.");
  doc.paragraph(std::string("Distances are entered in ") + distanceUnit(study) +
                (study.units == 0 ? "." : " and converted to feet (1 m = 3.280833333 ft) before the computation."));
  doc.paragraph(in.shieldingFromBarriers
                    ? "Where a piece of equipment and a receptor are both placed on the site plan, the shielding "
                      "between them is computed from the plan's barriers; elsewhere, and where a link keeps its "
                      "shielding typed, it is the estimated shielding entered for the link."
                    : "Shielding is the estimated shielding entered for each piece of equipment at each receptor.");
}

// ------------------------------------------------------------ criteria

std::string criterionText(const cStudy& study, std::int32_t table, std::int16_t row, std::int16_t col) {
  const std::shared_ptr<cEquationRecord> eq = study.NoiseLimits.getCriteria(table, row, col);
  if (!eq) return "Not set";
  std::string text = eq->equationTxt();
  if (text.empty()) return "Not set";
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    out += text[i];
  }
  return out;
}

void criteria(cReportDocument& doc, const cStudy& study) {
  doc.subheading("Noise Limit Criteria");
  const std::int32_t metric = caseMetric(study);
  doc.paragraph("How each limit follows, for each land use, period and kind of equipment, from a fixed value or from "
                "the receptor's baseline for the period (Baseline):");
  cReportTable t;
  t.widths = {3, 2, 3, 6, 6};
  t.header.push_back({boldCell("Land Use"), boldCell("Period"), boldCell("Equipment"), boldCell("Lmax"),
                      boldCell(metricName(metric))});
  for (std::int16_t row = 1; row <= 3; ++row) {
    for (std::int32_t period = 0; period < 3; ++period) {
      for (std::int32_t impact = 0; impact < 2; ++impact) {
        const auto col = static_cast<std::int16_t>(period * 2 + impact + 1);
        t.body.push_back({cell(landUseName(row - 1)), cell(periodName(period)),
                          cell(impact == 0 ? "Impact" : "Non-Impact"), cell(criterionText(study, 0, row, col)),
                          cell(criterionText(study, metric, row, col))});
      }
    }
  }
  doc.table(std::move(t));
}

// ----------------------------------------------------------- receptors

void baselines(cReportDocument& doc, const cReceptorRecord& r) {
  cReportTable t;
  t.widths = {3, 2, 2, 2};
  t.header.push_back({boldCell("Land Use"), boldCell("Daytime (dBA)"), boldCell("Evening (dBA)"),
                      boldCell("Night (dBA)")});
  t.body.push_back({cell(r.landUseTxt()), numberCell(format0_0(r.dayBase)), numberCell(format0_0(r.eveBase)),
                    numberCell(format0_0(r.niteBase))});
  doc.table(std::move(t));
}

void equipmentTable(cReportDocument& doc, const cStudy& study, const std::vector<LinkedPiece>& pieces) {
  cReportTable t;
  t.widths = {6, 2, 2, 2, 2, 3, 3};
  t.header.push_back({boldCell("Description"), boldCell("Impact Device"), boldCell("Usage (%)"),
                      boldCell("Spec Lmax (dBA)"), boldCell("Actual Lmax (dBA)"),
                      boldCell(std::string("Distance (") + distanceUnit(study) + ")"), boldCell("Shielding (dBA)")});
  for (const LinkedPiece& p : pieces) {
    const cEquipmentRecord& e = *p.equipment;
    t.body.push_back({cell(e.description), cell(e.impactDevice == 0 ? "Yes" : "No"), numberCell(format0(e.usage)),
                      numberCell(e.spec_select ? format0_0(e.spec_lmax) : std::string()),
                      numberCell(e.spec_select ? std::string() : format0_0(e.actual_lmax)),
                      numberCell(format0_0(p.link->distance)), numberCell(format0_0(p.link->sheilding))});
  }
  if (pieces.empty()) t.body.push_back({note("No active equipment is linked to this receptor.", 7)});
  doc.table(std::move(t));
}

cReportRow resultRow(cReportCell label, const Line& line, std::int32_t metric, bool total) {
  cReportRow row{std::move(label)};
  if (total) {
    row.push_back(numberCell(format0_0(line.calculated->Lmax())));
    row.push_back(numberCell(format0_0(level(*line.calculated, metric))));
  } else {
    row.push_back(numberCell(lmaxText(*line.calculated)));
    row.push_back(numberCell(valueText(level(*line.calculated, metric))));
  }
  for (int p = 0; p < 3; ++p) {
    row.push_back(limitCell(lmaxText(*line.lotLine[p])));
    row.push_back(limitCell(valueText(level(*line.lotLine[p], metric))));
  }
  for (int p = 0; p < 3; ++p) {
    row.push_back(exceedanceCell(lmaxText(*line.exceed[p]), line.exceed[p]->Lmax()));
    const float v = level(*line.exceed[p], metric);
    row.push_back(exceedanceCell(valueText(v), v));
  }
  return row;
}

void resultsTable(cReportDocument& doc, const cReceptorRecord& r, const std::vector<LinkedPiece>& pieces,
                  std::int32_t metric) {
  cReportTable t;
  t.widths = {7, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
  t.textScale = 0.85;
  t.header.push_back({boldCell(""), spanning("Calculated", 2), spanning("Day Limit", 2), spanning("Evening Limit", 2),
                      spanning("Night Limit", 2), spanning("Day Exceedance", 2), spanning("Evening Exceedance", 2),
                      spanning("Night Exceedance", 2)});
  cReportRow names{boldCell("Equipment")};
  for (int i = 0; i < 7; ++i) {
    names.push_back(boldCell("Lmax"));
    names.push_back(boldCell(metricName(metric)));
  }
  t.header.push_back(std::move(names));
  for (const LinkedPiece& p : pieces)
    t.body.push_back(resultRow(cell(p.equipment->description), linkLine(p.link->results), metric, false));
  t.body.push_back(resultRow(boldCell("Total"), totalLine(r), metric, true));
  doc.table(std::move(t));
}

cReportChart::Bar chartBar(std::string label, const Line& line, std::int32_t metric) {
  cReportChart::Bar bar;
  bar.label = std::move(label);
  bar.lmax = line.calculated->Lmax();
  bar.metric = level(*line.calculated, metric);
  for (int p = 0; p < 3; ++p) {
    const float lmaxLimit = line.lotLine[p]->Lmax();
    const float metricLimit = level(*line.lotLine[p], metric);
    bar.hasLmaxLimit[p] = !isMarker(lmaxLimit);
    bar.lmaxLimit[p] = lmaxLimit;
    bar.hasMetricLimit[p] = !isMarker(metricLimit);
    bar.metricLimit[p] = metricLimit;
    bar.lmaxOver |= exceeds(line.exceed[p]->Lmax());
    bar.metricOver |= exceeds(level(*line.exceed[p], metric));
  }
  return bar;
}

void chart(cReportDocument& doc, const cReceptorRecord& r, const std::vector<LinkedPiece>& pieces,
           std::int32_t metric) {
  cReportChart c;
  c.metricName = metricName(metric);
  c.bars.push_back(chartBar("Total", totalLine(r), metric));
  for (const LinkedPiece& p : pieces) c.bars.push_back(chartBar(p.equipment->description, linkLine(p.link->results), metric));
  doc.chart(std::move(c));
}

void receptors(cReportDocument& doc, const cStudy& study) {
  const std::int32_t metric = caseMetric(study);
  std::int32_t number = 0;
  for (const auto& r : study.colReceptors) {
    ++number;
    const std::vector<LinkedPiece> pieces = activePieces(study, *r);
    doc.pageBreak();
    doc.subheading(receptorTitle(number, *r));
    doc.minorHeading("Baselines");
    baselines(doc, *r);
    doc.minorHeading("Equipment");
    equipmentTable(doc, study, pieces);
    doc.minorHeading("Results");
    doc.paragraph("Levels, limits and exceedances in dBA. Exceedances are in bold, shaded by how far over the limit they are: under 5 dB, "
                  "5 to 10 dB, 10 dB or more. The total Lmax is the level of the loudest piece.");
    resultsTable(doc, *r, pieces, metric);
    chart(doc, *r, pieces, metric);
  }
}

// ------------------------------------------------------------ appendix

const cEquipmentRecord* listEntry(const EquipmentList* list, const std::string& description) {
  if (!list) return nullptr;
  for (const auto& e : *list)
    if (e && e->description == description) return e.get();
  return nullptr;
}

std::string lmaxOrNA(float v) { return isValueNA(v) ? std::string("N/A") : format0_0(v); }

void appendix(cReportDocument& doc, const cStudy& study, const Inputs& in) {
  doc.pageBreak();
  doc.subheading("Appendix: Equipment List Entries Used");
  doc.paragraph("The entries of the equipment list that the case's equipment was chosen from, as the list gives "
                "them (Lmax at 50 feet):");
  cReportTable t;
  t.widths = {6, 2, 2, 2, 2};
  t.header.push_back(
      {boldCell("Description"), boldCell("Impact Device"), boldCell("Usage (%)"), boldCell("Spec Lmax (dBA)"),
       boldCell("Actual Lmax (dBA)")});
  std::vector<std::string> seen, missing;
  for (const auto& e : study.colEquipment) {
    if (!e || e->description.empty()) continue;
    if (std::find(seen.begin(), seen.end(), e->description) != seen.end()) continue;
    seen.push_back(e->description);
    const cEquipmentRecord* entry = listEntry(in.equipmentList, e->description);
    if (!entry) {
      missing.push_back(e->description);
      continue;
    }
    t.body.push_back({cell(entry->description), cell(entry->impactDevice == 0 ? "Yes" : "No"),
                      numberCell(format0(entry->usage)), numberCell(lmaxOrNA(entry->spec_lmax)),
                      numberCell(lmaxOrNA(entry->actual_lmax))});
  }
  if (t.body.empty()) t.body.push_back({note("No equipment of the case is in the equipment list.", 5)});
  doc.table(std::move(t));
  if (!missing.empty()) {
    std::string text = "Equipment of the case not in the equipment list: ";
    for (std::size_t i = 0; i < missing.size(); ++i) text += (i ? ", " : "") + missing[i];
    doc.paragraph(text + ".");
  }
}

}  // namespace

std::uint32_t exceedanceShade(float exceedance) {
  if (!exceeds(exceedance)) return cReportCell::noShade;
  if (exceedance < 5.0f) return 0xFFF096u;   // 255, 240, 150
  if (exceedance < 10.0f) return 0xFFB95Fu;  // 255, 185, 95
  return 0xF0695Fu;                          // 240, 105, 95
}

std::string caseNameOf(const std::string& caseFileName) {
  const std::size_t slash = caseFileName.find_last_of("/\\");
  std::string name = slash == std::string::npos ? caseFileName : caseFileName.substr(slash + 1);
  if (name.size() > 4) {
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    if (suffix == ".cas") name.erase(name.size() - 4);
  }
  return name;
}

cReportDocument build(const cStudy& study, const Inputs& in) {
  cReportDocument doc;
  doc.title = documentTitle;
  if (!study.caseDescription.empty()) doc.title += std::string(": ") + study.caseDescription;
  doc.footer = in.caseName.empty() ? std::string("Unsaved case") : in.caseName;
  titleBlock(doc, study, in);
  summary(doc, study);
  method(doc, study, in);
  criteria(doc, study);
  receptors(doc, study);
  for (const cReportBlock& block : in.placeSections) doc.blocks.push_back(block);
  appendix(doc, study, in);
  return doc;
}

}  // namespace mPdfReport
