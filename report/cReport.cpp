#include "report/cReport.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

#include "SF_DataASCII.h"
#include "SF_FilePrompt.h"
#include "report/mDateText.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#include "study/mFormat.h"
#include "study/mMarkers.h"

namespace {

constexpr const char* kTitle = "Vornhall (VORN),Version 1.1";

// A fixed-width line of spaces into which fields are written at 1-based
// columns. A field runs on past its width into whatever follows, until the
// next field written there overwrites it; nothing goes past the line's end.
class FixedLine {
public:
  explicit FixedLine(std::size_t length) : text_(length, ' ') {}
  void put(std::size_t column, std::string_view field) {
    if (column == 0 || column > text_.size()) return;
    const std::size_t at = column - 1;
    const std::size_t n = std::min(field.size(), text_.size() - at);
    text_.replace(at, n, field.substr(0, n));
  }
  std::string take() { return std::move(text_); }

private:
  std::string text_;
};

std::string spaces(std::size_t n) { return std::string(n, ' '); }

// The seven metrics of a result, in report order.
std::array<const cMetric*, 7> resultMetrics(const cResultRecord& r) {
  return {&r.calculated, &r.day_lotLine, &r.eve_lotLine, &r.nite_lotLine,
          &r.day_exceed, &r.eve_exceed, &r.nite_exceed};
}

std::array<const cMetric*, 7> totalMetrics(const cReceptorRecord& r) {
  return {&r.calculated_totals, &r.day_lotLine_totals, &r.eve_lotLine_totals, &r.nite_lotLine_totals,
          &r.day_exceed_totals, &r.eve_exceed_totals, &r.nite_exceed_totals};
}

float secondMetric(const cMetric& m, std::int32_t noiseMetric) { return noiseMetric == 1 ? m.Leq() : m.L10(); }

// An Lmax shows its own word unless it holds a level; the second metric shows
// the word its value stands for.
std::string lmaxText(const cMetric& m) { return m.sLmax != "Value" ? m.sLmax : format0_0(m.Lmax()); }
std::string metricText(float v) {
  const std::string word = markerWord(v);
  return word != "Value" ? word : format0_0(v);
}
std::string lmaxPadded(const cMetric& m) {
  return m.sLmax != "Value" ? cReport::padRight(m.sLmax, 6) : cReport::formatPadded(m.Lmax(), "0.0", 6);
}
std::string metricPadded(float v) {
  const std::string word = markerWord(v);
  return word != "Value" ? cReport::padRight(word, 6) : cReport::formatPadded(v, "0.0", 6);
}

// Offsets from C of the Lmax and second-metric columns of the seven pairs.
constexpr std::array<std::size_t, 7> kLmaxOffset{0, 19, 35, 51, 69, 85, 101};
constexpr std::size_t kMetricStep = 8;

// The equipment of every link of a receptor, in link order; false when a
// link names equipment that does not exist.
bool linkedEquipment(const cStudy& study, const cReceptorRecord& receptor,
                     std::vector<std::shared_ptr<cEquipmentRecord>>& out) {
  out.clear();
  for (const auto& link : receptor.colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    if (!study.getEquipment(e, link->equipID) || !e) return false;
    out.push_back(std::move(e));
  }
  return true;
}

}  // namespace

cReport::cReport(cStudy& study) : study_(study) {}

std::string cReport::formatPadded(double value, const std::string& format, std::size_t width) {
  const std::size_t point = format.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(format.size() - point - 1);
  return padRight(formatFixed(value, decimals), width);
}

std::string cReport::padRight(const std::string& text, std::size_t width) {
  if (text.size() >= width) return text;
  return text + spaces(width - text.size());
}

std::string cReport::dateText() const { return reportDate.empty() ? todayDateText() : reportDate; }

std::string cReport::exportProblem(bool allReceptors) const {
  if (allReceptors) return study_.caseProcessed ? std::string() : "No case results to report.";
  if (!study_.caseProcessed) return "Case must be Processed.";
  if (study_.receptorID() == 0) return "Please select a Receptor.";
  return {};
}

bool cReport::reportedReceptors(bool allReceptors, std::vector<ReportedReceptor>& out) const {
  out.clear();
  if (allReceptors) {
    std::int32_t number = 0;
    for (const auto& r : study_.colReceptors) out.push_back({r.get(), ++number});
    return true;
  }
  std::shared_ptr<cReceptorRecord> r;
  if (!study_.getReceptor(r, study_.receptorID()) || !r) return false;
  out.push_back({r.get(), study_.receptorID()});
  return true;
}

bool cReport::buildReport(std::int32_t type, bool allReceptors, std::vector<std::string>& lines) const {
  bool finished = false;
  if (type == commaReport)
    buildCommaReport(allReceptors, lines, finished);
  else
    buildTextReport(allReceptors, lines, finished);
  return finished;
}

void cReport::buildTextReport(bool allReceptors, std::vector<std::string>& lines, bool& finished) const {
  finished = false;
  lines.push_back(spaces(24) + kTitle);
  lines.emplace_back();
  lines.push_back("Report date:             " + dateText());
  lines.push_back("Case Description:        " + study_.caseDescription);
  std::vector<ReportedReceptor> receptors;
  if (!reportedReceptors(allReceptors, receptors)) return;
  for (const ReportedReceptor& r : receptors)
    if (!textReceptor(r, lines)) return;
  finished = true;
}

bool cReport::textReceptor(const ReportedReceptor& rr, std::vector<std::string>& lines) const {
  const cReceptorRecord& receptor = *rr.receptor;
  std::vector<std::shared_ptr<cEquipmentRecord>> equipment;
  if (!linkedEquipment(study_, receptor, equipment)) return false;

  lines.emplace_back();
  lines.push_back("                                **** Receptor #" + std::to_string(rr.number) + " ****");
  lines.emplace_back();
  lines.push_back("                                           Baselines (dBA)");

  // Baselines: the description column widens for a long description.
  const std::size_t W = receptor.description.size() <= 7 ? 11 : receptor.description.size();
  const std::size_t P = W - 7;
  lines.push_back("Description" + spaces(P) + "Land Use        Daytime    Evening    Night");
  lines.push_back("-----------" + spaces(P) + "--------        -------    -------    -----");
  FixedLine base(W + 49);
  base.put(1, receptor.description);
  base.put(W + 5, receptor.landUseTxt());
  base.put(W + 21, formatPadded(receptor.dayBase, "0.0", 7));
  base.put(W + 32, formatPadded(receptor.eveBase, "0.0", 7));
  base.put(W + 41, formatPadded(receptor.niteBase, "0.0", 7));
  lines.push_back(base.take());
  lines.emplace_back();

  // Equipment: inactive pieces are left out but still set the width.
  lines.push_back("                                     Equipment");
  lines.push_back("                                     ---------");
  std::size_t E = 0;
  for (const auto& e : equipment) E = std::max(E, e->description.size());
  const std::size_t E1 = E <= 7 ? 11 : E;
  const std::size_t Q = E1 - 7;
  lines.push_back(spaces(E1 + 21) + "Spec    Actual    Receptor    Estimated");
  lines.push_back(spaces(E1 + 4) + "Impact  Usage    Lmax    Lmax      Distance    Shielding");
  lines.push_back("Description" + spaces(Q) +
                  (study_.units == 0 ? "Device   (%)     (dBA)   (dBA)      (feet)       (dBA)"
                                     : "Device   (%)     (dBA)   (dBA)     (meters)      (dBA)"));
  lines.push_back("-----------" + spaces(Q) + "------  -----    -----   -----     --------    ---------");
  for (std::size_t i = 0; i < equipment.size(); ++i) {
    const cEquipmentRecord& e = *equipment[i];
    if (!e.active) continue;
    const cLinkRecord& link = *receptor.colLinks[i];
    FixedLine line(E1 + 60);
    line.put(1, e.description);
    line.put(E1 + 5, padRight(e.impactDevice == 0 ? "Yes" : "No", 6));
    line.put(E1 + 13, formatPadded(e.usage, "0", 5));
    if (e.spec_select)
      line.put(E1 + 22, formatPadded(e.spec_lmax, "0.0", 5));
    else
      line.put(E1 + 30, formatPadded(e.actual_lmax, "0.0", 5));
    line.put(E1 + 40, formatPadded(link.distance, "0.0", 8));
    line.put(E1 + 52, formatPadded(link.sheilding, "0.0", 9));
    lines.push_back(line.take());
  }
  lines.push_back(spaces(88));

  // Results.
  lines.push_back("                                     Results");
  lines.push_back("                                     -------");
  const std::size_t R = E1 <= 20 ? 22 : E1;
  const std::size_t S = R - 20;
  lines.push_back(spaces(R + 38) + "Noise Limits (dBA)                          Noise Limit Exceedance (dBA)");
  lines.push_back(spaces(R + 21) +
                  "----------------------------------------------    ----------------------------------------------");
  lines.push_back(spaces(R + 2) +
                  "Calculated (dBA)         Day           Evening          Night              Day           "
                  "Evening          Night    ");
  lines.push_back(spaces(R + 2) +
                  "----------------   --------------   -------------  --------------    --------------  "
                  "--------------  --------------");
  lines.push_back("Equipment                " + spaces(S) +
                  (study_.NoiseMetric == 1
                       ? "Lmax    Leq        Lmax    Leq     Lmax    Leq     Lmax    Leq       Lmax    Leq     "
                         "Lmax    Leq     Lmax    Leq"
                       : "Lmax    L10        Lmax    L10     Lmax    L10     Lmax    L10       Lmax    L10     "
                         "Lmax    L10     Lmax    L10"));
  lines.push_back("----------------------" + spaces(S) +
                  "------  ------     ------  ------  ------  ------  ------  ------    ------  ------  ------  "
                  "------  ------  ------");
  const std::size_t C = R + 3;
  for (std::size_t i = 0; i < equipment.size(); ++i) {
    const cEquipmentRecord& e = *equipment[i];
    if (!e.active) continue;
    FixedLine line(R + 117);
    line.put(1, e.description);
    const auto metrics = resultMetrics(receptor.colLinks[i]->results);
    for (std::size_t k = 0; k < metrics.size(); ++k) {
      line.put(C + kLmaxOffset[k], lmaxPadded(*metrics[k]));
      line.put(C + kLmaxOffset[k] + kMetricStep, metricPadded(secondMetric(*metrics[k], study_.NoiseMetric)));
    }
    lines.push_back(line.take());
  }
  FixedLine total(R + 117);
  total.put(R - 6, "Total");
  const auto totals = totalMetrics(receptor);
  for (std::size_t k = 0; k < totals.size(); ++k) {
    const float metric = secondMetric(*totals[k], study_.NoiseMetric);
    if (k == 0) {
      total.put(C, formatPadded(totals[k]->Lmax(), "0.0", 6));
      total.put(C + kMetricStep, formatPadded(metric, "0.0", 6));
    } else {
      total.put(C + kLmaxOffset[k], lmaxPadded(*totals[k]));
      total.put(C + kLmaxOffset[k] + kMetricStep, metricPadded(metric));
    }
  }
  lines.push_back(total.take());
  return true;
}

void cReport::buildCommaReport(bool allReceptors, std::vector<std::string>& lines, bool& finished) const {
  finished = false;
  lines.push_back(",,," + quoteField(kTitle));
  lines.emplace_back();
  lines.push_back("Report date:," + dateText());
  lines.push_back("Case Description:," + quoteField(study_.caseDescription));
  std::vector<ReportedReceptor> receptors;
  if (!reportedReceptors(allReceptors, receptors)) return;
  for (const ReportedReceptor& r : receptors)
    if (!commaReceptor(r, lines)) return;
  finished = true;
}

bool cReport::commaReceptor(const ReportedReceptor& rr, std::vector<std::string>& lines) const {
  const cReceptorRecord& receptor = *rr.receptor;
  std::vector<std::shared_ptr<cEquipmentRecord>> equipment;
  if (!linkedEquipment(study_, receptor, equipment)) return false;

  lines.emplace_back();
  lines.push_back(",,,,---- Receptor #" + std::to_string(rr.number) + " ----");
  lines.push_back(",,Baselines (dBA)");
  lines.push_back("Description,Land Use,Daytime,Evening,Night");
  lines.push_back(quoteField(receptor.description) + "," + receptor.landUseTxt() + "," +
                  format0_0(receptor.dayBase) + "," + format0_0(receptor.eveBase) + "," +
                  format0_0(receptor.niteBase));
  lines.emplace_back();
  lines.push_back(",,,,Equipment");
  lines.push_back(",,,,Spec,Actual,Receptor,Estimated");
  lines.push_back(",,Impact,,Lmax,Lmax,Distance,Shielding");
  lines.push_back(study_.units == 0 ? "Description,,Device,Usage(%),(dBA),(dBA),(feet),(dBA)"
                                    : "Description,,Device,Usage(%),(dBA),(dBA),(meters),(dBA)");
  for (std::size_t i = 0; i < equipment.size(); ++i) {
    const cEquipmentRecord& e = *equipment[i];
    if (!e.active) continue;
    const cLinkRecord& link = *receptor.colLinks[i];
    std::string line = quoteField(e.description) + ",," + (e.impactDevice == 0 ? "Yes" : "No") + "," +
                       format0_0(e.usage) + ",";
    line += e.spec_select ? format0_0(e.spec_lmax) + "," : "," + format0_0(e.actual_lmax);
    line += "," + format0_0(link.distance) + "," + format0_0(link.sheilding);
    lines.push_back(std::move(line));
  }
  lines.emplace_back();
  lines.push_back(",,,,Results");
  lines.push_back(",,Calculated (dBA),,,Noise Limits (dBA),,,,,,Noise Limit Exceedance (dBA)");
  lines.push_back(",,,,Day,,Evening,,Night,,Day,,Evening,,Night");
  lines.push_back(study_.NoiseMetric == 1
                      ? "Equipment,,*Lmax,Leq,Lmax,Leq,Lmax,Leq,Lmax,Leq,Lmax,Leq,Lmax,Leq,Lmax,Leq"
                      : "Equipment,,*Lmax,L10,Lmax,L10,Lmax,L10,Lmax,L10,Lmax,L10,Lmax,L10,Lmax,L10");
  for (std::size_t i = 0; i < equipment.size(); ++i) {
    const cEquipmentRecord& e = *equipment[i];
    if (!e.active) continue;
    std::string line = quoteField(e.description) + ",,";
    for (const cMetric* m : resultMetrics(receptor.colLinks[i]->results)) {
      line += lmaxText(*m) + ",";
      line += metricText(secondMetric(*m, study_.NoiseMetric)) + ",";
    }
    lines.push_back(std::move(line));
  }
  std::string total = ",Total";
  const auto totals = totalMetrics(receptor);
  for (std::size_t k = 0; k < totals.size(); ++k) {
    const float metric = secondMetric(*totals[k], study_.NoiseMetric);
    if (k == 0)
      total += "," + format0_0(totals[k]->Lmax()) + "," + format0_0(metric);
    else
      total += "," + lmaxText(*totals[k]) + "," + metricText(metric);
  }
  lines.push_back(std::move(total));
  lines.push_back(",,*Calculated Lmax is the Loudest value.");
  return true;
}

SF_DataMessage cReport::writeReportFile(const std::vector<std::string>& lines, const std::string& path) const {
  SF_DataASCII file;
  file.Lines(lines);
  file.CommentFields(true);
  return file.writeLines(path) == SF_DATA_FILE_ERROR ? SF_DATA_FILE_ERROR : SF_DATA_OK;
}

bool cReport::writeReport(std::int32_t type, bool allReceptors, SF_FilePrompt& prompt) const {
  prompt.FileSuffix(type == commaReport ? "csv" : "txt");
  prompt.OpenMode(SF_WRITE);
  prompt.FilePrompt("Report File");
  if (prompt.getFile() != SF_FILE_OK) return false;
  const std::string path = prompt.Directory() + prompt.FileName(1);
  std::vector<std::string> lines;
  if (!buildReport(type, allReceptors, lines)) {
    study_.messages().show("Problem builing report", "VORN", MessageIcon::Critical);
    return false;
  }
  if (writeReportFile(lines, path) == SF_DATA_FILE_ERROR) {
    study_.messages().show("Problem writing report file.", "VORN", MessageIcon::Critical);
    return false;
  }
  return true;
}

bool cReport::exportResults(std::int32_t type, bool allReceptors, SF_FilePrompt& prompt) const {
  const std::string problem = exportProblem(allReceptors);
  if (!problem.empty()) {
    study_.messages().show(problem, "VORN", MessageIcon::Critical);
    return false;
  }
  if (!writeReport(type, allReceptors, prompt)) return false;
  study_.messages().show("Report saved.", "VORN", MessageIcon::Information);
  return true;
}
