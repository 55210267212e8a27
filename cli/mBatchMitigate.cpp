#include "cli/mBatchMitigate.h"

#include "compute/mMitigation.h"
#include "compute/mResultCells.h"
#include "study/cStudy.h"
#include "study/mFormat.h"

namespace {

std::string equipmentName(const cStudy& study, std::int32_t equipmentID) {
  std::shared_ptr<cEquipmentRecord> e;
  return equipmentID != 0 && study.getEquipment(e, equipmentID) ? e->description : "Total";
}

std::string field(const std::optional<double>& v, bool whole) {
  if (!v) return "";
  return whole ? format0(*v) : format0_0(*v);
}

std::string commaLine(const cStudy& study, const mMitigation::Need& n) {
  return std::to_string(n.receptorID) + "," + quoteField(equipmentName(study, n.equipmentID)) + "," +
         mResultCells::periodName(n.period) + "," + mResultCells::metricName(n.metric) + "," + format0_0(n.level) +
         "," + format0_0(n.limit) + "," + field(n.shielding, false) + "," + field(n.maxUsage, true) + "," +
         field(n.minDistance, false);
}

std::string textLine(const cStudy& study, const mMitigation::Need& n) {
  const std::string units = study.units == 0 ? " ft" : " m";
  std::string line = "  " + equipmentName(study, n.equipmentID) + ", " + mResultCells::periodName(n.period) + " " +
                     mResultCells::metricName(n.metric) + " " + format0_0(n.level) + " dBA over the limit " +
                     format0_0(n.limit) + " dBA:";
  std::string remedies;
  auto add = [&remedies](const std::string& text) { remedies += (remedies.empty() ? " " : "; or ") + text; };
  if (n.shielding)
    add(format0_0(*n.shielding) + " dB more shielding" + (n.equipmentID == 0 ? " on every active piece" : ""));
  if (n.maxUsage)
    add(*n.maxUsage > 0 ? "a usage of at most " + format0(*n.maxUsage) + " %" : "no usage of 1 % or more complies");
  if (n.minDistance) add("a distance of at least " + format0_0(*n.minDistance) + units);
  return line + (remedies.empty() ? " no remedy found" : remedies);
}

}  // namespace

namespace mBatchMitigate {

std::vector<std::string> lines(cStudy& study, const std::vector<mBatchAnalysis::Receptor>& receptors, bool comma) {
  std::vector<std::string> out;
  if (comma)
    out.push_back(commaHeader);
  else
    out.push_back("Case Description: " + study.caseDescription);
  for (const auto& r : receptors) {
    const auto needs = r.computed ? mMitigation::needs(study, *r.computed, r.id) : std::vector<mMitigation::Need>{};
    if (comma) {
      for (const auto& n : needs) out.push_back(commaLine(study, n));
      continue;
    }
    out.emplace_back();
    out.push_back("Receptor #" + std::to_string(r.id) + ": " + r.record->description);
    if (!r.computed)
      out.push_back("  Not computed: the input is incomplete.");
    else if (needs.empty())
      out.push_back("  Every level is within its limit.");
    for (const auto& n : needs) out.push_back(textLine(study, n));
  }
  return out;
}

}  // namespace mBatchMitigate
